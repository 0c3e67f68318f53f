// The four menu bitmaps, read straight from the launcher's resources.
#pragma once
#include <windows.h>

// Index 0 to 3 stands for the bitmap resources 148 to 151.
enum ArtworkBitmap { WideBar, PaletteSource, NarrowBar, Background, ArtworkBitmapCount };

// The locked header of the bitmap (colour table and pixels follow it), or null when the
// resource is missing. Resources stay mapped while the module is loaded: nothing to release.
const BITMAPINFOHEADER* LockArtworkBitmap(ArtworkBitmap bitmap);
