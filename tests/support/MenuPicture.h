// Off-screen pictures of the menu for painting tests, read back as 0xRRGGBB pixels.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "ArtworkBitmap.h"
#include "TestWindow.h"

enum { PictureWidth = 640, PictureHeight = 480 };

using Picture = std::vector<DWORD>; // top-down rows of 0xRRGGBB

// A memory DC compatible with the screen holding a 640 x 480 compatible bitmap, as the menu
// window keeps its surface.
class TestSurface {
  public:
    TestSurface();
    TestSurface(const TestSurface&) = delete;
    TestSurface& operator=(const TestSurface&) = delete;
    ~TestSurface();

    HDC Dc() const { return dc_; }
    Picture Read() const;

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

// The resource's pixels, top-down, through its own colour table.
Picture DecodeArtworkBitmap(ArtworkBitmap bitmap);
// The bitmap's pixels pasted into picture at (left, top).
void PasteArtworkBitmap(Picture& picture, ArtworkBitmap bitmap, int left, int top);

inline DWORD PixelAt(const Picture& picture, int x, int y) {
    return picture[y * PictureWidth + x];
}

// The first pixel where two pictures differ, as "(x, y) 0xRRGGBB != 0xRRGGBB", or "".
std::string FirstDifference(const Picture& actual, const Picture& expected);
