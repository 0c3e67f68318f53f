// Launcher-wide state that every subsystem reads: where resources and the game are, and which
// commands are running.
#pragma once
#include <windows.h>
#include "TString.h"

// Module handle resources are loaded from. Written once by WinMain.
extern HINSTANCE AppInstance;
// Folder of the located moss.exe, never ending in a backslash ("D:" at a drive root).
// Written once by LocateGame at start-up.
extern TString GameDirectory;

enum { CommandSlotCount = 7 };
// One flag per command slot, set while that command runs (0 Play, 1 Change Settings,
// 5 Install Software). Written by the menu window; read by PlayGame.
extern LONG CommandBusy[CommandSlotCount];
