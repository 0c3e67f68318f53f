// The real menu window, created from its template in this process and driven with the messages
// a player's mouse and keyboard produce: highlight, keys, hit test, repaints, commands, closing.
#include <gtest/gtest.h>
#include <string.h>
#include <vector>

#include "ArtworkPalettes.h"
#include "MenuClass.h"
#include "MenuLayout.h"
#include "MenuPicture.h"
#include "MenuSurface.h"
#include "MenuWindow.h"
#include "ScriptedMessageBoxes.h"
#include "StartUp.h"
#include "TestKey.h"
#include "resource.h"

namespace {

// Older than 6.1: Play and Change Settings stop at their first check and say so.
const char* const OldDirectX = "4.06.00.0000";
const char* const DirectXMissing = "Please install DirectX (R)6 or above first.";
const DWORD Orange = 0xFF781E;

const POINT OnPlay = {400, 60};
const POINT OnChangeSettings = {400, 120};
const POINT OnExit = {399, 420};
const POINT OnHelp = {540, 420};
const POINT OnTitlePanel = {100, 240};

std::vector<int> Highlighted() {
    std::vector<int> items;
    for (int item = 0; item < MenuItemCount; ++item) {
        if (ItemHighlight[item])
            items.push_back(item);
    }
    return items;
}

// The exit code of the quit message the window posted, -1 until then.
int PostedQuit = -1;

// Handles this thread's queued messages as the launcher's loop does, which stops at the quit
// message.
void Dispatch() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostedQuit = int(message.wParam);
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The exit code of the quit message posted since the last call, or -1.
int TakeQuit() {
    MSG quit;
    if (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        PostedQuit = int(quit.wParam);
    const int code = PostedQuit;
    PostedQuit = -1;
    return code;
}

int CountColour(const Picture& picture, const RECT& box, DWORD colour) {
    int count = 0;
    for (LONG y = box.top; y < box.bottom; ++y)
        for (LONG x = box.left; x < box.right; ++x)
            count += PixelAt(picture, x, y) == colour;
    return count;
}

RECT ItemBox(int item) {
    const MenuItemLayout& r = MenuLayout[item];
    return {r.left, r.top, r.left + r.width, r.top + r.height};
}

class MenuWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        settings_.StoreDword("Setup", 1);
        // A pointer left over the window by an earlier test would move the highlight.
        SetCursorPos(0, 0);
        AppInstance = GetModuleHandleA(nullptr);
        RegisterMenuClass();
        menu_ =
            CreateDialogParamA(AppInstance, MAKEINTRESOURCEA(IDD_MENU), nullptr, MenuDialogProc, 0);
        ASSERT_NE(nullptr, menu_);
        Dispatch();
    }
    void TearDown() override {
        if (IsWindow(menu_))
            SendMessageA(menu_, WM_COMMAND, IDCANCEL, 0);
        Dispatch();
        TakeQuit();
    }

