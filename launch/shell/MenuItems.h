// The menu's items, numbered as the layout's slots; 2, 3, 4 and 7 are inactive slots.
#pragma once
#include "MenuLayout.h"

enum MenuItem {
    ItemPlay = 0,
    ItemChangeSettings = 1,
    ItemInstallSoftware = 5,
    ItemWebSite = 6,
    ItemExit = 8,
    ItemHelp = 9,
};

// The highlight's keyboard cycles: 0, 1, 5, 6, 8, 9 forward and the reverse backward.
int NextMenuItem(int item);
int PreviousMenuItem(int item);
