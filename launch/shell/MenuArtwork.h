// Painting the menu picture: the background and the bar under the highlighted item.
#pragma once
#include <windows.h>

// Paints the whole 640 x 480 background into memoryDC and the highlight bar of the
// highlighted active item over it. Uses the palettes and colour counts of
// CreateArtworkPalettes; the DC's own palette is selected back before returning. window is not
// used. Returns 1.
int PaintArtwork(HWND window, HDC memoryDC);