    void Press(WPARAM key) {
        PostMessageA(menu_, WM_KEYDOWN, key, 1);
        Dispatch();
    }
    void Move(POINT point) {
        PostMessageA(menu_, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        Dispatch();
    }
    void Click(POINT point) {
        PostMessageA(menu_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        PostMessageA(menu_, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        Dispatch();
    }
    LRESULT HitTest(POINT point) {
        ClientToScreen(menu_, &point);
        return SendMessageA(menu_, WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    }
    // The off-screen surface as it is now, copied out of the window's memory context.
    Picture Surface() {
        TestSurface copy;
        BitBlt(copy.Dc(), 0, 0, PictureWidth, PictureHeight, MenuSurface.memoryDC, 0, 0, SRCCOPY);
        return copy.Read();
    }
    // The window closed itself as the closing sequence does: gone, quit 0, palettes deleted.
    void ExpectClosed() {
        EXPECT_FALSE(IsWindow(menu_));
        EXPECT_EQ(0, TakeQuit());
        for (HPALETTE palette : ArtworkPalette)
            EXPECT_EQ(nullptr, palette);
    }

    TestKey settings_{HKEY_LOCAL_MACHINE, "SOFTWARE\\HALDEN\\MOSSHARBOR TRIAL"};
    TestKey directX_{HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\DirectX"};
    ScriptedMessageBoxes boxes_{IDOK};
    HWND menu_ = nullptr;
};

} // namespace

// Its size and place on the screen are checked by the menu player test.
TEST_F(MenuWindowTest, OpensTitledWithPlayHighlighted) {
    char title[32] = {};
    GetWindowTextA(menu_, title, sizeof title);
    EXPECT_STREQ("MOSS HARBOR", title);
    EXPECT_EQ(std::vector<int>{0}, Highlighted());
    EXPECT_EQ(-1, TakeQuit());
}

TEST_F(MenuWindowTest, EnterRunsPlayAndAPlayThatFailsLeavesTheMenuAsItWas) {
    directX_.StoreText("Version", OldDirectX);
    Press(VK_RETURN);
    ASSERT_EQ(1u, boxes_.Shown().size()) << "Enter did not run Play";
    EXPECT_EQ(DirectXMissing, boxes_.Shown()[0].text);
    EXPECT_EQ(menu_, boxes_.Shown()[0].owner);
    EXPECT_TRUE(IsWindowVisible(menu_));
    EXPECT_EQ(std::vector<int>{0}, Highlighted());
    EXPECT_EQ(0, CommandBusy[0]) << "Play's busy flag stayed set";
    EXPECT_EQ(-1, TakeQuit());
}

TEST_F(MenuWindowTest, TabWalksTheSixItemsAndUpGoesBackward) {
    const int forward[] = {1, 5, 6, 8, 9, 0};
    for (int expected : forward) {
        Press(VK_TAB);
        EXPECT_EQ(std::vector<int>{expected}, Highlighted());
    }
    Press(VK_UP);
    EXPECT_EQ(std::vector<int>{9}, Highlighted());
    Press(VK_DOWN);
    EXPECT_EQ(std::vector<int>{0}, Highlighted());
    for (WPARAM other : {WPARAM(VK_ESCAPE), WPARAM(VK_LEFT), WPARAM(VK_RIGHT), WPARAM('A')}) {
        Press(other);
        EXPECT_EQ(std::vector<int>{0}, Highlighted()) << "key " << other;
    }
}

TEST_F(MenuWindowTest, OnTheBackgroundNothingIsHighlightedAndKeysDoNothingUntilTheMouseReturns) {
    directX_.StoreText("Version", OldDirectX);
    Move(OnTitlePanel);
    EXPECT_TRUE(Highlighted().empty());
    for (WPARAM key : {WPARAM(VK_TAB), WPARAM(VK_DOWN), WPARAM(VK_UP), WPARAM(VK_RETURN)}) {
        Press(key);
        EXPECT_TRUE(Highlighted().empty()) << "key " << key;
    }
    EXPECT_TRUE(boxes_.Shown().empty()) << "Enter ran a command with nothing highlighted";
    EXPECT_TRUE(IsWindow(menu_));

    Move(OnExit);
    EXPECT_EQ(std::vector<int>{8}, Highlighted());
    Press(VK_TAB);
    EXPECT_EQ(std::vector<int>{9}, Highlighted());
}

TEST_F(MenuWindowTest, AnItemsLastColumnAndRowAndTheEmptySlotsDragInsteadOfRunning) {
    directX_.StoreText("Version", OldDirectX);
    const POINT background[] = {{620, 50},  {400, 89},  {620, 89},
                                {500, 180}, {400, 240}, {100, 240}};
    for (POINT point : background) {
        EXPECT_EQ(HTCAPTION, HitTest(point)) << point.x << "," << point.y;
        Click(point);
    }
    EXPECT_TRUE(boxes_.Shown().empty()) << "a press on the background ran a command";
    EXPECT_TRUE(IsWindow(menu_));

    // The last pixel inside Play is still Play.
    const POINT inside = {619, 88};
    EXPECT_NE(HTCAPTION, HitTest(inside));
    Click(inside);
    ASSERT_EQ(1u, boxes_.Shown().size());
    EXPECT_EQ(DirectXMissing, boxes_.Shown()[0].text);
}

TEST_F(MenuWindowTest, MovingWithinTheHighlightedItemDoesNotRepaintButAnotherItemDoes) {
    RECT invalid;
    ValidateRect(menu_, nullptr);
    SendMessageA(menu_, WM_MOUSEMOVE, 0, MAKELPARAM(OnPlay.x, OnPlay.y));
    EXPECT_FALSE(GetUpdateRect(menu_, &invalid, FALSE));

    SendMessageA(menu_, WM_MOUSEMOVE, 0, MAKELPARAM(OnChangeSettings.x, OnChangeSettings.y));
    ASSERT_TRUE(GetUpdateRect(menu_, &invalid, FALSE));
    EXPECT_EQ(std::vector<int>{1}, Highlighted());
    RECT client;
    GetClientRect(menu_, &client);
    EXPECT_TRUE(EqualRect(&client, &invalid)) << "the whole window is to be repainted";
}

// The pixels of each bar and label are checked by the artwork and label tests; here the window's
// own surface follows the highlight. (What reaches the screen is checked in the player tests.)
TEST_F(MenuWindowTest, TheSurfaceShowsTheBarAndTheOrangeLabelsOfTheHighlightedItemOnly) {
    Move(OnHelp);
    const Picture picture = Surface();
    Picture expected = DecodeArtworkBitmap(Background);
    PasteArtworkBitmap(expected, NarrowBar, 473, 390);
    // Rows 0 to 12 of every item are free of text: the bar moved from Play to Help.
    for (int item : {0, 9}) {
        const MenuItemLayout& r = MenuLayout[item];
        for (int y = r.top; y < r.top + 13; ++y)
            for (int x = r.left; x < r.left + r.width; ++x)
                ASSERT_EQ(PixelAt(expected, x, y), PixelAt(picture, x, y)) << x << "," << y;
    }
    const RECT whole = {0, 0, PictureWidth, PictureHeight};
    EXPECT_GT(CountColour(picture, ItemBox(9), Orange), 0);
    EXPECT_EQ(CountColour(picture, whole, Orange), CountColour(picture, ItemBox(9), Orange))
        << "orange outside Help";
}

// Wine has no GDI object count (GetGuiResources fails with ERROR_CALL_NOT_IMPLEMENTED): a
// deleted object is seen instead by its handle no longer naming anything.
TEST_F(MenuWindowTest, ACloseRequestEndsTheLoopWithZeroAndReleasesTheSurface) {
    const HDC memoryDC = MenuSurface.memoryDC;
    const HBITMAP bitmap = MenuSurface.bitmap;
    ASSERT_EQ(DWORD(OBJ_MEMDC), GetObjectType(memoryDC));
    ASSERT_EQ(DWORD(OBJ_BITMAP), GetObjectType(bitmap));
    PostMessageA(menu_, WM_CLOSE, 0, 0);
    Dispatch();
    ExpectClosed();
    EXPECT_EQ(0u, GetObjectType(memoryDC)) << "the surface's context was not deleted";
    EXPECT_EQ(0u, GetObjectType(bitmap)) << "the surface's bitmap was not deleted";
}

TEST_F(MenuWindowTest, EnterOnExitClosesTheMenu) {
    Move(OnExit);
    Press(VK_RETURN);
    ExpectClosed();
}
