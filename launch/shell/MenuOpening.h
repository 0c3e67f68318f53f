// Opening of the menu window: settings, first-run setup, devices, surface, regions, picture.
#pragma once
#include <windows.h>

INT_PTR OnMenuOpen(HWND window);
