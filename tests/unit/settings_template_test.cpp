// Dialog template 165 as stored in the executable, and the dialog the system builds from it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SettingsDialogDriver.h"
#include "resource.h"

namespace {

struct Control {
    int id;
    WORD classAtom; // 0x80 button, 0x82 static, 0x83 list box, 0x85 combo box
    short x, y, cx, cy;
    DWORD style;
    DWORD exStyle;
};

const DWORD Label = 0x50020000;       // left-aligned text, group
const DWORD DeviceCombo = 0x50210003; // drop-down list, vertical scroll bar, tab stop
const DWORD PushButton = 0x50010000;
const DWORD Choice = 0x50011309; // auto radio, push-like, centred, tab stop

// In tab order.
const Control Expected[] = {
    {IDOK, 0x80, 163, 294, 45, 14, 0x50010001, 0},
    {IDCANCEL, 0x80, 211, 294, 45, 14, PushButton, 0},
    {1050, 0x82, 7, 7, 250, 10, Label, 0},
    {1015, 0x85, 7, 19, 249, 54, DeviceCombo, 0},
    {1039, 0x82, 7, 35, 250, 18, Label, 0},
    {1014, 0x82, 7, 55, 250, 10, Label, 0},
    {1013, 0x85, 7, 67, 249, 54, DeviceCombo, 0},
    {1040, 0x82, 7, 83, 250, 18, Label, 0},
    {1041, 0x82, 7, 103, 255, 14, Label, 0},
    {1023, 0x83, 7, 117, 155, 60, 0x50A11101, 0},
    {2000, 0x80, 172, 117, 85, 15, Choice | WS_GROUP, WS_EX_CLIENTEDGE},
    {2001, 0x80, 172, 135, 85, 15, Choice, WS_EX_CLIENTEDGE},
    {2002, 0x80, 172, 153, 85, 15, Choice, WS_EX_CLIENTEDGE},
    {1042, 0x82, 7, 183, 250, 8, Label, 0},
    {1026, 0x82, 7, 195, 249, 30, Label, 0},
    {1047, 0x82, 7, 228, 117, 40, Label, 0},
    {1048, 0x82, 139, 228, 117, 40, Label, 0},
    {1045, 0x80, 35, 270, 60, 14, PushButton, 0},
    {1046, 0x80, 167, 270, 60, 14, PushButton, 0},
};

// Reads an extended dialog template field by field.
class TemplateReader {
  public:
    explicit TemplateReader(const BYTE* data) : at_(data), start_(data) {}
    WORD Word() { return Take<WORD>(); }
    DWORD Dword() { return Take<DWORD>(); }
    short Short() { return Take<short>(); }
    BYTE Byte() { return Take<BYTE>(); }
    // A name or ordinal: "#n" for an ordinal.
    std::string NameOrOrdinal() {
        if (reinterpret_cast<const WORD*>(at_)[0] == 0xFFFF) {
            Word();
            return "#" + std::to_string(Word());
        }
        return String();
    }
    std::string String() {
        std::string text;
        for (WORD c = Word(); c; c = Word())
            text += static_cast<char>(c);
        return text;
    }
    void AlignToDword() { at_ = start_ + ((at_ - start_ + 3) & ~3); }
    void Skip(size_t bytes) { at_ += bytes; }

