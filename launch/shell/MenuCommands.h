// The commands behind the menu's items, the same for a click and for Enter.
#pragma once
#include <windows.h>

// The maker's web site, opened by Web Site.
extern const char* const WebSiteUrl;

// Runs the command of an active item; returns what the dialog procedure returns (TRUE once
// the window has closed).
INT_PTR RunMenuCommand(HWND window, int item);
// Deletes the palettes, destroys the window and ends the message loop with exit code 0.
INT_PTR CloseMenu(HWND window);
