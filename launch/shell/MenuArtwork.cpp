// The menu picture, copied straight from the locked bitmap resources on every repaint.
#include "MenuArtwork.h"

#include "ArtworkPalettes.h"
#include "MenuLayout.h"

namespace {

// Selects and realises the artwork palettes one after another; the DC gets back the palette it
// had, so deleting the artwork palettes later never finds one of them still selected.
class PaletteSelection {
  public:
    explicit PaletteSelection(HDC dc)
        : dc_(dc), original_(static_cast<HPALETTE>(GetCurrentObject(dc, OBJ_PAL))) {}
    PaletteSelection(const PaletteSelection&) = delete;
    PaletteSelection& operator=(const PaletteSelection&) = delete;
    ~PaletteSelection() {
        if (original_)
            SelectPalette(dc_, original_, FALSE);
    }

    void Use(HPALETTE palette) {
        SelectPalette(dc_, palette, FALSE);
        RealizePalette(dc_);
    }

  private:
    HDC dc_;
    HPALETTE original_;
};

// Copies a bitmap to (x, y) at its own size. colourCount says how many table entries lie
// between the header and the pixels.
void CopyBitmap(HDC dc, ArtworkBitmap bitmap, DWORD colourCount, int x, int y) {
    const BITMAPINFOHEADER* header = LockArtworkBitmap(bitmap);
    if (!header)
        return;
    const BYTE* bits = reinterpret_cast<const BYTE*>(header) + header->biSize + 4 * colourCount;
    SetDIBitsToDevice(dc, x, y, header->biWidth, header->biHeight, 0, 0, 0, header->biHeight, bits,
                      reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS);
}

} // namespace

int PaintArtwork(HWND, HDC memoryDC) {
    PaletteSelection palettes(memoryDC);
    palettes.Use(ArtworkPalette[PaletteSource]);
    CopyBitmap(memoryDC, Background, ArtworkColourCount[PaletteSource], 0, 0);

    for (int item = 0; item < MenuItemCount; ++item) {
        const MenuItemLayout& layout = MenuLayout[item];
        if (!ItemHighlight[item] || !layout.active)
            continue;
        ArtworkBitmap bar = layout.width == 296 ? WideBar : NarrowBar;
        palettes.Use(ArtworkPalette[bar]);
        CopyBitmap(memoryDC, bar, ArtworkColourCount[bar], layout.left, layout.top);
    }
    return 1;
}
