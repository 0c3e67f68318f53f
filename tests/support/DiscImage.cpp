// DiscImage: a recursive copy that remembers what it made, so the drive is left as found.
#include "DiscImage.h"

#include <windows.h>

DiscImage::DiscImage(const std::string& source, const std::string& drive) {
    CopyTree(source, drive);
}

DiscImage::~DiscImage() {
    for (auto file = files_.rbegin(); file != files_.rend(); ++file)
        DeleteFileA(file->c_str());
    for (auto folder = folders_.rbegin(); folder != folders_.rend(); ++folder)
        RemoveDirectoryA(folder->c_str());
}

void DiscImage::CopyTree(const std::string& from, const std::string& to) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((from + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        placed_ = false;
        return;
    }
    do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string source = from + "\\" + name;
        std::string target = to + "\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!CreateDirectoryA(target.c_str(), nullptr)) {
                placed_ = false;
                continue;
            }
            folders_.push_back(target);
            CopyTree(source, target);
        } else if (CopyFileA(source.c_str(), target.c_str(), TRUE)) {
            files_.push_back(target);
        } else {
            placed_ = false;
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}
