// The words of the menu, painted over the artwork on every repaint.
#pragma once
#include <windows.h>

// Sets the window title to "MOSS HARBOR" and draws the labels of the six active items into
// memoryDC: the highlighted item's in RGB(255, 120, 30), the others in RGB(184, 184, 184).
// Returns 1, or 0 when the title or a text could not be set (nothing more is drawn then).
int PaintMenuLabels(HWND window, HDC memoryDC);

// The second line of Change Settings: "Hardware Accelerate" when the current display device
// is accelerated in the current display mode and that mode's option word asks for it,
// otherwise "Software".
const char* AccelerationLabel();
