/* The floor of the start-up figures: the least a program can do to show one centred 640 x 480
   window without caption, painted with its white class brush. It ends on a close request.
     emptywindow.exe          the floor
     emptywindow.exe ddraw    first creates and releases one DirectDraw object of the primary
                              driver and reads its capabilities, as the menu's device list does:
                              what the platform's DirectDraw alone adds to the floor */
#include <windows.h>
#include <ddraw.h>
#include <string.h>

typedef HRESULT(WINAPI* DirectDrawCreateCall)(GUID*, LPDIRECTDRAW*, IUnknown*);

static LRESULT CALLBACK EmptyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

/* Loaded by name, so that the plain floor does not load ddraw.dll at all. */
static void TouchDirectDraw(void) {
    HMODULE library = LoadLibraryA("ddraw.dll");
    DirectDrawCreateCall create;
    LPDIRECTDRAW directDraw = NULL;
    DDCAPS hardware, emulation;
    if (!library)
        return;
    create = (DirectDrawCreateCall)(void (*)(void))GetProcAddress(library, "DirectDrawCreate");
    if (create && SUCCEEDED(create(NULL, &directDraw, NULL))) {
        memset(&hardware, 0, sizeof hardware);
        memset(&emulation, 0, sizeof emulation);
        hardware.dwSize = emulation.dwSize = sizeof hardware;
        IDirectDraw_GetCaps(directDraw, &hardware, &emulation);
        IDirectDraw_Release(directDraw);
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    WNDCLASSA windowClass = {0};
    MSG message;
    int x = (GetSystemMetrics(SM_CXSCREEN) - 640) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - 480) / 2;
    (void)previous;
    (void)show;
    if (strstr(commandLine, "ddraw"))
        TouchDirectDraw();
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = EmptyWindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = (HBRUSH)GetStockObject(WHITE_BRUSH);
    windowClass.lpszClassName = "EmptyWindow";
    RegisterClassA(&windowClass);
    CreateWindowA("EmptyWindow", "", WS_POPUP | WS_VISIBLE, x, y, 640, 480, NULL, NULL, instance,
                  NULL);
    while (GetMessageA(&message, NULL, 0, 0) > 0)
        DispatchMessageA(&message);
    return 0;
}
