// Files and folders for tests: the build's programs and throw-away folders below the temp dir.
#pragma once
#include <string>

// The build's bin folder: launcher.exe, DSETUP.dll and every stand-in.
std::string BinaryFolder();
// A new empty folder; removed with its content by RemoveTree.
std::string MakeScratchFolder(const char* tag);
// A new folder holding launcher.exe, DSETUP.dll and moss.exe from the build.
std::string MakeGameFolder(const char* tag);
void RemoveTree(const std::string& folder);
void WriteTextFile(const std::string& path, const std::string& text);
// The whole content of a small file; empty when it cannot be read.
std::string ReadTextFile(const std::string& path);
