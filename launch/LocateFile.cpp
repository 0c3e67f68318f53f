// LocateFile: the game's files are beside the launcher or at the root of a CD-ROM drive.
#include "LocateFile.h"
#include "FileStatus.h"

namespace {

// A file, not a folder of that name.
bool IsFile(const char* candidate) {
    FileStatus status;
    return GetFileStatus(candidate, status) && !(status.attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Accept(const TString& candidate, TString& path) {
    if (!IsFile(candidate))
        return false;
    path = candidate;
    return true;
}

// The longest path the system hands out: 32767 characters and the NUL.
constexpr DWORD LongestPath = 32768;

// The launcher's module path when it fits a buffer of size characters with its NUL; else false
// and an empty path (older systems leave a truncated path unterminated).
bool ReadModulePath(TString& path, DWORD size) {
    char* buffer = path.BeginWrite(size);
    SetLastError(ERROR_SUCCESS);
    DWORD length = GetModuleFileNameA(nullptr, buffer, size);
    bool complete = length > 0 && length < size && GetLastError() == ERROR_SUCCESS;
    buffer[complete ? length : 0] = '\0';
    path.EndWrite(-1);
    return complete;
}

// The launcher's own folder, or false when its module path cannot be read whole: a truncated
// path must not be taken for a folder. The loader takes paths longer than MAX_PATH, so a path
// that does not fit is read again with room for the longest there is.
bool ModuleFolder(TString& folder) {
    if (!ReadModulePath(folder, MAX_PATH) && !ReadModulePath(folder, LongestPath))
        return false;
    int backslash = folder.FindLast('\\');
    if (backslash < 0)
        return false;
    folder.SetChar(backslash, '\0');
    return true;
}

} // namespace

int LocateFile(const char* name, TString& path, const char* directory) {
    TString candidate;
    if (directory) {
        candidate.Format("%s\\%s", directory, name);
        if (Accept(candidate, path))
            return 1;
    }

    TString folder;
    if (ModuleFolder(folder)) {
        candidate.Format("%s\\%s", static_cast<const char*>(folder), name);
        if (Accept(candidate, path))
            return 1;
    }

    // 26 roots of "X:\" and a NUL each, and the list's closing NUL.
    char roots[105] = {};
    DWORD length = GetLogicalDriveStringsA(sizeof roots, roots);
    if (length == 0 || length >= sizeof roots)
        return 0;
    for (const char* root = roots; *root; root += lstrlenA(root) + 1) {
        if (GetDriveTypeA(root) != DRIVE_CDROM)
            continue;
        candidate.Format("%s%s", root, name);
        if (Accept(candidate, path))
            return 1;
    }
    return 0;
}
