// IsIndeoInstalled: whether the Indeo Video 5.11 codec (or a later one) is installed.
#pragma once

// Non-zero when ir50_32.dll, found by the module search order, is at least Indeo 5.11.
int IsIndeoInstalled();
