/* Where a player would find a window of another program, or one of its controls, on the screen.
   windowrect CLASS TITLE [CONTROL-ID] -> prints the window's rectangle as "left top right
   bottom" in screen pixels; exit 0 found, 3 no such visible window or control. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    RECT frame;
    if (argc != 3 && argc != 4) {
        fprintf(stderr, "usage: windowrect CLASS TITLE [CONTROL-ID]\n");
        return 1;
    }
    HWND window = FindWindowA(argv[1], argv[2]);
    if (window && argc == 4)
        window = GetDlgItem(window, atoi(argv[3]));
    if (!window || !IsWindowVisible(window))
        return 3;
    GetWindowRect(window, &frame);
    // No line end: the console would write it as CR LF, and the shell reads the last number.
    printf("%ld %ld %ld %ld", frame.left, frame.top, frame.right, frame.bottom);
    return 0;
}
