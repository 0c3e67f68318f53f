/* Where a player would find a window of another program, or one of its controls, on the screen.
   windowrect CLASS TITLE [CONTROL-ID] -> prints the window's rectangle and then its client
   area, each as "left top right bottom" in screen pixels, on one line;
   exit 0 found, 3 no such visible window or control. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    HWND window;
    RECT frame, client;
    POINT origin = {0, 0};
    if (argc != 3 && argc != 4) {
        fprintf(stderr, "usage: windowrect CLASS TITLE [CONTROL-ID]\n");
        return 1;
    }
    window = FindWindowA(argv[1], argv[2]);
    if (window && argc == 4)
        window = GetDlgItem(window, atoi(argv[3]));
    if (!window || !IsWindowVisible(window))
        return 3;
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    ClientToScreen(window, &origin);
    printf("%ld %ld %ld %ld %ld %ld %ld %ld\n", frame.left, frame.top, frame.right, frame.bottom,
           origin.x, origin.y, origin.x + client.right, origin.y + client.bottom);
    return 0;
}
