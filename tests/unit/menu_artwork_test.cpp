// The menu picture as the player sees it: background, and a bar under the highlighted item.
#include <gtest/gtest.h>
#include <string.h>

#include "ArtworkPalettes.h"
#include "MenuArtwork.h"
#include "MenuLayout.h"
#include "MenuPicture.h"

namespace {

class MenuArtworkTest : public testing::Test {
  protected:
    void SetUp() override {
        DeleteArtworkPalettes();
        ASSERT_EQ(1, CreateArtworkPalettes());
        memset(ItemHighlight, 0, sizeof ItemHighlight);
    }
    void TearDown() override { memset(ItemHighlight, 0, sizeof ItemHighlight); }

    Picture PaintWithHighlight(int item) {
        memset(ItemHighlight, 0, sizeof ItemHighlight);
        ItemHighlight[item] = 1;
        EXPECT_EQ(1, PaintArtwork(nullptr, surface_.Dc()));
        return surface_.Read();
    }

    TestSurface surface_;
};

Picture BackgroundWithBar(ArtworkBitmap bar, int left, int top) {
    Picture expected = DecodeArtworkBitmap(Background);
    PasteArtworkBitmap(expected, bar, left, top);
    return expected;
}

} // namespace

TEST_F(MenuArtworkTest, WithNothingHighlightedThePictureIsTheBareBackground) {
    EXPECT_EQ(1, PaintArtwork(nullptr, surface_.Dc()));
    EXPECT_EQ("", FirstDifference(surface_.Read(), DecodeArtworkBitmap(Background)));
}

TEST_F(MenuArtworkTest, TheHighlightedItemGetsItsBarAndNothingElseChanges) {
    struct Case {
        int item;
        ArtworkBitmap bar;
        int left;
        int top;
    } const cases[] = {
        {0, WideBar, 325, 30},    {1, WideBar, 325, 90},    {5, WideBar, 325, 270},
        {6, NarrowBar, 325, 330}, {8, NarrowBar, 325, 390}, {9, NarrowBar, 473, 390},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        // The whole picture is compared: the wide bar leaves the item's last column alone, and
        // the bar of the item painted before is gone.
        EXPECT_EQ("", FirstDifference(PaintWithHighlight(c.item),
                                      BackgroundWithBar(c.bar, c.left, c.top)));
    }
}

TEST_F(MenuArtworkTest, AFlagOnAnInactiveSlotDrawsNoBar) {
    const Picture background = DecodeArtworkBitmap(Background);
    for (int item : {2, 3, 4, 7}) {
        SCOPED_TRACE(item);
        EXPECT_EQ("", FirstDifference(PaintWithHighlight(item), background));
    }
}

TEST_F(MenuArtworkTest, TheSurfaceGetsItsOwnPaletteBack) {
    HGDIOBJ before = GetCurrentObject(surface_.Dc(), OBJ_PAL);
    PaintWithHighlight(6);
    EXPECT_EQ(before, GetCurrentObject(surface_.Dc(), OBJ_PAL));
}
