// LocateFile on real files: the caller's folder, the program's own folder (the build's bin
// folder) and the prefix's two CD-ROM drives D: and E:. A probe name of its own keeps the
// search clear of the moss.exe that sits in the bin folder.
#include <gtest/gtest.h>

#include <string>

#include "GameFolder.h"
#include "LocateFile.h"
#include "TestFiles.h"

namespace {

class LocateFileTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(static_cast<UINT>(DRIVE_CDROM), GetDriveTypeA("D:\\"));
        ASSERT_EQ(static_cast<UINT>(DRIVE_CDROM), GetDriveTypeA("E:\\"));
        source_ = MakeScratchFolder("locate");
        WriteTextFile(source_ + "\\" + name_, "probe");
        ASSERT_FALSE(FileExists("D:\\" + name_));
        ASSERT_FALSE(FileExists("E:\\" + name_));
    }
    void TearDown() override { RemoveTree(source_); }

    std::string Source() const { return source_ + "\\" + name_; }
    std::string Locate(const char* directory) {
        TString path("unchanged");
        if (!LocateFile(name_.c_str(), path, directory)) {
            EXPECT_STREQ("unchanged", path) << "a miss must leave the path alone";
        }
        return path.Text();
    }

    const std::string name_ = "probe-" + std::to_string(GetCurrentProcessId()) + ".exe";
    std::string source_;
};

} // namespace

TEST_F(LocateFileTest, TheCallersFolderThenTheOwnFolderThenDriveDThenDriveE) {
    EXPECT_EQ("unchanged", Locate(nullptr)) << "nothing anywhere";
    EXPECT_EQ("unchanged", Locate((source_ + "\\missing").c_str()));
    ScopedFile onE(Source(), "E:\\" + name_);
    ASSERT_TRUE(onE.Placed());
    EXPECT_EQ("E:\\" + name_, Locate(nullptr));
    ScopedFile onD(Source(), "D:\\" + name_);
    ASSERT_TRUE(onD.Placed());
    // Hidden and read-only files count.
    SetFileAttributesA(("D:\\" + name_).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ("D:\\" + name_, Locate(nullptr));
    ScopedFile own(Source(), BinaryFolder() + "\\" + name_);
    ASSERT_TRUE(own.Placed());
    EXPECT_EQ(BinaryFolder() + "\\" + name_, Locate(nullptr));
    EXPECT_EQ(source_ + "\\" + name_, Locate(source_.c_str()));
}

TEST_F(LocateFileTest, AFolderOfThatNameIsSkipped) {
    std::string decoy = BinaryFolder() + "\\" + name_;
    ASSERT_TRUE(CreateDirectoryA(decoy.c_str(), nullptr));
    ScopedFile disc(Source(), "E:\\" + name_);
    std::string found = Locate(nullptr);
    RemoveDirectoryA(decoy.c_str());
    EXPECT_EQ("E:\\" + name_, found);
}

// C: is the prefix's fixed disk: its root is searched only through an empty folder argument,
// which names the root of the current drive.
TEST_F(LocateFileTest, AFixedDiskRootIsSearchedOnlyThroughAnEmptyFolder) {
    ASSERT_EQ(static_cast<UINT>(DRIVE_FIXED), GetDriveTypeA("C:\\"));
    ScopedFile root(Source(), "C:\\" + name_);
    ASSERT_TRUE(root.Placed());
    char saved[MAX_PATH];
    GetCurrentDirectoryA(sizeof saved, saved);
    SetCurrentDirectoryA("C:\\windows");
    std::string withoutFolder = Locate(nullptr);
    std::string withEmptyFolder = Locate("");
    SetCurrentDirectoryA(saved);
    EXPECT_EQ("unchanged", withoutFolder);
    EXPECT_EQ("\\" + name_, withEmptyFolder);
}
