// Resource ids of the program's own templates, menus and icons.
#pragma once

#define IDD_HIDE_DIALOG 103

// Commands of the tray menu.
#define ID_TRAY_LAUNCH 32931
