// Files and folders for tests.
#include "TestFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

std::string BinaryFolder() {
    char path[MAX_PATH];
    std::string folder(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    return folder.substr(0, folder.find_last_of('\\')) + "\\..\\bin";
}

std::string MakeScratchFolder(const char* tag) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int counter;
    std::string name = std::string(temp) + "launcher-" + tag + "-" +
                       std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    RemoveTree(name);
    CreateDirectoryA(name.c_str(), nullptr);
    return name;
}

std::string MakeGameFolder(const char* tag) {
    std::string folder = MakeScratchFolder(tag);
    for (const char* name : {"launcher.exe", "DSETUP.dll", "moss.exe"})
        CopyFileA((BinaryFolder() + "\\" + name).c_str(), (folder + "\\" + name).c_str(), FALSE);
    return folder;
}

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

void WriteTextFile(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written;
    EXPECT_TRUE(WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr))
        << path;
    CloseHandle(file);
}

// Read through Win32 so that a file just closed by a child is seen whole.
std::string ReadTextFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    CloseHandle(file);
    return text;
}
