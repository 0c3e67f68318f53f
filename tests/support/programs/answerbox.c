/* Answers a message box from outside its program, as a player would: waits for a box
   (class #32770) with the given caption, checks its text and presses OK.
   answerbox CAPTION TEXT TIMEOUT_MS -> 0 answered, 2 another text, 3 no box in time. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

int main(int argc, char** argv) {
    DWORD start = GetTickCount();
    DWORD timeout;
    if (argc != 4) {
        fprintf(stderr, "usage: answerbox CAPTION TEXT TIMEOUT_MS\n");
        return 1;
    }
    timeout = (DWORD)strtoul(argv[3], NULL, 10);
    do {
        HWND box = FindWindowA("#32770", argv[1]);
        if (box && IsWindowVisible(box)) {
            char text[512] = "";
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            if (strcmp(text, argv[2]) != 0) {
                printf("answerbox: the box says \"%s\"\n", text);
                return 2;
            }
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         (LPARAM)GetDlgItem(box, IDOK));
            return 0;
        }
        Sleep(20);
    } while (GetTickCount() - start < timeout);
    printf("answerbox: no box \"%s\" within %lu ms\n", argv[1], (unsigned long)timeout);
    return 3;
}
