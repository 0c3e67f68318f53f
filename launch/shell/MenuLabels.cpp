// Menu labels: one bold serif font, grey text, the highlighted item's text in orange.
#include "MenuLabels.h"

#include <string.h>

#include "DisplayDeviceList.h"
#include "LauncherSettings.h"
#include "MenuLayout.h"

namespace {

const COLORREF NormalColour = RGB(184, 184, 184);
const COLORREF HighlightColour = RGB(255, 120, 30);
const DWORD HardwareAccelerateOption = 1; // bit 0 of an option word

const int Centred = -1;

struct MenuLabel {
    int item;
    const char* text; // null: the acceleration line
    int x;            // offset from the item's left edge, or Centred
    int y;            // offset from the item's top to the top of the text cell
};

// In painting order.
const MenuLabel Labels[] = {
    {0, "Play MOSS HARBOR", Centred, 23},
    {1, "Change Settings", Centred, 13},
    {1, nullptr, Centred, 30},
    {5, "Install Intel(R)Indeo(R)Video5.11", 6, 16},
    {5, "DirectX(R)6,DirectX(R)Media", 121, 30},
    {8, "Exit", Centred, 23},
    {9, "Online", Centred, 13},
    {9, "Help", Centred, 30},
    {6, "Halden", Centred, 14},
    {6, "Web Site", Centred, 23},
};

class LabelFont {
  public:
    LabelFont()
        : font_(CreateFontA(14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            FF_ROMAN | DEFAULT_PITCH, "Times New Roman")) {}
    LabelFont(const LabelFont&) = delete;
    LabelFont& operator=(const LabelFont&) = delete;
    ~LabelFont() {
        if (font_)
            DeleteObject(font_);
    }
    HFONT Handle() const { return font_; }

  private:
    HFONT font_;
};

// Keeps a font selected into a DC for one scope; the DC gets its previous font back.
class FontSelection {
  public:
    FontSelection(HDC dc, HFONT font) : dc_(dc), previous_(SelectObject(dc, font)) {}
    FontSelection(const FontSelection&) = delete;
    FontSelection& operator=(const FontSelection&) = delete;
    ~FontSelection() {
        if (previous_)
            SelectObject(dc_, previous_);
    }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

int LabelX(HDC dc, const MenuLabel& label, const char* text, int length) {
    const MenuItemLayout& layout = MenuLayout[label.item];
    if (label.x != Centred)
        return layout.left + label.x;
    SIZE extent = {};
    GetTextExtentPoint32A(dc, text, length, &extent);
    // Integer division truncates toward zero, also for a text wider than its item.
    return layout.left + (layout.width - extent.cx) / 2;
}

} // namespace

const char* AccelerationLabel() {
    const DisplayDeviceTable& list = DisplayDeviceList;
    const DWORD mode = LauncherSettings.displayMode;
    // The mode comes from the registry: only 0 and 1 index the per-mode fields.
    if (mode > 1 || !list.records || list.current < 0 || list.current >= list.size)
        return "Software";
    const DisplayDevice& device = *list.records[list.current];
    if (device.accelerated[mode] && (LauncherSettings.options[mode] & HardwareAccelerateOption))
        return "Hardware Accelerate";
    return "Software";
}

int PaintMenuLabels(HWND window, HDC memoryDC) {
    if (!SetWindowTextA(window, "MOSS HARBOR"))
        return 0;
    SetBkMode(memoryDC, TRANSPARENT);
    LabelFont font;
    SetMapperFlags(memoryDC, ASPECT_FILTERING);
    FontSelection selection(memoryDC, font.Handle());

    for (const MenuLabel& label : Labels) {
        SetTextColor(memoryDC, ItemHighlight[label.item] ? HighlightColour : NormalColour);
        const char* text = label.text ? label.text : AccelerationLabel();
        const int length = static_cast<int>(strlen(text));
        const int x = LabelX(memoryDC, label, text, length);
        if (!TextOutA(memoryDC, x, MenuLayout[label.item].top + label.y, text, length))
            return 0;
    }
    SetTextColor(memoryDC, NormalColour);
    return 1;
}
