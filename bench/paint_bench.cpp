// Times one full repaint of the menu surface (artwork and labels) against one 640 x 480 BitBlt
// on the same kind of surface, the floor no repaint can go below.
//   paint_bench.exe [runs] [--save picture.bmp [highlighted item]]
// --save also writes the painted surface as a 24-bit BMP, to look at the menu.
#include <windows.h>
#include <algorithm>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <vector>

#include "ArtworkPalettes.h"
#include "MenuArtwork.h"
#include "MenuLabels.h"
#include "MenuLayout.h"

namespace {

const int Width = 640;
const int Height = 480;

class Surface {
  public:
    Surface() {
        HDC screen = GetDC(nullptr);
        dc_ = CreateCompatibleDC(screen);
        bitmap_ = CreateCompatibleBitmap(screen, Width, Height);
        ReleaseDC(nullptr, screen);
        previous_ = SelectObject(dc_, bitmap_);
    }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    ~Surface() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }

    bool Save(const char* path) const {
        const DWORD stride = (Width * 3 + 3) & ~3u;
        std::vector<BYTE> bits(stride * Height);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = Width;
        info.bmiHeader.biHeight = Height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        SelectObject(dc_, previous_);
        GetDIBits(dc_, bitmap_, 0, Height, bits.data(), &info, DIB_RGB_COLORS);
        SelectObject(dc_, bitmap_);
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42; // "BM"
        file.bfOffBits = sizeof file + sizeof info.bmiHeader;
        file.bfSize = file.bfOffBits + static_cast<DWORD>(bits.size());
        FILE* out = fopen(path, "wb");
        if (!out)
            return false;
        bool written = fwrite(&file, sizeof file, 1, out) == 1 &&
                       fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                       fwrite(bits.data(), bits.size(), 1, out) == 1;
        return fclose(out) == 0 && written;
    }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
};

template <typename Work> double MedianMilliseconds(int runs, Work work) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int k = 0; k < runs; ++k) {
        QueryPerformanceCounter(&start);
        work();
        GdiFlush();
        QueryPerformanceCounter(&end);
        times.push_back(1000.0 * (end.QuadPart - start.QuadPart) / frequency.QuadPart);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    int runs = 1000;
    const char* savePath = nullptr;
    int highlighted = 0;
    for (int k = 1; k < argc; ++k) {
        if (strcmp(argv[k], "--save") == 0 && k + 1 < argc) {
            savePath = argv[++k];
            if (k + 1 < argc)
                highlighted = atoi(argv[++k]);
        } else {
            runs = std::max(1, atoi(argv[k]));
        }
    }

    HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 16, 16, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    Surface surface;
    Surface other;
    CreateArtworkPalettes();
    if (highlighted >= 0 && highlighted < MenuItemCount)
        ItemHighlight[highlighted] = 1;

    auto repaint = [&] {
        PaintArtwork(window, surface.Dc());
        PaintMenuLabels(window, surface.Dc());
    };
    for (int k = 0; k < 50; ++k) // warm up: resources mapped, font cached
        repaint();

    const double full = MedianMilliseconds(runs, repaint);
    const double artwork = MedianMilliseconds(runs, [&] { PaintArtwork(window, surface.Dc()); });
    const double labels = MedianMilliseconds(runs, [&] { PaintMenuLabels(window, surface.Dc()); });
    const double blit = MedianMilliseconds(
        runs, [&] { BitBlt(surface.Dc(), 0, 0, Width, Height, other.Dc(), 0, 0, SRCCOPY); });

    printf("median of %d runs, milliseconds\n", runs);
    printf("  full repaint (artwork and labels)  %.3f\n", full);
    printf("    artwork alone                    %.3f\n", artwork);
    printf("    labels alone                     %.3f\n", labels);
    printf("  one 640 x 480 BitBlt (floor)       %.3f\n", blit);

    int status = 0;
    if (savePath) {
        repaint();
        if (!surface.Save(savePath)) {
            fprintf(stderr, "could not write %s\n", savePath);
            status = 1;
        }
    }
    DeleteArtworkPalettes();
    DestroyWindow(window);
    return status;
}
