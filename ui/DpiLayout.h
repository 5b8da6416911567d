// Layout files of the skinned pages for screens of other than 96 dots per inch: each page's
// rectangle and those of all its descendants, recorded into or applied from a text file named
// after the page in the folder "DpiConfig" beside the program.
#pragma once
#include "framework/Afx.h"
#include <functional>

// What decides whether layout files are used, written or read.
struct DpiLayoutConfig {
    int nOsCode = 0;            // operating-system code of the station library; 10 or more: no layout files
    CString strBeUsed = "0";    // IDS_DPI_BE_USED of "DpiConfig\Config.ini": "0" turns the files off
    CString strReady = "0";     // IDS_DPI_READY: "1" applies the files, anything else records them
    CString strProgramFolder;   // with its trailing backslash; empty = the folder of the program's file
};
constexpr int kDpiOsCodeNoLayout = 10;

// Where the switches come from; the default (an empty function) reads the language table and
// asks the station library for the operating-system code. A switch the language table has not
// loaded yet (empty) counts as "0".
void SetDpiLayoutConfigSource(std::function<DpiLayoutConfig()> source);

// Records (IDS_DPI_READY not "1") or applies (IDS_DPI_READY "1") the layout file of the page.
// 1 when a layout file was written or read, else 0; failures are logged, never thrown.
int ApplyDpiLayout(CWnd* pPage, const CString& strFileName);

// Adjusts a control by its class before it is moved to *pRect, and may change *pRect.
void DpiFixupControl(CWnd* pControl, RECT* pRect);
using DpiFixup = void (*)(CWnd* pControl, RECT* pRect);
// Called for every window but the page before it is moved; null makes no fix-up.
extern DpiFixup G_pfnDpiFixupControl;
// Replaces the step of a control class (by the name of its run-time class); null makes none.
void SetDpiClassFixup(LPCSTR lpszClassName, DpiFixup fixup);
