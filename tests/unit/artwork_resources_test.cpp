// The menu bitmaps, their palettes and the launcher's icon as the resources carry them.
#include <gtest/gtest.h>
#include <string.h>

#include "ArtworkPalettes.h"
#include "resource.h"

namespace {

struct BitmapFormat {
    ArtworkBitmap bitmap;
    int id;
    LONG width;
    LONG height;
};

const BitmapFormat Formats[] = {
    {WideBar, IDB_BAR_WIDE, 295, 60},
    {PaletteSource, IDB_PALETTE, 640, 480},
    {NarrowBar, IDB_BAR_NARROW, 147, 60},
    {Background, IDB_BACKGROUND, 640, 480},
};

const BYTE* ColourTable(ArtworkBitmap bitmap) {
    return reinterpret_cast<const BYTE*>(LockArtworkBitmap(bitmap)) + sizeof(BITMAPINFOHEADER);
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
struct IconGroup {
    WORD reserved;
    WORD type;
    WORD count;
    IconGroupEntry entries[1];
};
#pragma pack(pop)

} // namespace

TEST(ArtworkResources, BitmapsAreUncompressedEightBitWithAFullColourTable) {
    for (const BitmapFormat& format : Formats) {
        SCOPED_TRACE(format.id);
        HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(format.id), RT_BITMAP);
        ASSERT_NE(nullptr, found);
        const BITMAPINFOHEADER* header = LockArtworkBitmap(format.bitmap);
        ASSERT_NE(nullptr, header);
        EXPECT_EQ(40u, header->biSize);
        EXPECT_EQ(format.width, header->biWidth);
        EXPECT_EQ(format.height, header->biHeight); // bottom-up
        EXPECT_EQ(1, header->biPlanes);
        EXPECT_EQ(8, header->biBitCount);
        EXPECT_EQ(static_cast<DWORD>(BI_RGB), header->biCompression);
        EXPECT_EQ(0u, header->biClrUsed);
        // Header, 256 table entries and every padded row: nothing missing, nothing extra.
        const DWORD stride = (format.width + 3) & ~3;
        EXPECT_EQ(40 + 4 * 256 + stride * format.height, SizeofResource(nullptr, found));
    }
}

TEST(ArtworkResources, BarsShareOneColourTableAndTheBackgroundsAnother) {
    EXPECT_EQ(0, memcmp(ColourTable(WideBar), ColourTable(NarrowBar), 4 * 256));
    EXPECT_EQ(0, memcmp(ColourTable(PaletteSource), ColourTable(Background), 4 * 256));
}

TEST(ArtworkPalettes, EachPaletteCarriesItsBitmapsColourTableAndIsDeletedOnRequest) {
    DeleteArtworkPalettes();
    ASSERT_EQ(1, CreateArtworkPalettes());
    HPALETTE built[ArtworkBitmapCount];
    for (int k = 0; k < ArtworkBitmapCount; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(256u, ArtworkColourCount[k]);
        built[k] = ArtworkPalette[k];
        ASSERT_NE(nullptr, built[k]);
        ASSERT_EQ(256u, GetPaletteEntries(built[k], 0, 0, nullptr));
        PALETTEENTRY entries[256];
        ASSERT_EQ(256u, GetPaletteEntries(built[k], 0, 256, entries));
        const BYTE* table = ColourTable(static_cast<ArtworkBitmap>(k));
        for (int i = 0; i < 256; ++i) {
            ASSERT_EQ(table[4 * i + 2], entries[i].peRed) << "entry " << i;
            ASSERT_EQ(table[4 * i + 1], entries[i].peGreen) << "entry " << i;
            ASSERT_EQ(table[4 * i], entries[i].peBlue) << "entry " << i;
            ASSERT_EQ(0, entries[i].peFlags) << "entry " << i;
        }
    }

    DeleteArtworkPalettes();
    for (int k = 0; k < ArtworkBitmapCount; ++k) {
        EXPECT_EQ(nullptr, ArtworkPalette[k]);
        EXPECT_EQ(0u, GetObjectType(built[k])) << "palette " << k << " still exists";
    }
}

TEST(LauncherIcon, GroupHoldsLargeIconsIn16And256ColoursAndASmallOneIn16) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(IDI_LAUNCHER), RT_GROUP_ICON);
    ASSERT_NE(nullptr, found);
    const auto* group = static_cast<const IconGroup*>(LockResource(LoadResource(nullptr, found)));
    ASSERT_EQ(3, group->count);

    struct Expected {
        int size;
        int bitCount;
    } const expected[] = {{32, 4}, {32, 8}, {16, 4}};
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const IconGroupEntry& entry = group->entries[k];
        EXPECT_EQ(expected[k].size, entry.width);
        EXPECT_EQ(expected[k].size, entry.height);
        EXPECT_EQ(expected[k].bitCount == 4 ? 16 : 0, entry.colourCount);
        HRSRC image = FindResourceA(nullptr, MAKEINTRESOURCEA(entry.id), RT_ICON);
        ASSERT_NE(nullptr, image);
        auto* bits = static_cast<BYTE*>(LockResource(LoadResource(nullptr, image)));
        const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bits);
        EXPECT_EQ(expected[k].bitCount, header->biBitCount);
        EXPECT_EQ(expected[k].size * 2, header->biHeight); // colour image and mask

        // The system accepts it as an icon of that size.
        HICON icon = CreateIconFromResourceEx(bits, SizeofResource(nullptr, image), TRUE, 0x30000,
                                              0, 0, LR_DEFAULTCOLOR);
        ASSERT_NE(nullptr, icon);
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP mask = {};
        GetObjectA(info.hbmMask, sizeof mask, &mask);
        EXPECT_EQ(expected[k].size, mask.bmWidth);
        DeleteObject(info.hbmMask);
        if (info.hbmColor)
            DeleteObject(info.hbmColor);
        DestroyIcon(icon);
    }
}
