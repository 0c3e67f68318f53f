// The game CD as a player gets it: the launcher on the disc of both builds (its shell icon, no
// execution level that would end registry virtualization), and this build's disc in drive E:
// started as a player starts it from there.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "DiscImage.h"
#include "StandInRecords.h"
#include "TestFiles.h"
#include "TestKey.h"

namespace {

const DWORD TimeoutMs = 10000;
const char* const SettingsKey = "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL";

std::string TestCd() {
    return BinaryFolder() + "\\gamecd";
}

// The release build lies beside this one: build\i686 next to build\x86_64.
std::string ReleaseCd() {
    return BinaryFolder() + "\\..\\..\\i686\\bin\\gamecd";
}

// An executable opened for its resources only; a 32-bit file opens as well.
class ResourceFile {
  public:
    explicit ResourceFile(const std::string& path)
        : module_(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ~ResourceFile() {
        if (module_)
            FreeLibrary(module_);
    }
    ResourceFile(const ResourceFile&) = delete;
    ResourceFile& operator=(const ResourceFile&) = delete;
    HMODULE Module() const { return module_; }

  private:
    HMODULE module_;
};

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
    reinterpret_cast<std::vector<std::string>*>(names)->push_back(
        IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name)) : name);
    return TRUE;
}

// Resource names of one type in the order the shell counts them ("#105" for a number).
std::vector<std::string> ResourceNames(HMODULE module, LPCSTR type) {
    std::vector<std::string> names;
    EnumResourceNamesA(module, type, CollectName, reinterpret_cast<LONG_PTR>(&names));
    return names;
}

// The text of one resource; a UTF-16 one with its zero bytes dropped.
std::string ResourceText(HMODULE module, const std::string& name, LPCSTR type) {
    LPCSTR id = name[0] == '#' ? MAKEINTRESOURCEA(std::stoi(name.substr(1))) : name.c_str();
    HRSRC found = FindResourceA(module, id, type);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    std::string text;
    for (DWORD i = 0; bytes && i < SizeofResource(module, found); ++i) {
        if (bytes[i] != '\0')
            text += bytes[i];
    }
    return text;
}

// Whether the manifest the system reads from the program (RT_MANIFEST, any id) asks for an
// execution level; a program that does loses registry virtualization.
bool RequestsExecutionLevel(const std::string& path) {
    ResourceFile file(path);
    EXPECT_NE(nullptr, file.Module()) << path;
    for (const std::string& name : ResourceNames(file.Module(), MAKEINTRESOURCEA(24))) {
        if (ResourceText(file.Module(), name, MAKEINTRESOURCEA(24))
                .find("requestedExecutionLevel") != std::string::npos)
            return true;
    }
    return false;
}

// The colour and mask bits of an icon, to tell two icons apart by their pictures.
std::vector<BYTE> IconBits(HICON icon) {
    std::vector<BYTE> bits;
    ICONINFO info;
    if (!icon || !GetIconInfo(icon, &info))
        return bits;
    HDC screen = GetDC(nullptr);
    for (HBITMAP bitmap : {info.hbmColor, info.hbmMask}) {
        BITMAPINFO format = {};
        format.bmiHeader.biSize = sizeof format.bmiHeader;
        if (!bitmap || !GetDIBits(screen, bitmap, 0, 0, nullptr, &format, DIB_RGB_COLORS))
            continue;
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        size_t start = bits.size();
        bits.resize(start + 4 * format.bmiHeader.biWidth * abs(format.bmiHeader.biHeight));
        GetDIBits(screen, bitmap, 0, abs(format.bmiHeader.biHeight), &bits[start], &format,
                  DIB_RGB_COLORS);
        DeleteObject(bitmap);
    }
    ReleaseDC(nullptr, screen);
    return bits;
}

// The large icon the shell shows for "file,index"; a negative index names a resource id.
std::vector<BYTE> ShellIcon(const std::string& file, int index) {
    HICON large = nullptr;
    if (ExtractIconExA(file.c_str(), index, &large, nullptr, 1) != 1 || !large)
        return {};
    std::vector<BYTE> bits = IconBits(large);
    DestroyIcon(large);
    return bits;
}

const char* const LevelManifest =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
    "<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">\r\n"
    "<trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\"><security><requestedPrivileges>\r\n"
    "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>\r\n"
    "</requestedPrivileges></security></trustInfo></assembly>\r\n";

bool AddManifest(const std::string& path, const char* manifest) {
    HANDLE update = BeginUpdateResourceA(path.c_str(), FALSE);
    if (!update)
        return false;
    bool added = UpdateResourceA(update, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1),
                                 MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                                 const_cast<char*>(manifest), lstrlenA(manifest)) != 0;
    return EndUpdateResourceA(update, !added) && added;
}

