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

// The launcher's own folder, or false when the module path does not fit the buffer: a
// truncated path must not be taken for a folder. The whole buffer is offered, so that a path of
// 259 characters, the longest there is, still fits with its NUL.
bool ModuleFolder(TString& folder) {
    char* buffer = folder.BeginWrite(MAX_PATH);
    SetLastError(ERROR_SUCCESS);
    DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    bool complete = length > 0 && length < MAX_PATH && GetLastError() == ERROR_SUCCESS;
    buffer[complete ? length : 0] = '\0'; // older systems leave a truncated path unterminated
    folder.EndWrite(-1);
    int backslash = folder.FindLast('\\');
    if (!complete || backslash < 0)
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
