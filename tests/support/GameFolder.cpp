// Game folders: copies of the build's launcher, its DSETUP.dll and the stand-in game.
#include "GameFolder.h"
#include "TestFiles.h"

#include <windows.h>

std::string MakeGameFolder(const char* tag, bool withGame) {
    std::string folder = MakeScratchFolder(tag);
    std::string bin = BinaryFolder();
    CopyFileA((bin + "\\launcher.exe").c_str(), (folder + "\\launcher.exe").c_str(), FALSE);
    CopyFileA((bin + "\\DSETUP.dll").c_str(), (folder + "\\DSETUP.dll").c_str(), FALSE);
    if (withGame)
        CopyFileA((bin + "\\moss.exe").c_str(), (folder + "\\moss.exe").c_str(), FALSE);
    return folder;
}

bool StartLauncher(ChildProcess& launcher, const std::string& folder, bool suspended) {
    std::string program = folder + "\\launcher.exe";
    return launcher.Start(program, "\"" + program + "\"", folder, suspended);
}

ScopedFile::ScopedFile(const std::string& source, const std::string& path)
    : path_(path), placed_(CopyFileA(source.c_str(), path.c_str(), FALSE) != 0) {}

ScopedFile::~ScopedFile() {
    if (!placed_)
        return;
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path_.c_str());
}
