// Resource ids of the program's own templates, menus and icons.
#pragma once

#define IDD_HIDE_DIALOG 103

// Commands of the tray menu.
#define ID_TRAY_LAUNCH 32931

// The skinned main window and the marker control whose bottom gives its expanded height.
#define IDD_KELVO_PAGE_UI 8001
#define IDC_KELVO_EXPANDED_MARKER 1011
