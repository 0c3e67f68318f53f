// The settings dialog as the system builds it from template 165: frame, font, and every control
// with its id, class, place, size and style, in tab order.
#include <gtest/gtest.h>

#include "SettingsDialogDriver.h"
#include "resource.h"

namespace {

struct Control {
    int id;
    const char* className;
    int x, y, cx, cy; // dialog units
    DWORD style;
};

const DWORD Label = 0x50020000;      // left-aligned text, group
const DWORD DropDown = 0x50210003;   // drop-down list, vertical scroll bar, tab stop
const DWORD PushButton = 0x50010000; // tab stop
const DWORD Choice = 0x50011309;     // auto radio, push-like, centred, tab stop
const DWORD OptionList = 0x50A11101;

// In tab order.
const Control Expected[] = {
    {IDOK, "Button", 163, 294, 45, 14, PushButton | BS_DEFPUSHBUTTON},
    {IDCANCEL, "Button", 211, 294, 45, 14, PushButton},
    {1050, "Static", 7, 7, 250, 10, Label},
    {1015, "ComboBox", 7, 19, 249, 54, DropDown},
    {1039, "Static", 7, 35, 250, 18, Label},
    {1014, "Static", 7, 55, 250, 10, Label},
    {1013, "ComboBox", 7, 67, 249, 54, DropDown},
    {1040, "Static", 7, 83, 250, 18, Label},
    {1041, "Static", 7, 103, 255, 14, Label},
    {1023, "ListBox", 7, 117, 155, 60, OptionList},
    {2000, "Button", 172, 117, 85, 15, Choice | WS_GROUP},
    {2001, "Button", 172, 135, 85, 15, Choice},
    {2002, "Button", 172, 153, 85, 15, Choice & ~WS_VISIBLE}, // hidden when the dialog opens
    {1042, "Static", 7, 183, 250, 8, Label},
    {1026, "Static", 7, 195, 249, 30, Label},
    {1047, "Static", 7, 228, 117, 40, Label},
    {1048, "Static", 139, 228, 117, 40, Label},
    {1045, "Button", 35, 270, 60, 14, PushButton},
    {1046, "Button", 167, 270, 60, 14, PushButton},
};

// Style bits the system manages at run time: the tab stop sits on the marked choice only, a
// list box's border becomes a client edge, a combo box gives its scroll bar to its list.
DWORD SystemManaged(const Control& control) {
    if (control.id >= IDC_CHOICE_FIRST)
        return WS_TABSTOP;
    if (lstrcmpA(control.className, "ListBox") == 0)
        return WS_BORDER;
    if (lstrcmpA(control.className, "ComboBox") == 0)
        return WS_VSCROLL;
    return 0;
}

RECT ChildRect(HWND dialog, HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

} // namespace

TEST(SettingsTemplate, DialogIsBuiltAsDesignedWithItsControlsInTabOrder) {
    TestDeviceList list({{"Board", 0, {1, 1}, {1, 1}, TaggedGuid(1)}}, 0);
    SettingsDialogDriver dialog;
    HWND window = dialog.Window();
    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(0x80C000C0, style & 0x80C000C0);
    EXPECT_EQ(0, style & WS_SYSMENU);

    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ("Times New Roman", font.lfFaceName);
    EXPECT_EQ(FW_NORMAL, font.lfWeight);
    EXPECT_FALSE(font.lfItalic);

    RECT size = {0, 0, 263, 315};
    MapDialogRect(window, &size);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(size.right, client.right);
    EXPECT_EQ(size.bottom, client.bottom);

    HWND child = GetWindow(window, GW_CHILD);
    for (const Control& control : Expected) {
        SCOPED_TRACE(testing::Message() << "control " << control.id);
        ASSERT_NE(nullptr, child);
        EXPECT_EQ(control.id, GetDlgCtrlID(child));
        char className[32] = {};
        GetClassNameA(child, className, sizeof className);
        EXPECT_STRCASEEQ(control.className, className);
        DWORD managed = SystemManaged(control);
        EXPECT_EQ(control.style & ~managed,
                  static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)) & ~managed);

        // Place and size are converted separately, as the system does.
        RECT expected = {control.x, control.y, control.cx, control.cy};
        MapDialogRect(window, &expected);
        RECT actual = ChildRect(window, child);
        EXPECT_EQ(expected.left, actual.left);
        EXPECT_EQ(expected.top, actual.top);
        EXPECT_EQ(expected.right, actual.right - actual.left);
        // A combo box's template height includes its dropped list.
        if (lstrcmpA(control.className, "ComboBox") != 0) {
            EXPECT_EQ(expected.bottom, actual.bottom - actual.top);
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(nullptr, child);
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(window, IDC_CHOICE_FIRST), GWL_EXSTYLE) &
                WS_EX_CLIENTEDGE);
}
