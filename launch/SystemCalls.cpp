// The real functions behind SystemCalls.
#include "SystemCalls.h"
#include "DirectXSetup.h"

SystemCallTable SystemCalls = {
    ::MessageBoxA, ::DirectSoundEnumerateA, ::DirectXSetupA, ::GetDiskFreeSpaceA, ::ExitWindowsEx,
};
