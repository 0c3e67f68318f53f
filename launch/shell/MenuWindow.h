// The menu window: a modeless dialog of class "TEST" built from template 101.
#pragma once
#include <windows.h>

LRESULT CALLBACK MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK MenuDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
