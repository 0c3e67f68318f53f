// GetFileVersion: the fixed version information of a file, without loading it.
#pragma once
#include <windows.h>

// 1 and info filled from the file's version resource; 0 and info untouched otherwise. A bare
// file name is found by the system's search order for modules.
int GetFileVersion(const char* path, VS_FIXEDFILEINFO& info);
