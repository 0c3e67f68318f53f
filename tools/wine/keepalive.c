/* An idle GUI process for the duration of a test run: Wine's desktop process otherwise
   restarts for every GUI test. It ends when the wineserver is stopped. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    MSG message;
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    CreateWindowA("STATIC", "keepalive", WS_POPUP, 0, 0, 1, 1, NULL, NULL, NULL, NULL);
    while (GetMessageA(&message, NULL, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
