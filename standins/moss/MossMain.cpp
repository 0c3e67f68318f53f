// moss.exe stand-in: started by the launcher as "<path> 4806173", it holds the game's mutex,
// records how it was started and shows the settings it was started with.
#include <windows.h>

#include <cstring>
#include <string>

#include "SettingsText.h"
#include "StartRecord.h"

namespace {

const char LaunchToken[] = "4806173";

// The launcher passes the path unquoted, so the token is whatever follows the last blank.
bool HasLaunchToken(const char* commandLine) {
    const char* blank = std::strrchr(commandLine, ' ');
    return blank && std::strcmp(blank + 1, LaunchToken) == 0;
}

bool TestWantsExit() {
    char value[8];
    return GetEnvironmentVariableA("MOSS_STANDIN_EXIT", value, sizeof value) > 0;
}

LRESULT CALLBACK StandInWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND ShowStartedWindow(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = StandInWindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "MossHarborStandIn";
    RegisterClassA(&windowClass);

    // Shown only once its text is in place.
    HWND window =
        CreateWindowA("MossHarborStandIn", "MOSS HARBOR", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                      40, 40, 460, 150, nullptr, nullptr, instance, nullptr);
    if (!window)
        return nullptr;
    std::string text = "MOSS HARBOR (demo stand-in) started.\r\n" + DescribeSettings();
    CreateWindowA("STATIC", text.c_str(), WS_CHILD | WS_VISIBLE, 10, 10, 430, 100, window, nullptr,
                  instance, nullptr);
    ShowWindow(window, SW_SHOW);
    return window;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Held while the game runs, as the real game does; the launcher may hold it too.
    HANDLE running = CreateMutexA(nullptr, FALSE, "MOSS HARBOR PC");
    RecordStart();
    int exitCode = 0;
    if (!HasLaunchToken(GetCommandLineA())) {
        exitCode = 2; // the game runs only when its launcher starts it
    } else if (!TestWantsExit() && ShowStartedWindow(instance)) {
        // Waiting here is what makes the process idle for the launcher's WaitForInputIdle.
        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    if (running)
        CloseHandle(running);
    return exitCode;
}
