// TDirectDraw: interface ownership.
#include "TDirectDraw.h"

TDirectDraw::~TDirectDraw() {
    ReleaseInterfaces();
}

void TDirectDraw::ReleaseInterfaces() {
    if (directDraw4) {
        directDraw4->Release();
        directDraw4 = nullptr;
    }
    if (directDraw) {
        directDraw->Release();
        directDraw = nullptr;
    }
}
