// The menu's off-screen picture: everything is painted here and reaches the screen by one
// BitBlt in WM_PAINT.
#pragma once
#include <windows.h>

enum { MenuWidth = 640, MenuHeight = 480 };

struct MenuSurfaceState {
    HDC memoryDC;
    HBITMAP bitmap;
    HBITMAP previousBitmap;
};

// Created when the menu window opens, destroyed with it.
extern MenuSurfaceState MenuSurface;

void CreateMenuSurface(HWND window);
void DestroyMenuSurface();
// Paints artwork and labels into the surface and invalidates the window without erasing.
void RepaintMenu(HWND window);
void CopyMenuSurfaceTo(HDC target);
