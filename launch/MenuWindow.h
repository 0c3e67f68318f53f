// The menu window: a modeless dialog of class "TEST" built from template 101.
#pragma once
#include <windows.h>

enum { CommandSlotCount = 7 };
// One flag per command slot, set while that command runs (0 Play, 1 Change Settings,
// 5 Install Software). Written by the menu window; read by PlayGame.
extern LONG CommandBusy[CommandSlotCount];

LRESULT CALLBACK MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK MenuDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