  private:
    template <typename T> T Take() {
        T value;
        CopyMemory(&value, at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    const BYTE* at_;
    const BYTE* start_;
};

const BYTE* SettingsTemplate() {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDD_SETTINGS), MAKEINTRESOURCEA(5));
    return found ? static_cast<const BYTE*>(LockResource(LoadResource(module, found))) : nullptr;
}

std::string ClassName(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

} // namespace

TEST(SettingsTemplate, StoredTemplateHoldsTheDialogAndItsControlsInTabOrder) {
    const BYTE* data = SettingsTemplate();
    ASSERT_NE(nullptr, data);
    TemplateReader reader(data);
    EXPECT_EQ(1, reader.Word());      // extended template
    EXPECT_EQ(0xFFFF, reader.Word()); // signature
    reader.Dword();                   // help id
    EXPECT_EQ(0u, reader.Dword());    // extended style
    EXPECT_EQ(0x80C000C0u, reader.Dword());
    WORD count = reader.Word();
    EXPECT_EQ(0, reader.Short());
    EXPECT_EQ(0, reader.Short());
    EXPECT_EQ(263, reader.Short());
    EXPECT_EQ(315, reader.Short());
    EXPECT_EQ("", reader.NameOrOrdinal()); // no menu
    EXPECT_EQ("", reader.NameOrOrdinal()); // the system's dialog class
    reader.String();                       // caption placeholder
    EXPECT_EQ(9, reader.Word());
    EXPECT_EQ(FW_NORMAL, reader.Word());
    EXPECT_EQ(0, reader.Byte()); // not italic
    EXPECT_EQ(1, reader.Byte()); // character set
    EXPECT_EQ("Times New Roman", reader.String());

    ASSERT_EQ(std::size(Expected), count);
    for (const Control& control : Expected) {
        SCOPED_TRACE(testing::Message() << "control " << control.id);
        reader.AlignToDword();
        reader.Dword(); // help id
        EXPECT_EQ(control.exStyle, reader.Dword());
        EXPECT_EQ(control.style, reader.Dword());
        EXPECT_EQ(control.x, reader.Short());
        EXPECT_EQ(control.y, reader.Short());
        EXPECT_EQ(control.cx, reader.Short());
        EXPECT_EQ(control.cy, reader.Short());
        EXPECT_EQ(static_cast<DWORD>(control.id), reader.Dword());
        EXPECT_EQ("#" + std::to_string(control.classAtom), reader.NameOrOrdinal());
        reader.NameOrOrdinal(); // text placeholder
        reader.Skip(reader.Word());
    }
}

TEST(SettingsTemplate, OpenedDialogHasNoSystemMenuAndItsControlsInTabOrder) {
    TestDeviceList list({{"Board", 0, {1, 1}, {1, 1}, TaggedGuid(1)}}, 0);
    SettingsDialogDriver dialog;
    LONG style = GetWindowLongA(dialog.Window(), GWL_STYLE);
    EXPECT_EQ(0x80C000C0, style & 0x80C000C0);
    EXPECT_EQ(0, style & WS_SYSMENU);

    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(dialog.Window(), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    EXPECT_STREQ("Times New Roman", font.lfFaceName);
    EXPECT_EQ(FW_NORMAL, font.lfWeight);
    EXPECT_FALSE(font.lfItalic);

    // By atom: 0x80 to 0x85.
    const char* const classes[] = {"Button", "Edit", "Static", "ListBox", "ScrollBar", "ComboBox"};
    HWND child = GetWindow(dialog.Window(), GW_CHILD);
    for (const Control& control : Expected) {
        ASSERT_NE(nullptr, child) << "missing control " << control.id;
        EXPECT_EQ(control.id, GetDlgCtrlID(child));
        EXPECT_STRCASEEQ(classes[control.classAtom - 0x80], ClassName(child).c_str());
        // The system keeps the tab stop on the marked choice only, draws the list box's border
        // as a client edge, gives a combo box's scroll bar to its drop-down list, and the third
        // choice is hidden when the dialog opens.
        DWORD managed = 0;
        if (control.id >= IDC_CHOICE_FIRST)
            managed = WS_TABSTOP;
        else if (control.classAtom == 0x83)
            managed = WS_BORDER;
        else if (control.classAtom == 0x85)
            managed = WS_VSCROLL;
        DWORD hidden = control.id == IDC_CHOICE_THIRD ? WS_VISIBLE : 0;
        EXPECT_EQ(control.style & ~managed & ~hidden,
                  static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)) & ~managed)
            << "control " << control.id;
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(nullptr, child);
}
