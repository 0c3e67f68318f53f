// Game folders and disc files for start-up tests.
#pragma once
#include <string>

#include "ChildProcess.h"

// A new scratch folder holding launcher.exe and DSETUP.dll from the build, and the stand-in
// moss.exe when withGame is set. Removed with RemoveTree.
std::string MakeGameFolder(const char* tag, bool withGame);
// Starts the folder's launcher.exe in that folder, as a player starts it.
bool StartLauncher(ChildProcess& launcher, const std::string& folder, bool suspended = false);

// A file copied to a place outside the scratch folders (a disc root "D:\\moss.exe", the build's
// bin folder, a fixed-disk root) for the length of a test; removed again on destruction.
class ScopedFile {
  public:
    ScopedFile(const std::string& source, const std::string& path);
    ~ScopedFile();
    ScopedFile(const ScopedFile&) = delete;
    ScopedFile& operator=(const ScopedFile&) = delete;
    bool Placed() const { return placed_; }

  private:
    std::string path_;
    bool placed_;
};
