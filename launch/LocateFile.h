// Finds a file of the game by its bare name: in the given folder, beside the launcher, then at
// the root of each CD-ROM drive.
#pragma once
#include "TString.h"

// 1 and the full path in path when found; 0 and path untouched otherwise. directory may be
// null (not searched) or empty (searched: "\name" at the root of the current drive).
int LocateFile(const char* name, TString& path, const char* directory);
