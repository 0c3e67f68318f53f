// InstallIndeo, InstallDirectXMedia: the component installers in the CD's redist folder.
#pragma once
#include <windows.h>

// After the player agreed, runs "<GameDirectory>\redist\iv5setup.exe" and waits for its end
// with owner hidden. Always 1: an installer that does not start is reported and passed over.
int InstallIndeo(HWND owner);
// After the player agreed, runs dxmedia.exe and then the patch dxm6ptch.exe from the redist
// folder, the patch also when dxmedia.exe did not start. Always 1.
int InstallDirectXMedia(HWND owner);
