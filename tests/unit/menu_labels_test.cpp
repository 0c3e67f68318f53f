// The words of the menu on the painted surface: title, colours, placement, the acceleration
// line, and how clearly both label colours read on the artwork.
#include <gtest/gtest.h>
#include <math.h>
#include <stdio.h>
#include <string.h>

#include "ArtworkPalettes.h"
#include "LauncherSettings.h"
#include "MenuArtwork.h"
#include "MenuLabels.h"
#include "MenuLayout.h"
#include "MenuPicture.h"
#include "TestDeviceList.h"

namespace {

const DWORD Grey = 0xB8B8B8;   // RGB(184, 184, 184)
const DWORD Orange = 0xFF781E; // RGB(255, 120, 30)
const int ActiveItems[] = {0, 1, 5, 6, 8, 9};
const int Nothing = -1;

struct Box {
    int left, top, right, bottom;
};

// An item's rectangle; a wide item's text may run on to the right edge of the picture.
Box ItemBox(int item) {
    const MenuItemLayout& layout = MenuLayout[item];
    const int right = layout.width == 296 ? int{PictureWidth} : layout.left + layout.width;
    return {layout.left, layout.top, right, layout.top + layout.height};
}

double Luminance(DWORD colour) {
    double sum = 0;
    const double weights[3] = {0.0722, 0.7152, 0.2126}; // blue, green, red
    for (int k = 0; k < 3; ++k) {
        const double c = ((colour >> (8 * k)) & 0xFF) / 255.0;
        sum += weights[k] * (c <= 0.04045 ? c / 12.92 : pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

double ContrastRatio(double lighter, double darker) {
    return (lighter + 0.05) / (darker + 0.05);
}

class MenuLabelsTest : public testing::Test {
  protected:
    void SetUp() override {
        DeleteArtworkPalettes();
        ASSERT_EQ(1, CreateArtworkPalettes());
        memset(ItemHighlight, 0, sizeof ItemHighlight);
        LauncherSettings.displayMode = 0;
        LauncherSettings.options[0] = LauncherSettings.options[1] = static_cast<DWORD>(-5);
    }
    void TearDown() override { memset(ItemHighlight, 0, sizeof ItemHighlight); }

    Picture Artwork(int highlighted) {
        memset(ItemHighlight, 0, sizeof ItemHighlight);
        if (highlighted != Nothing)
            ItemHighlight[highlighted] = 1;
        PaintArtwork(nullptr, surface_.Dc());
        return surface_.Read();
    }
    Picture Labelled(int highlighted) {
        Artwork(highlighted);
        EXPECT_EQ(1, PaintMenuLabels(window_.Handle(), surface_.Dc()));
        return surface_.Read();
    }

    TestSurface surface_;
    TestWindow window_;
    // Accelerated in both modes; a second one without acceleration.
    TestDeviceList list_{{{"Board", 0, {1, 1}, {1, 1}, {}}, {"Plain", 0, {0, 0}, {0, 0}, {}}}, 0};
};

} // namespace

TEST_F(MenuLabelsTest, PaintingSetsTheTitleAndGivesTheSurfaceItsFontBack) {
    HGDIOBJ fontBefore = GetCurrentObject(surface_.Dc(), OBJ_FONT);
    EXPECT_EQ(1, PaintMenuLabels(window_.Handle(), surface_.Dc()));
    char title[32] = {};
    GetWindowTextA(window_.Handle(), title, sizeof title);
    EXPECT_STREQ("MOSS HARBOR", title);
    EXPECT_EQ(fontBefore, GetCurrentObject(surface_.Dc(), OBJ_FONT));
}

TEST_F(MenuLabelsTest, WhenTheTitleCannotBeSetNothingIsDrawn) {
    HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    DestroyWindow(gone);
    const Picture artwork = Artwork(0);
    EXPECT_EQ(0, PaintMenuLabels(gone, surface_.Dc()));
    EXPECT_EQ("", FirstDifference(surface_.Read(), artwork));
}

// Only the highlighted item's labels are orange; the second line of Change Settings names the
// acceleration in use (an accelerated device with the mode's option bit 0 set, or not).
TEST_F(MenuLabelsTest, EveryLabelIsDrawnAtItsPlaceInTheColourOfItsHighlight) {
    // The label table: x offset from the item's left edge (-1: centred), y offset of the cell.
    struct Label {
        int item;
        const char* text;
        int x;
        int y;
    } labels[] = {
        {0, "Play MOSS HARBOR", -1, 23},
        {1, "Change Settings", -1, 13},
        {1, "Hardware Accelerate", -1, 30},
        {5, "Install Intel(R)Indeo(R)Video5.11", 6, 16},
        {5, "DirectX(R)6,DirectX(R)Media", 121, 30},
        {8, "Exit", -1, 23},
        {9, "Online", -1, 13},
        {9, "Help", -1, 30},
        {6, "Halden", -1, 14},
        {6, "Web Site", -1, 23},
    };
    for (int highlighted : {Nothing, 0, 1, 5, 6, 8, 9}) {
        SCOPED_TRACE(highlighted);
        LauncherSettings.options[0] = static_cast<DWORD>(highlighted == 1 ? -6 : -5);
        labels[2].text = highlighted == 1 ? "Software" : "Hardware Accelerate";
        Artwork(highlighted);
        HDC dc = surface_.Dc();
        SetBkMode(dc, TRANSPARENT);
        HFONT font = CreateFontA(14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 FF_ROMAN | DEFAULT_PITCH, "Times New Roman");
        HGDIOBJ previous = SelectObject(dc, font);
        for (const Label& label : labels) {
            const MenuItemLayout& item = MenuLayout[label.item];
            const int length = static_cast<int>(strlen(label.text));
            SIZE extent = {};
            GetTextExtentPoint32A(dc, label.text, length, &extent);
            const int x =
                label.x >= 0 ? item.left + label.x : item.left + (item.width - extent.cx) / 2;
            SetTextColor(dc, label.item == highlighted ? RGB(255, 120, 30) : RGB(184, 184, 184));
            TextOutA(dc, x, item.top + label.y, label.text, length);
        }
        SelectObject(dc, previous);
        DeleteObject(font);
        const Picture expected = surface_.Read();
        EXPECT_EQ("", FirstDifference(Labelled(highlighted), expected));
    }
}

TEST_F(MenuLabelsTest, AccelerationNeedsTheCurrentDeviceAndTheOptionOfTheCurrentMode) {
    struct Case {
        LONG accelerated[2];
        DWORD mode;
        DWORD options[2];
        LONG current;
        const char* expected;
    } const cases[] = {
        {{1, 1}, 0, {DWORD(-5), DWORD(-5)}, 0, "Hardware Accelerate"},
        {{0, 0}, 0, {DWORD(-5), DWORD(-5)}, 0, "Software"},
        {{1, 1}, 0, {DWORD(-6), DWORD(-5)}, 0, "Software"},
        {{1, 1}, 1, {DWORD(-6), DWORD(-5)}, 0, "Hardware Accelerate"},
        {{1, 0}, 1, {DWORD(-5), DWORD(-5)}, 0, "Software"},
        {{0, 1}, 1, {DWORD(-5), DWORD(-5)}, 0, "Hardware Accelerate"},
        {{0, 1}, 0, {DWORD(-5), DWORD(-5)}, 0, "Software"},
        {{1, 1}, 1, {DWORD(-5), DWORD(-6)}, 0, "Software"},
        // A display mode that no option word belongs to (a damaged registry value).
        {{1, 1}, 2, {DWORD(-5), DWORD(-5)}, 0, "Software"},
        {{1, 1}, DWORD(-1), {DWORD(-5), DWORD(-5)}, 0, "Software"},
        {{1, 1}, 0, {DWORD(-5), DWORD(-5)}, 1, "Software"}, // the second device is chosen
        {{1, 1}, 0, {DWORD(-5), DWORD(-5)}, 2, "Software"}, // past the end of the list
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.accelerated[0] << c.accelerated[1] << " mode "
                                        << c.mode << " device " << c.current);
        DisplayDeviceList[0].accelerated[0] = c.accelerated[0];
        DisplayDeviceList[0].accelerated[1] = c.accelerated[1];
        DisplayDeviceList.current = c.current;
        LauncherSettings.displayMode = c.mode;
        LauncherSettings.options[0] = c.options[0];
        LauncherSettings.options[1] = c.options[1];
        EXPECT_STREQ(c.expected, AccelerationLabel());
    }
    DisplayDeviceList[1].accelerated[0] = 1;
    DisplayDeviceList.current = 1;
    LauncherSettings.displayMode = 0;
    EXPECT_STREQ("Hardware Accelerate", AccelerationLabel()) << "the second device, accelerated";

    TestDeviceList empty({}, 0);
    EXPECT_STREQ("Software", AccelerationLabel());
    EXPECT_EQ(1, PaintMenuLabels(window_.Handle(), surface_.Dc()));
}

// Contrast of each label colour against the mean artwork colour under the item's letters,
// on the background and on the item's own bar.
TEST_F(MenuLabelsTest, BothLabelColoursReadClearlyOnTheBackgroundAndOnTheBars) {
    const double grey = Luminance(Grey);
    const double orange = Luminance(Orange);
    for (int item : ActiveItems) {
        for (int highlighted : {Nothing, item}) {
            const Picture artwork = Artwork(highlighted);
            const Picture picture = Labelled(highlighted);
            const Box box = ItemBox(item);
            double sum[3] = {};
            int count = 0;
            for (int y = box.top; y < box.bottom; ++y)
                for (int x = box.left; x < box.right; ++x)
                    if (PixelAt(picture, x, y) != PixelAt(artwork, x, y)) {
                        const DWORD under = PixelAt(artwork, x, y);
                        for (int k = 0; k < 3; ++k)
                            sum[k] += (under >> (8 * k)) & 0xFF;
                        ++count;
                    }
            ASSERT_GT(count, 0);
            const DWORD mean = static_cast<DWORD>(lround(sum[0] / count)) |
                               static_cast<DWORD>(lround(sum[1] / count)) << 8 |
                               static_cast<DWORD>(lround(sum[2] / count)) << 16;
            const double greyRatio = ContrastRatio(grey, Luminance(mean));
            const double orangeRatio = ContrastRatio(orange, Luminance(mean));
            printf("item %d on %-10s mean under text #%06lX  grey %.1f:1  orange %.1f:1\n", item,
                   highlighted == Nothing ? "background" : "its bar",
                   static_cast<unsigned long>(mean), greyRatio, orangeRatio);
            EXPECT_GE(greyRatio, 4.5) << "item " << item;
            EXPECT_GE(orangeRatio, 4.5) << "item " << item;
        }
    }
}
