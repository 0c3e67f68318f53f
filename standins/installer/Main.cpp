// The component installers iv5setup.exe, dxmedia.exe and dxm6ptch.exe: each records how it
// was started and ends with 0. Nothing is installed.
#include <windows.h>

#include "StandInLog.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RecordStandInStart();
    return 0;
}
