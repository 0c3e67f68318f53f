// Finding and locking a menu bitmap resource.
#include "ArtworkBitmap.h"

#include "LauncherState.h"
#include "resource.h"

namespace {
const WORD ResourceIds[ArtworkBitmapCount] = {IDB_BAR_WIDE, IDB_PALETTE, IDB_BAR_NARROW,
                                              IDB_BACKGROUND};
}

const BITMAPINFOHEADER* LockArtworkBitmap(ArtworkBitmap bitmap) {
    HRSRC found = FindResourceA(AppInstance, MAKEINTRESOURCEA(ResourceIds[bitmap]), RT_BITMAP);
    if (!found)
        return nullptr;
    HGLOBAL loaded = LoadResource(AppInstance, found);
    if (!loaded)
        return nullptr;
    return static_cast<const BITMAPINFOHEADER*>(LockResource(loaded));
}
