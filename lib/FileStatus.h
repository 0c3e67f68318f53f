// GetFileStatus: looks at a directory entry without opening it.
#pragma once
#include <windows.h>

struct FileStatus {
    LONG created; // seconds since 1970 (UTC), as mktime makes them; 0 unknown, -1 beyond 2038
    LONG modified;
    LONG accessed;
    BYTE attributes; // Win32 attribute bits & 0x7F
    DWORD size;      // low 32 bits
    char name[MAX_PATH];
    char shortName[14];
};

// 1 and status filled when path names an existing entry (a folder too); 0 and status untouched.
int GetFileStatus(const char* path, FileStatus& status);
// A file time (UTC) as seconds through the local calendar time and mktime; 0 when it cannot be
// converted or lies before 1900, -1 when it does not fit a signed 32-bit value (after 2038).
// Exposed for tests.
LONG FileTimeToTimeValue(const FILETIME& fileTime);
