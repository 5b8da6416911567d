// Resources of the control tests and of the controls demo.
#pragma once

// A method menu with a toolbar of images for some of its commands.
#define IDR_TEST_MENU 7100
#define IDR_TEST_TOOLBAR 7101
#define ID_TEST_ALPHA 7110
#define ID_TEST_BETA 7111
#define ID_TEST_GAMMA 7112
#define ID_TEST_DELTA 7113
#define ID_TEST_EPSILON 7114
#define ID_TEST_NOT_IN_MENU 7115

// Bitmaps of the program's own resources for the hover button.
#define IDB_TEST_HOVER 7120
#define IDB_TEST_NORMAL 7121

// A form of custom controls.
#define IDD_TEST_CONTROLS 7200
#define IDC_TEST_PUSH 7201
#define IDC_TEST_FLAT 7202
#define IDC_TEST_CHECK_ST 7203
#define IDC_TEST_RADIO_A 7204
#define IDC_TEST_RADIO_B 7205
#define IDC_TEST_RADIO_C 7206
#define IDC_TEST_RADIO_OTHER 7207
#define IDC_TEST_MENU_BUTTON 7208
#define IDC_TEST_FLOAT 7209
#define IDC_TEST_SHADE 7210
#define IDC_TEST_ICON 7211
#define IDC_TEST_TAB_AREA 7212
#define IDC_TEST_BACK 7213
#define IDC_TEST_NEXT 7214
#define IDC_TEST_PAGE_AREA 7215
#define IDC_TEST_CAPTION 7216

// The host of a tab dialog, and its pages.
#define IDD_TEST_TAB_HOST 7300
#define IDC_TEST_TAB_1 7301
#define IDC_TEST_TAB_2 7302
#define IDC_TEST_TAB_3 7303
#define IDC_TEST_FORWARDED 7304
#define IDD_TEST_PAGE 7310
#define IDC_TEST_PAGE_TEXT 7311
#define IDC_TEST_PAGE_EDIT 7312
#define IDC_TEST_PAGE_GROUP 7313
#define IDC_TEST_PAGE_LIST 7314
