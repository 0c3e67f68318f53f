/* Sends a close request to the top-level window of a class, as the system does for Alt+F4.
   closewindow CLASS -> 0 posted, 3 no such window. */
#include <windows.h>
#include <stdio.h>

int main(int argc, char** argv) {
    HWND window;
    if (argc != 2) {
        fprintf(stderr, "usage: closewindow CLASS\n");
        return 1;
    }
    window = FindWindowA(argv[1], NULL);
    if (!window)
        return 3;
    PostMessageA(window, WM_CLOSE, 0, 0);
    return 0;
}
