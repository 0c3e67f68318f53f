// WM_INITDIALOG of the menu window.
#include "MenuOpening.h"
#include "DisplayDeviceList.h"
#include "LauncherSettings.h"
#include "LauncherState.h"
#include "ArtworkPalettes.h"
#include "MenuArtwork.h"
#include "MenuLabels.h"
#include "MenuRegions.h"
#include "MenuSurface.h"
#include "MenuWindow.h"
#include "RunSetup.h"

namespace {

void CentreOnScreen(HWND window) {
    int x = (GetSystemMetrics(SM_CXSCREEN) - MenuWidth) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - MenuHeight) / 2;
    MoveWindow(window, x, y, MenuWidth, MenuHeight, TRUE);
}

} // namespace

INT_PTR OnMenuOpen(HWND window) {
    LoadLauncherSettings();
    if (LauncherSettings.setup == 0 && !RunSetup(window)) {
        DestroyWindow(window);
        PostQuitMessage(0);
        return FALSE;
    }
    BuildDisplayDeviceList();
    SelectDisplayDevice();

    CreateMenuSurface(window);
    CentreOnScreen(window);
    PaintMenuLabels(window, MenuSurface.memoryDC); // sets the title
    CreateArtworkPalettes();

    for (LONG& flag : ItemHighlight)
        flag = 0;
    CreateMenuRegions();
    ItemHighlight[ItemPlay] = 1;
    for (LONG& flag : CommandBusy)
        flag = 0;

    PaintArtwork(window, MenuSurface.memoryDC);
    PaintMenuLabels(window, MenuSurface.memoryDC);
    return FALSE;
}
