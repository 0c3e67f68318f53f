// Resource identifiers of the launcher.
#pragma once

#define IDD_MENU 101
#define IDI_LAUNCHER 105
#define IDB_BAR_WIDE 148
#define IDB_PALETTE 149
#define IDB_BAR_NARROW 150
#define IDB_BACKGROUND 151
#define IDD_SETTINGS 165
