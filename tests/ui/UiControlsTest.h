#pragma once
// Templates and resources of the control tests.
#define IDD_UI_LIST_FORM 9201
#define IDD_UI_CONTROLS_FORM 9202
#define IDC_UI_LIST 9301
#define IDC_UI_OTHER 9302
#define IDC_UI_PROGRESS 9303
#define IDC_UI_LABEL 9304
#define IDC_UI_EDIT 9305
#define IDC_UI_SLIDER 9306
#define IDC_UI_RADIO 9307
#define IDC_UI_BITMAP_RADIO 9308
#define IDC_UI_FINGER 9309
#define IDC_UI_SEPARATOR 9310
#define IDC_UI_VSEPARATOR 9311
#define IDC_UI_SIGNAL 9312
#define IDC_UI_PROCESS 9313
#define IDC_UI_PICTURE 9314
#define IDC_UI_FLOAT 9315
#define IDC_UI_HISTOGRAM 9316
#define IDC_UI_TRANSPARENT_EDIT 9317
#define IDC_UI_RADIO_LABEL 9318
#define IDC_UI_COMBO 9319
// Bitmaps of the program's own resources (module 0) in the tests and the demo.
#define IDB_UI_SIGNAL_LIT 9401
#define IDB_UI_SIGNAL_UNLIT 9402
