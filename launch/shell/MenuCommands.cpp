// The menu's command table.
#include "MenuCommands.h"
#include "ArtworkPalettes.h"
#include "ChangeSettings.h"
#include "InstallSoftware.h"
#include "MenuItems.h"
#include "MenuSurface.h"
#include "MenuWindow.h"
#include "PlayGame.h"
#include "LauncherState.h"

#include <shellapi.h>

const char* const WebSiteUrl = "https://www.halden.example/mossharbor/";

namespace {

INT_PTR Play(HWND window) {
    CommandBusy[ItemPlay] = 1;
    if (PlayGame(window) == 1)
        return CloseMenu(window);
    CommandBusy[ItemPlay] = 0;
    return FALSE;
}

// Change Settings and Install Software: the settings may change the second line of Change
// Settings, so the menu repaints after either.
INT_PTR RunAndRepaint(HWND window, int slot, int (*command)(HWND)) {
    CommandBusy[slot] = 1;
    command(window);
    RepaintMenu(window);
    CommandBusy[slot] = 0;
    return FALSE;
}

INT_PTR OpenWebSite() {
    ShellExecuteA(nullptr, nullptr, WebSiteUrl, nullptr, nullptr, SW_SHOWNORMAL);
    return FALSE;
}

INT_PTR OpenHelp() {
    TString page;
    page.Format("%s\\%s", static_cast<const char*>(GameDirectory), "HELP\\TOP.HTM");
    ShellExecuteA(nullptr, nullptr, page, nullptr, nullptr, SW_SHOWNORMAL);
    return FALSE;
}

} // namespace

INT_PTR CloseMenu(HWND window) {
    DeleteArtworkPalettes();
    DestroyWindow(window);
    PostQuitMessage(0);
    return TRUE;
}

INT_PTR RunMenuCommand(HWND window, int item) {
    switch (item) {
        case ItemPlay:
            return Play(window);
        case ItemChangeSettings:
            return RunAndRepaint(window, ItemChangeSettings, ChangeSettings);
        case ItemInstallSoftware:
            return RunAndRepaint(window, ItemInstallSoftware, InstallSoftware);
        case ItemWebSite:
            return OpenWebSite();
        case ItemExit:
            return CloseMenu(window);
        case ItemHelp:
            return OpenHelp();
        default:
            return FALSE;
    }
}
