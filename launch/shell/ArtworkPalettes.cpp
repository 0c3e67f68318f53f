// Logical palettes built from the colour tables of the menu bitmaps.
#include "ArtworkPalettes.h"

DWORD ArtworkColourCount[ArtworkBitmapCount];
HPALETTE ArtworkPalette[ArtworkBitmapCount];

namespace {

// A table of biClrUsed entries when that is given, else the full table of the bit count.
void StoreColourCount(const BITMAPINFOHEADER& header, DWORD& count) {
    if (header.biClrUsed != 0) {
        count = header.biClrUsed;
        return;
    }
    switch (header.biBitCount) {
        case 1:
            count = 2;
            break;
        case 4:
            count = 16;
            break;
        case 8:
            count = 256;
            break;
        case 24:
            count = 0;
            break;
        default:
            break;
    }
}

HPALETTE CreatePaletteFromTable(const BITMAPINFOHEADER& header, DWORD count) {
    HGLOBAL block = GlobalAlloc(GHND, 8 + 4 * count);
    if (!block)
        return nullptr;
    HPALETTE palette = nullptr;
    if (auto* logical = static_cast<LOGPALETTE*>(GlobalLock(block))) {
        logical->palVersion = 0x300;
        logical->palNumEntries = static_cast<WORD>(count);
        // The table stores blue, green, red, reserved, right behind the header.
        const BYTE* table = reinterpret_cast<const BYTE*>(&header) + sizeof(BITMAPINFOHEADER);
        for (DWORD k = 0; k < count; ++k) {
            logical->palPalEntry[k].peRed = table[4 * k + 2];
            logical->palPalEntry[k].peGreen = table[4 * k + 1];
            logical->palPalEntry[k].peBlue = table[4 * k];
        }
        palette = CreatePalette(logical);
        GlobalUnlock(block);
    }
    GlobalFree(block);
    return palette;
}

} // namespace

int CreateArtworkPalettes() {
    for (int k = 0; k < ArtworkBitmapCount; ++k) {
        const BITMAPINFOHEADER* header = LockArtworkBitmap(static_cast<ArtworkBitmap>(k));
        if (!header)
            return 0;
        StoreColourCount(*header, ArtworkColourCount[k]);
        ArtworkPalette[k] = CreatePaletteFromTable(*header, ArtworkColourCount[k]);
    }
    return 1;
}

void DeleteArtworkPalettes() {
    for (HPALETTE& palette : ArtworkPalette) {
        if (palette)
            DeleteObject(palette);
        palette = nullptr;
    }
}
