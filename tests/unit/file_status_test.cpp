// GetFileStatus on real entries of the Wine prefix: folders, missing paths, a file of 5 GiB and
// file times.
#include <gtest/gtest.h>

#include <cstring>

#include "FileStatus.h"
#include "TestFiles.h"

namespace {

FILETIME UtcTime(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
    SYSTEMTIME calendar = {year, month, 0, day, hour, minute, second, 0};
    FILETIME time = {};
    SystemTimeToFileTime(&calendar, &time);
    return time;
}

void SetTimes(const std::string& path, const FILETIME* created, const FILETIME* accessed,
              const FILETIME* written) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_TRUE(SetFileTime(file, created, accessed, written));
    CloseHandle(file);
}

class FileStatusTest : public testing::Test {
  protected:
    void SetUp() override { folder_ = MakeScratchFolder("status"); }
    void TearDown() override { RemoveTree(folder_); }
    std::string folder_;
};

} // namespace

TEST_F(FileStatusTest, AFolderAndAHiddenFileAreFoundAndAMissingPathLeavesTheRecord) {
    CreateDirectoryA((folder_ + "\\moss.exe").c_str(), nullptr);
    FileStatus status = {};
    ASSERT_EQ(1, GetFileStatus((folder_ + "\\moss.exe").c_str(), status));
    EXPECT_EQ(FILE_ATTRIBUTE_DIRECTORY, status.attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_STREQ("moss.exe", status.name);

    // Attributes keep their low seven bits.
    std::string path = folder_ + "\\hidden.dat";
    WriteTextFile(path, "x");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    ASSERT_EQ(1, GetFileStatus(path.c_str(), status));
    EXPECT_EQ(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY, status.attributes & 0x13);
    EXPECT_EQ(0, status.attributes & 0x80);
    EXPECT_EQ(1u, status.size);

    std::memset(&status, 0xA5, sizeof status);
    FileStatus before = status;
    EXPECT_EQ(0, GetFileStatus((folder_ + "\\missing.exe").c_str(), status));
    EXPECT_EQ(0, GetFileStatus((folder_ + "\\no folder\\moss.exe").c_str(), status));
    EXPECT_EQ(0, std::memcmp(&before, &status, sizeof status));
}

TEST_F(FileStatusTest, AFileOfFiveGibibytesReportsItsSizeModulo4GiB) {
    std::string path = folder_ + "\\big.dat";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD returned;
    // Sparse on Windows; on the Unix side a file extended by SetEndOfFile has holes anyway.
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = 5LL * 1024 * 1024 * 1024 + 123;
    ASSERT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(file));
    CloseHandle(file);

    FileStatus status = {};
    ASSERT_EQ(1, GetFileStatus(path.c_str(), status));
    EXPECT_EQ(0x4000007Bu, status.size);
}

TEST_F(FileStatusTest, TimesAreSecondsSince1970) {
    std::string path = folder_ + "\\dated.dat";
    WriteTextFile(path, "dated");
    FILETIME written = UtcTime(2001, 2, 3, 4, 5, 6);
    FILETIME accessed = UtcTime(2002, 3, 4, 5, 6, 7);
    SetTimes(path, nullptr, &accessed, &written);
    FileStatus status = {};
    ASSERT_EQ(1, GetFileStatus(path.c_str(), status));
    EXPECT_EQ(981173106, status.modified);
    EXPECT_EQ(1015218367, status.accessed);
    EXPECT_NE(0, status.created);
    // A time before 1900 is unknown.
    EXPECT_EQ(0, FileTimeToTimeValue(UtcTime(1850, 1, 2, 0, 0, 0)));
    EXPECT_EQ(0, FileTimeToTimeValue(UtcTime(1601, 1, 1, 0, 0, 0)));
    // Beyond a signed 32-bit number: the 32-bit run-time's -1, on a real file too.
    EXPECT_EQ(2147483647, FileTimeToTimeValue(UtcTime(2038, 1, 19, 3, 14, 7)));
    EXPECT_EQ(-1, FileTimeToTimeValue(UtcTime(2038, 1, 19, 3, 14, 8)));
    FILETIME late = UtcTime(2038, 6, 1, 0, 0, 0);
    SetTimes(path, nullptr, nullptr, &late);
    ASSERT_EQ(1, GetFileStatus(path.c_str(), status));
    EXPECT_EQ(-1, status.modified);
    EXPECT_EQ(1015218367, status.accessed);
}

// Wine keeps no creation time of its own on Linux (it reports the write time), so the rule for
// times before 1900 is shown on the access time, which the same conversion and fallback serve.
// Only tmpfs stores a Unix time that far back.
TEST(FileStatus, AnAccessTimeBefore1900FallsBackToTheWriteTime) {
    std::string path = "Z:\\dev\\shm\\launcher-status-" + std::to_string(GetCurrentProcessId());
    WriteTextFile(path, "old");
    FILETIME old = UtcTime(1850, 1, 2, 0, 0, 0);
    FILETIME written = UtcTime(2001, 2, 3, 4, 5, 6);
    SetTimes(path, &old, &old, &written);
    FileStatus status = {};
    int found = GetFileStatus(path.c_str(), status);
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(path.c_str(), &entry);
    FindClose(search);
    DeleteFileA(path.c_str());
    ASSERT_EQ(1, found);
    SYSTEMTIME stored;
    FileTimeToSystemTime(&entry.ftLastAccessTime, &stored);
    ASSERT_EQ(1850, stored.wYear) << "the file system did not keep the old access time";
    EXPECT_EQ(981173106, status.modified);
    EXPECT_EQ(status.modified, status.accessed);
    EXPECT_EQ(status.modified, status.created);
}
