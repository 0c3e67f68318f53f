// RunProcess: starts every program the launcher runs (the game, its setup, the installers).
#pragma once
#include <windows.h>

// Never 0, so that a caller testing for success cannot take an unknown end for one.
enum : DWORD { NoExitCode = 0xFFFFFFFF };

// Starts applicationPath with commandLine (writable: the system may change it) in the launcher's
// current folder and waits until it is idle (10 s at most). wait 0 returns then; otherwise it
// waits for the end: pumpMessages non-zero answers messages sent to the launcher meanwhile,
// zero blocks. Non-zero when the process was created; exitCode (may be null) gets its code,
// or NoExitCode when none was obtained (not created, not waited for, or the wait failed).
int RunProcess(const char* applicationPath, char* commandLine, int wait, DWORD* exitCode,
               int pumpMessages);
