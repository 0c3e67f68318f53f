// Plays the player's part in a launcher that runs as another process: starts it and answers its
// message boxes through posted messages, as the system delivers a player's input.
#pragma once
#include <windows.h>

#include <string>

#include "ChildProcess.h"

// Starts the folder's launcher.exe in that folder, as a player starts it.
bool StartLauncher(ChildProcess& launcher, const std::string& folder, bool suspended = false);
// Waits for a message box of the process, presses button (IDOK, IDCANCEL, IDYES, IDNO) and
// returns "<caption>|<text>"; "" when no box came within the time-out.
std::string AnswerBox(ChildProcess& process, int button);
