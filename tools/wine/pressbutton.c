/* Answers a message box of another program, as a player would: waits for a visible box (class
   #32770), checks its caption and text, presses a button and waits until the box has gone.
   pressbutton CAPTION TEXT BUTTON TIMEOUT_MS
   CAPTION "*" accepts any caption; BUTTON is the button's id (1 OK, 2 Cancel, 6 Yes, 7 No).
   -> 0 pressed, 2 a box with another caption or text is up, 3 no box or it stayed. */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static HWND VisibleBox(void) {
    HWND box = NULL;
    while ((box = FindWindowExA(NULL, box, "#32770", NULL)) != NULL) {
        if (IsWindowVisible(box) && GetDlgItem(box, 0xFFFF))
            return box;
    }
    return NULL;
}

int main(int argc, char** argv) {
    DWORD start = GetTickCount();
    DWORD timeout;
    int button;
    HWND box = NULL;
    char caption[256] = "";
    char text[1024] = "";
    if (argc != 5) {
        fprintf(stderr, "usage: pressbutton CAPTION TEXT BUTTON TIMEOUT_MS\n");
        return 1;
    }
    button = atoi(argv[3]);
    timeout = (DWORD)strtoul(argv[4], NULL, 10);
    while (!(box = VisibleBox()) && GetTickCount() - start < timeout)
        Sleep(10);
    if (!box) {
        printf("pressbutton: no box \"%s\" within %lu ms\n", argv[2], (unsigned long)timeout);
        return 3;
    }
    GetWindowTextA(box, caption, sizeof caption);
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    if ((strcmp(argv[1], "*") != 0 && strcmp(caption, argv[1]) != 0) ||
        strcmp(text, argv[2]) != 0) {
        printf("pressbutton: the box \"%s\" says \"%s\"\n", caption, text);
        return 2;
    }
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), (LPARAM)GetDlgItem(box, button));
    while (IsWindow(box) && IsWindowVisible(box) && GetTickCount() - start < timeout)
        Sleep(10);
    if (!IsWindow(box) || !IsWindowVisible(box))
        return 0;
    printf("pressbutton: the box \"%s\" stayed after button %d\n", text, button);
    return 3;
}
