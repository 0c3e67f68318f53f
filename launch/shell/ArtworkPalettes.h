// One logical palette per menu bitmap.
#pragma once
#include <windows.h>

#include "ArtworkBitmap.h"

// Colour-table entries of each bitmap, by ArtworkBitmap index. Written by
// CreateArtworkPalettes; read by PaintArtwork to find the pixels behind the table.
extern DWORD ArtworkColourCount[ArtworkBitmapCount];
// Null until built. Created once by the menu window as it opens; deleted when it closes.
extern HPALETTE ArtworkPalette[ArtworkBitmapCount];

// Builds the four palettes from the bitmaps' colour tables. 1 when all four were built; 0 as
// soon as a bitmap is missing (the palettes built before it remain).
int CreateArtworkPalettes();
// Deletes the palettes that exist and leaves every entry null.
void DeleteArtworkPalettes();
