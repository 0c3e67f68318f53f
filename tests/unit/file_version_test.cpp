// GetFileVersion on a DLL built with a version resource and on files without one.
#include <gtest/gtest.h>

#include <cstring>

#include "FileVersion.h"
#include "TestFiles.h"

namespace {

VS_FIXEDFILEINFO Filled() {
    VS_FIXEDFILEINFO info;
    std::memset(&info, 0x5A, sizeof info);
    return info;
}

} // namespace

TEST(GetFileVersion, ReadsTheRootBlockOfTheVersionResource) {
    VS_FIXEDFILEINFO info = Filled();
    ASSERT_EQ(1, GetFileVersion((BinaryFolder() + "\\versioned.dll").c_str(), info));
    EXPECT_EQ(0xFEEF04BDu, info.dwSignature);
    EXPECT_EQ(0x00050B02u, info.dwFileVersionMS);
    EXPECT_EQ(0x00030004u, info.dwFileVersionLS);
    EXPECT_EQ(0x0005000Bu, info.dwProductVersionMS);
    EXPECT_EQ(0x00000007u, info.dwProductVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VS_FFI_FILEFLAGSMASK), info.dwFileFlagsMask);
    EXPECT_EQ(static_cast<DWORD>(VS_FF_PRERELEASE), info.dwFileFlags);
    EXPECT_EQ(static_cast<DWORD>(VOS_NT_WINDOWS32), info.dwFileOS);
    EXPECT_EQ(static_cast<DWORD>(VFT_DLL), info.dwFileType);
    EXPECT_EQ(0u, info.dwFileSubtype);
}

TEST(GetFileVersion, FindsABareNameBesideTheProgram) {
    char saved[MAX_PATH];
    GetCurrentDirectoryA(sizeof saved, saved);
    SetCurrentDirectoryA("C:\\");
    VS_FIXEDFILEINFO info = Filled();
    int result = GetFileVersion("versioned.dll", info);
    SetCurrentDirectoryA(saved);
    EXPECT_EQ(1, result);
    EXPECT_EQ(0x00050B02u, info.dwFileVersionMS);
}

TEST(GetFileVersion, AFileWithoutVersionOrAMissingOneLeavesTheStructure) {
    std::string folder = MakeScratchFolder("version");
    std::string text = folder + "\\readme.txt";
    WriteTextFile(text, "no version here");
    const VS_FIXEDFILEINFO before = Filled();
    VS_FIXEDFILEINFO info = before;
    EXPECT_EQ(0, GetFileVersion(text.c_str(), info));
    EXPECT_EQ(0, GetFileVersion((BinaryFolder() + "\\moss.exe").c_str(), info));
    EXPECT_EQ(0, GetFileVersion((folder + "\\ir50_32.dll").c_str(), info));
    EXPECT_EQ(0, std::memcmp(&before, &info, sizeof info));
    RemoveTree(folder);
}
