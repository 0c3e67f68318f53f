// The window class of the menu window.
#include "MenuClass.h"
#include "MenuWindow.h"
#include "LauncherState.h"

void RegisterMenuClass() {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MenuWindowProc;
    windowClass.cbWndExtra = DLGWINDOWEXTRA; // the dialog manager runs windows of this class
    windowClass.hInstance = AppInstance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "TEST";
    RegisterClassA(&windowClass);
}
