// The menu's mouse and keyboard handling.
#pragma once
#include <windows.h>

INT_PTR OnMenuMouseMove(HWND window, LPARAM position);
INT_PTR OnMenuButtonDown(HWND window, LPARAM position);
INT_PTR OnMenuKeyDown(HWND window, WPARAM key);
