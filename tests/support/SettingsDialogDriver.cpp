// The settings dialog, opened and driven in-process.
#include "SettingsDialogDriver.h"

#include <gtest/gtest.h>

#include "SettingsDialog.h"
#include "resource.h"

SettingsDialogDriver::SettingsDialogDriver()
    : window_(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SETTINGS), nullptr,
                                 SettingsDialogProc, 0)) {
    EXPECT_NE(nullptr, window_) << "the settings dialog did not open";
    ShowWindow(window_, SW_SHOW);
}

SettingsDialogDriver::~SettingsDialogDriver() {
    DestroyWindow(window_);
}

namespace {

void SendSelectionChange(HWND dialog, int id, UINT setMessage, int index, WORD notification) {
    HWND control = GetDlgItem(dialog, id);
    SendMessageA(control, setMessage, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, notification),
                 reinterpret_cast<LPARAM>(control));
}

std::vector<std::string> Entries(HWND control, UINT countMessage, UINT textMessage) {
    std::vector<std::string> entries;
    LRESULT count = SendMessageA(control, countMessage, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[512] = {};
        SendMessageA(control, textMessage, i, reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

} // namespace

void SettingsDialogDriver::ChooseDevice(int index) {
    SendSelectionChange(window_, IDC_DEVICE_BOX, CB_SETCURSEL, index, CBN_SELCHANGE);
}

void SettingsDialogDriver::ChooseScreenMode(int index) {
    SendSelectionChange(window_, IDC_MODE_BOX, CB_SETCURSEL, index, CBN_SELCHANGE);
}

void SettingsDialogDriver::SelectOption(int option) {
    SendSelectionChange(window_, IDC_OPTION_LIST, LB_SETCURSEL, option, LBN_SELCHANGE);
}

void SettingsDialogDriver::Click(int id) {
    SendDlgItemMessageA(window_, id, BM_CLICK, 0, 0);
}

std::string SettingsDialogDriver::Text(int id) const {
    char text[512] = {};
    if (id)
        GetDlgItemTextA(window_, id, text, sizeof text);
    else
        GetWindowTextA(window_, text, sizeof text);
    return text;
}

std::vector<std::string> SettingsDialogDriver::ComboEntries(int id) const {
    return Entries(GetDlgItem(window_, id), CB_GETCOUNT, CB_GETLBTEXT);
}

std::vector<std::string> SettingsDialogDriver::ListEntries(int id) const {
    return Entries(GetDlgItem(window_, id), LB_GETCOUNT, LB_GETTEXT);
}

int SettingsDialogDriver::ComboSelection(int id) const {
    return static_cast<int>(SendDlgItemMessageA(window_, id, CB_GETCURSEL, 0, 0));
}

bool SettingsDialogDriver::IsEnabled(int id) const {
    return IsWindowEnabled(GetDlgItem(window_, id)) != FALSE;
}

bool SettingsDialogDriver::IsChecked(int id) const {
    return IsDlgButtonChecked(window_, id) == BST_CHECKED;
}

std::string SettingsDialogDriver::ShownChoice(int option) {
    SelectOption(option);
    return MarkedChoice();
}

std::string SettingsDialogDriver::MarkedChoice() const {
    bool first = IsChecked(IDC_CHOICE_FIRST);
    bool second = IsChecked(IDC_CHOICE_SECOND);
    if (first == second)
        return first ? "both marked" : "";
    return Text(first ? IDC_CHOICE_FIRST : IDC_CHOICE_SECOND);
}

bool SettingsDialogDriver::ChoicesEnabled(int option) {
    SelectOption(option);
    bool first = IsEnabled(IDC_CHOICE_FIRST);
    EXPECT_EQ(first, IsEnabled(IDC_CHOICE_SECOND)) << "choices of option " << option;
    return first;
}
