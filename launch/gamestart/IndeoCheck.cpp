// IsIndeoInstalled: reads the file version of the codec module without loading it.
#include "IndeoCheck.h"
#include "FileVersion.h"

// Indeo Video 5.11 is file version 5.2818: major 5 in the high word, minor 2818 in the low.
constexpr DWORD Indeo511FileVersion = 0x50B02;

int IsIndeoInstalled() {
    // Zeroed: a root block shorter than the structure fills only its leading fields.
    VS_FIXEDFILEINFO info = {};
    if (!GetFileVersion("ir50_32.dll", info))
        return 0;
    return info.dwFileVersionMS >= Indeo511FileVersion;
}
