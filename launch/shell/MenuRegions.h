// The menu's hot regions (one per active item) and the draggable background.
#pragma once
#include <windows.h>
#include "MenuItems.h"

// Null for inactive slots. Made when the menu window opens; kept until the process ends.
extern HRGN HotRegion[MenuItemCount];
// The whole window minus every hot region.
extern HRGN BackgroundRegion;

void CreateMenuRegions();
bool IsInHotRegion(int item, int x, int y);
bool IsOnBackground(int x, int y);
