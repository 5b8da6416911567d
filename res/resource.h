// Resource ids of the program's own templates, menus and icons.
#pragma once

#define IDR_MAINFRAME 128

#define IDD_HIDE_DIALOG 103
#define IDD_MESSAGE_BOX 125
#define IDD_SELECT_CARD 155

// Tray icons by state.
#define IDI_TRAY_LINKED 222
#define IDI_TRAY_LOST 223
#define IDI_TRAY_NORMAL 224
#define IDI_TRAY_WEAK 240
#define IDI_TRAY_WEP_ERROR 239
#define IDI_TRAY_NOT_EXIST 225
#define IDI_TRAY_SOFTAP 140
#define IDI_MESSAGE_INFO 166

// Tray menus and their commands.
#define IDR_TRAY_MENU_XP 269
#define IDR_TRAY_MENU 512
#define ID_TRAY_EXIT_SHORT 513
#define ID_TRAY_LAUNCH 32931
#define ID_TRAY_EXIT 32961
#define ID_TRAY_SWITCH_CONFIG 32963

// Controls.
#define IDC_SELCARD_COMBO 1244
#define IDC_SELCARD_NAME 1245
#define IDC_SELCARD_DEVICE_ID 1246
#define IDC_SELCARD_TEXT3 1247
#define IDC_SELCARD_TEXT4 1248
#define IDC_MESSAGE_TEXT 1032

// The skinned main window and the marker control whose bottom gives its expanded height.
#define IDD_KELVO_PAGE_UI 8001
#define IDC_KELVO_EXPANDED_MARKER 1011
#define IDC_KELVO_MORE_LESS 1012
#define IDI_LESS 144
