// The settings record the launcher shares with the game and its setup program, kept as twelve
// values under HKEY_LOCAL_MACHINE\SOFTWARE\HALDEN\MOSSHARBOR TRIAL.
#pragma once
#include <windows.h>
#include "TString.h"

struct SettingsRecord {
    DWORD setup;         // "Setup": non-zero once the game's setup has been done
    DWORD install;       // "Install": carried for the game
    DWORD indeoCheck;    // "Indeo Check": 1 once Play has tested the Indeo codec
    DWORD displayMode;   // "Display Mode": 0 full screen, 1 window; indexes options
    DWORD device;        // "Device": non-zero when deviceId names the chosen display device
    GUID deviceId;       // "Device ID"
    DWORD options[2];    // "Option0" (full screen), "Option1" (window)
    DWORD installFlag;   // "Install Flag": carried for the game
    TString savePath;    // "Save Path": carried for the game
    TString installPath; // "Install Path": where Play looks for moss.exe first
    TString execute;     // "Execute": carried for the game
};

// Loaded when the menu window opens and after the setup program ran; changed in memory by the
// settings dialog, the device list and Play; written to the registry only by Play.
extern SettingsRecord LauncherSettings;

// Reads all twelve values, each taking its default when missing or unreadable. Texts are read
// whole, whatever their length; a number stored in more than 4 bytes takes its default (a
// "Setup" of 0 runs the game's setup again, which repairs the record), a shorter one reads
// zero-extended; a "Display Mode" other than 0 reads as 1; a "Device ID" replaces as many
// leading bytes of deviceId as it holds, and one longer than a GUID is ignored.
void LoadLauncherSettings();
// Writes all twelve values (creating the key when missing).
void SaveLauncherSettings();
