// A windowed program that never becomes idle: it waits for the named event given on its
// command line (30 s at most) without ever looking at its message queue, then ends with 0.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    HANDLE stop = OpenEventA(SYNCHRONIZE, FALSE, commandLine);
    if (!stop)
        return 90;
    WaitForSingleObject(stop, 30000);
    CloseHandle(stop);
    return 0;
}
