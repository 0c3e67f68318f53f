// Keyboard movement over the active items.
#include "MenuItems.h"

int NextMenuItem(int item) {
    int next = item + 1;
    if (next == MenuItemCount)
        return 0;
    if (next == 7)
        return 8;
    if (next >= 2 && next <= 4)
        return 5;
    return next;
}

int PreviousMenuItem(int item) {
    int previous = item - 1;
    if (previous == -1)
        return 9;
    if (previous == 7)
        return 6;
    if (previous >= 2 && previous <= 4)
        return 1;
    return previous;
}
