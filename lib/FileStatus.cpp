// GetFileStatus: times, attributes, size and names of a directory entry.
#include "FileStatus.h"

#include <climits>
#include <cstring>
#include <ctime>

LONG FileTimeToTimeValue(const FILETIME& fileTime) {
    FILETIME local;
    SYSTEMTIME calendar;
    if (!FileTimeToLocalFileTime(&fileTime, &local) || !FileTimeToSystemTime(&local, &calendar))
        return 0;
    if (calendar.wYear < 1900)
        return 0;
    std::tm parts = {};
    parts.tm_year = calendar.wYear - 1900;
    parts.tm_mon = calendar.wMonth - 1;
    parts.tm_mday = calendar.wDay;
    parts.tm_hour = calendar.wHour;
    parts.tm_min = calendar.wMinute;
    parts.tm_sec = calendar.wSecond;
    parts.tm_isdst = -1;
    // A 64-bit time_t goes beyond a time value: what does not fit is the 32-bit run-time's -1.
    long long seconds = std::mktime(&parts);
    return seconds < LONG_MIN || seconds > LONG_MAX ? -1 : static_cast<LONG>(seconds);
}

namespace {

void CopyTerminated(char* target, size_t size, const char* source) {
    size_t length = strnlen(source, size - 1);
    std::memcpy(target, source, length);
    target[length] = '\0';
}

} // namespace

int GetFileStatus(const char* path, FileStatus& status) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(path, &entry);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    FindClose(search);

    status.attributes = static_cast<BYTE>(entry.dwFileAttributes & 0x7F);
    status.size = entry.nFileSizeLow;
    CopyTerminated(status.name, sizeof status.name, entry.cFileName);
    CopyTerminated(status.shortName, sizeof status.shortName, entry.cAlternateFileName);
    status.created = FileTimeToTimeValue(entry.ftCreationTime);
    status.accessed = FileTimeToTimeValue(entry.ftLastAccessTime);
    status.modified = FileTimeToTimeValue(entry.ftLastWriteTime);
    if (status.created == 0)
        status.created = status.modified;
    if (status.accessed == 0)
        status.accessed = status.modified;
    return 1;
}
