/* The floor of the start-up figures: the least a program can do to show one centred 640 x 480
   window without caption, painted with its white class brush. It ends on a close request.
     emptywindow.exe            the floor
     emptywindow.exe ddraw      first creates and releases one DirectDraw object of the primary
                                driver and reads its capabilities: what one DirectDraw object
                                alone adds to the floor
     emptywindow.exe enumerate  first makes the DirectDraw calls that the menu's device list
                                cannot do without: one driver enumeration, and for each driver
                                one object asked through IDirectDraw4 for its identifier,
                                capabilities, display mode and free texture memory */
#include <windows.h>
#include <ddraw.h>
#include <string.h>

typedef HRESULT(WINAPI* DirectDrawCreateCall)(GUID*, LPDIRECTDRAW*, IUnknown*);
typedef HRESULT(WINAPI* DirectDrawEnumerateCall)(LPDDENUMCALLBACKA, LPVOID);

static LRESULT CALLBACK EmptyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static DirectDrawCreateCall Create;

static void TouchDirectDraw(void) {
    LPDIRECTDRAW directDraw = NULL;
    DDCAPS hardware, emulation;
    if (SUCCEEDED(Create(NULL, &directDraw, NULL))) {
        memset(&hardware, 0, sizeof hardware);
        memset(&emulation, 0, sizeof emulation);
        hardware.dwSize = emulation.dwSize = sizeof hardware;
        IDirectDraw_GetCaps(directDraw, &hardware, &emulation);
        IDirectDraw_Release(directDraw);
    }
}

static BOOL WINAPI ExamineDriver(GUID* driver, LPSTR description, LPSTR name, LPVOID context) {
    LPDIRECTDRAW directDraw;
    LPDIRECTDRAW4 directDraw4;
    DDDEVICEIDENTIFIER identifier;
    DDCAPS hardware, emulation;
    DDSURFACEDESC2 mode;
    DDSCAPS2 caps;
    DWORD total, free;
    (void)description;
    (void)name;
    (void)context;
    if (FAILED(Create(driver, &directDraw, NULL)))
        return DDENUMRET_CANCEL;
    if (FAILED(IDirectDraw_QueryInterface(directDraw, &IID_IDirectDraw4, (void**)&directDraw4))) {
        IDirectDraw_Release(directDraw);
        return DDENUMRET_CANCEL;
    }
    IDirectDraw_Release(directDraw);
    IDirectDraw4_GetDeviceIdentifier(directDraw4, &identifier, 0);
    memset(&hardware, 0, sizeof hardware);
    memset(&emulation, 0, sizeof emulation);
    hardware.dwSize = emulation.dwSize = sizeof hardware;
    IDirectDraw4_GetCaps(directDraw4, &hardware, &emulation);
    memset(&mode, 0, sizeof mode);
    mode.dwSize = sizeof mode;
    IDirectDraw4_GetDisplayMode(directDraw4, &mode);
    memset(&caps, 0, sizeof caps);
    caps.dwCaps = DDSCAPS_TEXTURE;
    IDirectDraw4_GetAvailableVidMem(directDraw4, &caps, &total, &free);
    IDirectDraw4_Release(directDraw4);
    return DDENUMRET_OK;
}

/* ddraw.dll is loaded by name, so that the plain floor does not load it at all. */
static void UseDirectDraw(int enumerate) {
    HMODULE library = LoadLibraryA("ddraw.dll");
    DirectDrawEnumerateCall enumerateDrivers;
    if (!library)
        return;
    Create = (DirectDrawCreateCall)(void (*)(void))GetProcAddress(library, "DirectDrawCreate");
    enumerateDrivers =
        (DirectDrawEnumerateCall)(void (*)(void))GetProcAddress(library, "DirectDrawEnumerateA");
    if (!Create || !enumerateDrivers)
        return;
    if (enumerate)
        enumerateDrivers(ExamineDriver, NULL);
    else
        TouchDirectDraw();
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    WNDCLASSA windowClass = {0};
    MSG message;
    int x = (GetSystemMetrics(SM_CXSCREEN) - 640) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - 480) / 2;
    (void)previous;
    (void)show;
    if (strstr(commandLine, "ddraw") || strstr(commandLine, "enumerate"))
        UseDirectDraw(strstr(commandLine, "enumerate") != NULL);
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
