// Hot regions: an item's last column and row belong to the background.
#include "MenuRegions.h"
#include "MenuSurface.h"

HRGN HotRegion[MenuItemCount];
HRGN BackgroundRegion;

namespace {

void DeleteRegion(HRGN& region) {
    if (region)
        DeleteObject(region);
    region = nullptr;
}

} // namespace

void CreateMenuRegions() {
    for (int item = 0; item < MenuItemCount; ++item) {
        DeleteRegion(HotRegion[item]); // a menu opened again in the same process
        const MenuItemLayout& r = MenuLayout[item];
        if (!r.active)
            continue;
        HotRegion[item] = CreateRectRgn(r.left, r.top, r.left + r.width - 1, r.top + r.height - 1);
    }
    DeleteRegion(BackgroundRegion);
    BackgroundRegion = CreateRectRgn(0, 0, MenuWidth, MenuHeight);
    for (HRGN region : HotRegion) {
        if (region)
            CombineRgn(BackgroundRegion, BackgroundRegion, region, RGN_DIFF);
    }
}

bool IsInHotRegion(int item, int x, int y) {
    return HotRegion[item] && PtInRegion(HotRegion[item], x, y);
}

bool IsOnBackground(int x, int y) {
    return BackgroundRegion && PtInRegion(BackgroundRegion, x, y);
}
