// ParseVersionText: four dot-separated decimal parts, each fitting 16 bits.
#include "VersionText.h"

#include <cstdio>

bool ParseVersionText(const char* text, DWORD& version, DWORD& revision) {
    unsigned major, minor, release, build;
    int consumed = 0;
    if (std::sscanf(text, "%u.%u.%u.%u%n", &major, &minor, &release, &build, &consumed) != 4 ||
        text[consumed] != '\0' || major > 0xFFFF || minor > 0xFFFF || release > 0xFFFF ||
        build > 0xFFFF)
        return false;
    version = major << 16 | minor;
    revision = release << 16 | build;
    return true;
}
