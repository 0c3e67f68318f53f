// minst.exe, the game's setup: started with /E it leaves the settings of a finished setup
// under HKLM\SOFTWARE\HALDEN\MOSSHARBOR TRIAL ("Install Path" is its own folder, "Setup" is 1,
// every other value its default) and ends with 0. Test switches, environment variables:
//     MOSS_MINST_EXIT=N       end with N instead (after writing)
//     MOSS_MINST_NO_SETUP=1   write everything but "Setup"
//     MOSS_MINST_CRASH=1      crash before writing anything
//     MOSS_MINST_WAIT=NAME    first wait (10 s at most) until the named event is set, so that a
//                             test can look at the launcher while its setup runs
// It ends with 2 when the values could not be written.
#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "StandInLog.h"

namespace {

// Set, non-empty and not "0".
bool Switch(const char* name) {
    char value[16];
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value && std::strcmp(value, "0") != 0;
}

DWORD ExitCodeAsked() {
    char value[16];
    DWORD length = GetEnvironmentVariableA("MOSS_MINST_EXIT", value, sizeof value);
    if (length == 0 || length >= sizeof value)
        return 0;
    return std::strtoul(value, nullptr, 0);
}

void WaitForTheTest() {
    char name[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("MOSS_MINST_WAIT", name, sizeof name);
    if (length == 0 || length >= sizeof name)
        return;
    HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, name);
    if (!event)
        return;
    WaitForSingleObject(event, 10000);
    CloseHandle(event);
}

LONG WINAPI EndWithTheFault(EXCEPTION_POINTERS*) {
    return EXCEPTION_EXECUTE_HANDLER;
}

// Dies of an unhandled fault with its code as exit code; the filter keeps the system's
// debugger from holding the process open.
[[noreturn]] void Crash() {
    SetUnhandledExceptionFilter(EndWithTheFault);
    RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    ExitProcess(EXCEPTION_ACCESS_VIOLATION);
}

// The folder of this program, without a trailing backslash ("D:" at a drive root).
void OwnFolder(char (&folder)[MAX_PATH]) {
    folder[0] = '\0';
    DWORD length = GetModuleFileNameA(nullptr, folder, MAX_PATH - 1);
    folder[length < MAX_PATH ? length : 0] = '\0';
    char* backslash = std::strrchr(folder, '\\');
    if (backslash)
        *backslash = '\0';
}

class SettingsKey {
  public:
    SettingsKey() {
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL", 0, nullptr, 0,
                            KEY_SET_VALUE, nullptr, &key_, nullptr))
            key_ = nullptr;
    }
    SettingsKey(const SettingsKey&) = delete;
    SettingsKey& operator=(const SettingsKey&) = delete;
    ~SettingsKey() {
        if (key_)
            RegCloseKey(key_);
    }

    bool Dword(const char* name, DWORD value) { return Set(name, REG_DWORD, &value, sizeof value); }
    bool String(const char* name, const char* text) {
        return Set(name, REG_SZ, text, static_cast<DWORD>(std::strlen(text) + 1));
    }
    bool Binary(const char* name, const void* data, DWORD size) {
        return Set(name, REG_BINARY, data, size);
    }

  private:
    bool Set(const char* name, DWORD type, const void* data, DWORD size) {
        return key_ &&
               RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), size) == 0;
    }

    HKEY key_ = nullptr;
};

bool WriteFinishedSetup(bool markSetupDone) {
    char folder[MAX_PATH];
    OwnFolder(folder);
    const BYTE noDevice[16] = {};
    SettingsKey key;
    bool written = !markSetupDone || key.Dword("Setup", 1);
    written &= key.Dword("Install", 0);
    written &= key.Dword("Indeo Check", 0);
    written &= key.Dword("Display Mode", 0);
    written &= key.Dword("Device", 0);
    written &= key.Binary("Device ID", noDevice, sizeof noDevice);
    written &= key.Dword("Option0", 0xFFFFFFFB);
    written &= key.Dword("Option1", 0xFFFFFFFB);
    written &= key.Dword("Install Flag", 0);
    written &= key.String("Save Path", "");
    written &= key.String("Install Path", folder);
    written &= key.String("Execute", "");
    return written;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RecordStandInStart();
    WaitForTheTest();
    if (Switch("MOSS_MINST_CRASH"))
        Crash();
    if (!WriteFinishedSetup(!Switch("MOSS_MINST_NO_SETUP")))
        return 2;
    return static_cast<int>(ExitCodeAsked());
}
