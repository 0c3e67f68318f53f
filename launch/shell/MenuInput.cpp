// The highlight follows the mouse and the Tab and arrow keys; a press or Enter runs a command.
#include "MenuInput.h"
#include "MenuCommands.h"
#include "MenuItems.h"
#include "MenuRegions.h"
#include "MenuSurface.h"

namespace {

int LowestHighlighted() {
    for (int item = 0; item < MenuItemCount; ++item) {
        if (ItemHighlight[item])
            return item;
    }
    return -1;
}

void MoveHighlight(HWND window, int (*step)(int)) {
    int item = LowestHighlighted();
    if (item >= 0) {
        ItemHighlight[item] = 0;
        ItemHighlight[step(item)] = 1;
    }
    RepaintMenu(window);
}

} // namespace

INT_PTR OnMenuMouseMove(HWND window, LPARAM position) {
    int x = LOWORD(position), y = HIWORD(position);
    for (int item = 0; item < MenuItemCount; ++item) {
        if (IsInHotRegion(item, x, y)) {
            if (ItemHighlight[item])
                return FALSE; // moving within the highlighted item costs nothing
            ItemHighlight[item] = 1;
        } else {
            ItemHighlight[item] = 0;
        }
    }
    RepaintMenu(window);
    return FALSE;
}

INT_PTR OnMenuButtonDown(HWND window, LPARAM position) {
    static const int ClickOrder[] = {ItemPlay, ItemChangeSettings, ItemInstallSoftware,
                                     ItemExit, ItemWebSite,        ItemHelp};
    int x = LOWORD(position), y = HIWORD(position);
    for (int item : ClickOrder) {
        if (IsInHotRegion(item, x, y))
            return RunMenuCommand(window, item);
    }
    return FALSE;
}

INT_PTR OnMenuKeyDown(HWND window, WPARAM key) {
    switch (key) {
        case VK_TAB:
        case VK_DOWN:
            MoveHighlight(window, NextMenuItem);
            return FALSE;
        case VK_UP:
            MoveHighlight(window, PreviousMenuItem);
            return FALSE;
        case VK_RETURN: {
            int item = LowestHighlighted();
            return item >= 0 && MenuLayout[item].active ? RunMenuCommand(window, item) : FALSE;
        }
        default:
            return FALSE;
    }
}
