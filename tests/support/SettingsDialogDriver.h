// Drives the settings dialog in-process the way a player does, through the notifications its
// controls send, and reads back what the player would see.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

#include "TestDeviceList.h"

// The settings dialog opened modelessly from its template, visible; destroyed at the end.
class SettingsDialogDriver {
  public:
    SettingsDialogDriver();
    ~SettingsDialogDriver();
    SettingsDialogDriver(const SettingsDialogDriver&) = delete;
    SettingsDialogDriver& operator=(const SettingsDialogDriver&) = delete;

    HWND Window() const { return window_; }
    void ChooseDevice(int index);
    void ChooseScreenMode(int index);
    void SelectOption(int option);
    void Click(int id);

    std::string Text(int id) const;
    std::vector<std::string> ComboEntries(int id) const;
    std::vector<std::string> ListEntries(int id) const;
    int ComboSelection(int id) const;
    bool IsEnabled(int id) const;
    bool IsChecked(int id) const;

    // The label of the marked choice; "" when none is marked.
    std::string MarkedChoice() const;
    // Selects option and returns the label of its marked choice.
    std::string ShownChoice(int option);
    // Selects option and tells whether its choice buttons can be used.
    bool ChoicesEnabled(int option);

  private:
    HWND window_;
};
