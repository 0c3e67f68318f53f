// RebootMachine: restarts the computer to finish the DirectX installation.
#pragma once

// Asks the system to reboot; whether it will is not known to the caller.
void RebootMachine();
