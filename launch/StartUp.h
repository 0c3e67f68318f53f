// Launcher-wide state set at start-up, and the single-instance guard.
#pragma once
#include <windows.h>
#include "TString.h"

// Module handle resources are loaded from. Written once by WinMain.
extern HINSTANCE AppInstance;
// Folder of the located moss.exe, never ending in a backslash ("D:" at a drive root).
// Written once by LocateGame at start-up.
extern TString GameDirectory;

// Keeps the folder of the located game in GameDirectory: the path cut before its last
// backslash ("D:" for a game at a drive root); a path whose only backslash leads it stays whole.
void SetGameDirectory(const TString& gamePath);
// Finds moss.exe beside the launcher or at the root of a CD-ROM drive and keeps its folder; 0
// when it is nowhere.
int LocateGame();

// Creates the four named mutexes of the game's programs; 0 when any existed or failed.
int AcquireInstanceGuard();
// Closes the guard's handles, last created first.
void ReleaseInstanceGuard();
// 1 when the display has at least 16 bits per pixel; otherwise tells the player and gives 0.
int CheckColourDepth();