// Waits for a message box of the process and answers it; its text goes to text.
bool AnswerMessageBox(ChildProcess& program, int answer, std::string& text) {
    HWND box = program.WaitForWindow("#32770", TimeoutMs, 0xFFFF);
    if (!box)
        return false;
    char buffer[512] = "";
    GetDlgItemTextA(box, 0xFFFF, buffer, sizeof buffer);
    text = buffer;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
    return true;
}

} // namespace

TEST(GameCdFiles, TheLaunchersOnTheDiscRequestNoExecutionLevel) {
    for (const std::string& cd : {ReleaseCd(), TestCd()}) {
        ASSERT_TRUE(FileExists(cd + "\\launcher.exe")) << cd << ": build both presets first";
        EXPECT_FALSE(RequestsExecutionLevel(cd + "\\launcher.exe")) << cd;
        // Without an embedded manifest the system would read one lying beside the program.
        EXPECT_FALSE(FileExists(cd + "\\launcher.exe.manifest")) << cd;
    }
}

TEST(GameCdFiles, AnExecutionLevelAddedToTheReleaseLauncherIsNoticed) {
    std::string scratch = MakeScratchFolder("manifest");
    std::string copy = scratch + "\\launcher.exe";
    ASSERT_TRUE(CopyFileA((ReleaseCd() + "\\launcher.exe").c_str(), copy.c_str(), FALSE));
    ASSERT_FALSE(RequestsExecutionLevel(copy));
    ASSERT_TRUE(AddManifest(copy, LevelManifest));
    EXPECT_TRUE(RequestsExecutionLevel(copy));
    RemoveTree(scratch);
}

TEST(GameCdFiles, TheShellShowsIconGroup105AsTheLaunchersIcon) {
    for (const std::string& cd : {ReleaseCd(), TestCd()}) {
        std::string launcher = cd + "\\launcher.exe";
        ResourceFile file(launcher);
        ASSERT_NE(nullptr, file.Module()) << launcher;
        std::vector<std::string> groups = ResourceNames(file.Module(), RT_GROUP_ICON);
        ASSERT_FALSE(groups.empty()) << launcher;
        EXPECT_EQ("#105", groups.front()) << launcher;

        // autorun.inf says "icon=launcher.exe,0": the first icon is the picture of group 105.
        std::vector<BYTE> first = ShellIcon(launcher, 0);
        EXPECT_FALSE(first.empty()) << launcher;
        EXPECT_EQ(ShellIcon(launcher, -105), first) << launcher;
    }
}

namespace {

// This build's disc in drive E:, with the settings key as it was before.
class DiscInDrive : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(FileExists("E:\\moss.exe")) << "something was left on the disc in E:";
        ASSERT_FALSE(FileExists("D:\\moss.exe")) << "something was left on the disc in D:";
        disc_.reset(new DiscImage(TestCd(), "E:"));
        ASSERT_TRUE(disc_->Placed());
    }

    static bool StartFromDisc(ChildProcess& launcher) {
        return launcher.Start("E:\\launcher.exe", "E:\\launcher.exe", "E:\\");
    }

    TestKey settings_{HKEY_LOCAL_MACHINE, SettingsKey};
    std::unique_ptr<DiscImage> disc_;
};

} // namespace

TEST_F(DiscInDrive, AFirstStartRunsTheSetupFromTheDiscAndPlayStartsTheGameThere) {
    settings_.Empty();
    std::string scratch = MakeScratchFolder("disc-log");
    std::string logPath = scratch + "\\starts.log";
    {
        StandInLog log(logPath);
        SetEnvironmentVariableA("MOSS_STANDIN_EXIT", "1");
        ChildProcess launcher;
        ASSERT_TRUE(StartFromDisc(launcher));
        HWND menu = launcher.WaitForWindow("TEST", TimeoutMs);
        ASSERT_NE(nullptr, menu) << "no menu after the setup";

        std::vector<StandInStart> starts = log.Starts();
        ASSERT_EQ(1u, starts.size());
        EXPECT_EQ("minst.exe", starts[0].program);
        EXPECT_EQ("E:\\minst.exe /E", starts[0].commandLine);
        EXPECT_EQ("E:", settings_.Read("Install Path").Text());

        // Play is lit when the menu opens; Enter runs it. Wine has no Indeo codec: go on anyway.
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
        std::string question;
        ASSERT_TRUE(AnswerMessageBox(launcher, IDYES, question)) << "no Indeo question";
        EXPECT_NE(std::string::npos, question.find("Indeo")) << question;
        EXPECT_EQ(0u, launcher.WaitForExit(TimeoutMs));
        SetEnvironmentVariableA("MOSS_STANDIN_EXIT", nullptr);

        // The game records "<command line> TAB <folder>" when it starts; the launcher does not
        // wait for that.
        std::string text;
        for (DWORD waited = 0; waited < TimeoutMs && text.find("moss.exe") == std::string::npos;
             waited += 20) {
            Sleep(20);
            text = ReadTextFile(logPath);
        }
        EXPECT_NE(std::string::npos, text.find("E:\\moss.exe 4806173\t")) << text;
    }
    RemoveTree(scratch);
}
