// SystemDriveFreeMegabytes: the root of the system folder's drive, asked for its free clusters.
#include "SystemDriveSpace.h"
#include "SystemCalls.h"

#include <cstring>

double SystemDriveFreeMegabytes() {
    char root[MAX_PATH] = {};
    GetSystemDirectoryA(root, MAX_PATH);
    // "C:\WINDOWS\SYSTEM" gives "C:\": the text up to and including its first backslash.
    if (char* backslash = std::strchr(root, '\\'))
        backslash[1] = '\0';

    // A failed query leaves the zeros: no room at all.
    DWORD sectorsPerCluster = 0;
    DWORD bytesPerSector = 0;
    DWORD freeClusters = 0;
    DWORD totalClusters = 0;
    SystemCalls.GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters,
                                  &totalClusters);
    // In double from the first factor on: the byte count passes 2^32 on any disk over 4 GB.
    return static_cast<double>(freeClusters) * bytesPerSector * sectorsPerCluster / 1048576.0;
}
