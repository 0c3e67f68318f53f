// The menu item table and the highlight flags.
#include "MenuLayout.h"

const MenuItemLayout MenuLayout[MenuItemCount] = {
    {325, 30, 296, 60, true},   // 0 Play
    {325, 90, 296, 60, true},   // 1 Change Settings
    {325, 150, 148, 60, false}, // 2
    {473, 150, 148, 60, false}, // 3
    {325, 210, 296, 60, false}, // 4
    {325, 270, 296, 60, true},  // 5 Install Software
    {325, 330, 148, 60, true},  // 6 Web Site
    {473, 330, 148, 60, false}, // 7
    {325, 390, 148, 60, true},  // 8 Exit
    {473, 390, 148, 60, true},  // 9 Help
};

LONG ItemHighlight[MenuItemCount];
