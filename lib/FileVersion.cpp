// GetFileVersion: reads VS_FIXEDFILEINFO through the version information API.
#include "FileVersion.h"

#include <cstdlib>
#include <cstring>

int GetFileVersion(const char* path, VS_FIXEDFILEINFO& info) {
    DWORD size = GetFileVersionInfoSizeA(path, nullptr);
    if (size == 0)
        return 0;
    void* block = std::malloc(size);
    if (!block)
        return 0;
    int result = 0;
    void* root = nullptr;
    UINT rootLength = 0;
    // A resource without a root block is taken as no version information.
    if (GetFileVersionInfoA(path, 0, size, block) &&
        VerQueryValueA(block, "\\", &root, &rootLength) && root) {
        std::memcpy(&info, root, rootLength < sizeof info ? rootLength : sizeof info);
        result = 1;
    }
    std::free(block);
    return result;
}
