// Off-screen menu pictures for painting tests.
#include "MenuPicture.h"

#include <stdio.h>
#include <string>

TestSurface::TestSurface() {
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    bitmap_ = CreateCompatibleBitmap(screen, PictureWidth, PictureHeight);
    ReleaseDC(nullptr, screen);
    previous_ = SelectObject(dc_, bitmap_);
}

TestSurface::~TestSurface() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

Picture TestSurface::Read() const {
    Picture pixels(PictureWidth * PictureHeight);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = PictureWidth;
    info.bmiHeader.biHeight = -PictureHeight; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    // GetDIBits wants the bitmap out of any DC while it reads.
    SelectObject(dc_, previous_);
    GetDIBits(dc_, bitmap_, 0, PictureHeight, pixels.data(), &info, DIB_RGB_COLORS);
    SelectObject(dc_, bitmap_);
    for (DWORD& pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

namespace {

DWORD TableColour(const BITMAPINFOHEADER* header, int index) {
    const BYTE* entry = reinterpret_cast<const BYTE*>(header) + header->biSize + 4 * index;
    return (entry[2] << 16) | (entry[1] << 8) | entry[0];
}

} // namespace

Picture DecodeArtworkBitmap(ArtworkBitmap bitmap) {
    const BITMAPINFOHEADER* header = LockArtworkBitmap(bitmap);
    const int width = header->biWidth;
    const int height = header->biHeight;
    const int stride = (width + 3) & ~3;
    const BYTE* bits = reinterpret_cast<const BYTE*>(header) + header->biSize + 4 * 256;
    Picture pixels(width * height);
    for (int y = 0; y < height; ++y) {
        const BYTE* row = bits + (height - 1 - y) * stride; // stored bottom-up
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = TableColour(header, row[x]);
    }
    return pixels;
}

void PasteArtworkBitmap(Picture& picture, ArtworkBitmap bitmap, int left, int top) {
    const BITMAPINFOHEADER* header = LockArtworkBitmap(bitmap);
    const Picture pixels = DecodeArtworkBitmap(bitmap);
    for (int y = 0; y < header->biHeight; ++y)
        for (int x = 0; x < header->biWidth; ++x)
            picture[(top + y) * PictureWidth + left + x] = pixels[y * header->biWidth + x];
}

std::string FirstDifference(const Picture& actual, const Picture& expected) {
    for (size_t k = 0; k < actual.size() && k < expected.size(); ++k) {
        if (actual[k] != expected[k]) {
            char text[80];
            snprintf(text, sizeof text, "(%d, %d) 0x%06lX != 0x%06lX",
                     static_cast<int>(k % PictureWidth), static_cast<int>(k / PictureWidth),
                     static_cast<unsigned long>(actual[k]),
                     static_cast<unsigned long>(expected[k]));
            return text;
        }
    }
    return actual.size() == expected.size() ? "" : "pictures of different sizes";
}
