// SystemDriveFreeMegabytes: the room left on the drive Windows is installed on.
#pragma once

// Free megabytes (2^20 bytes) on the system drive; 0 when the drive cannot be asked.
double SystemDriveFreeMegabytes();
