// ShowSetupResult: tells the player why DirectX was not installed, and whether to try again.
#pragma once
#include <windows.h>

// Not a DirectXSetupA result: the system drive has less than 15 MB free.
enum { SetupCodeNoDiskSpace = 99 };

// Owner of the install command's shared boxes. Written by InstallDirectX6 after its question
// and by InstallSoftware before the reboot question.
extern HWND MessageOwner;

// Shows the box that belongs to a DirectXSetupA result or SetupCodeNoDiskSpace; codes without
// a box show nothing. 1 when the player asked to try again, 0 otherwise.
int ShowSetupResult(int code);
