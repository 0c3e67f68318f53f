// Where the ten menu items sit on the 640 x 480 menu picture, and which one is highlighted.
#pragma once
#include <windows.h>

enum { MenuItemCount = 10 };

struct MenuItemLayout {
    LONG left;
    LONG top;
    LONG width;
    LONG height;
    bool active; // slots 2, 3, 4 and 7 carry no command, no label and no bar
};

// Wide items (296) fill a row; narrow ones (148) sit two to a row at 325 and 473.
extern const MenuItemLayout MenuLayout[MenuItemCount];

// Non-zero for the highlighted item; at most one is set. Written by the menu window; read by
// the painting of the artwork and of the labels.
extern LONG ItemHighlight[MenuItemCount];
