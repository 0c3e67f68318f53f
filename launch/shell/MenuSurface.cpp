// The menu's off-screen surface.
#include "MenuSurface.h"
#include "MenuArtwork.h"
#include "MenuLabels.h"

MenuSurfaceState MenuSurface;

void CreateMenuSurface(HWND window) {
    HDC windowDC = GetDC(window);
    MenuSurface.memoryDC = CreateCompatibleDC(windowDC);
    MenuSurface.bitmap = CreateCompatibleBitmap(windowDC, MenuWidth, MenuHeight);
    MenuSurface.previousBitmap =
        static_cast<HBITMAP>(SelectObject(MenuSurface.memoryDC, MenuSurface.bitmap));
    ReleaseDC(window, windowDC);
}

void DestroyMenuSurface() {
    if (!MenuSurface.memoryDC)
        return;
    SelectObject(MenuSurface.memoryDC, MenuSurface.previousBitmap);
    DeleteObject(MenuSurface.bitmap);
    DeleteDC(MenuSurface.memoryDC);
    MenuSurface = {};
}

void RepaintMenu(HWND window) {
    PaintArtwork(window, MenuSurface.memoryDC);
    PaintMenuLabels(window, MenuSurface.memoryDC);
    InvalidateRect(window, nullptr, FALSE);
}

void CopyMenuSurfaceTo(HDC target) {
    BitBlt(target, 0, 0, MenuWidth, MenuHeight, MenuSurface.memoryDC, 0, 0, SRCCOPY);
}
