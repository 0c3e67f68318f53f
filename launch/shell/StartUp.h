// Start-up: the single-instance guard, the colour-depth check and the folder of the game.
#pragma once
#include <windows.h>
#include "LauncherState.h"

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
