// A modal dialog run by the main window or one of its pages, registered with the main window
// while it runs: the exit roads (tray Exit, the adapter gone) then close it and come back,
// instead of destroying the pages, and the page whose function runs the loop, under it.
#pragma once
#include "framework/Afx.h"

class CKelvoPageUIDlg;

class CModalChildScope {
public:
    // Registers the dialog in the main window's child slot for this scope's life.
    CModalChildScope(CDialog& dialog, int slot);
    ~CModalChildScope();
    CModalChildScope(const CModalChildScope&) = delete;
    CModalChildScope& operator=(const CModalChildScope&) = delete;

    // DoModal with resources from the skin library (when it is loaded), registered meanwhile.
    static INT_PTR RunSkinned(CDialog& dialog, int slot);

private:
    CKelvoPageUIDlg* m_pMain;
    int m_nSlot;
    CWnd* m_pPrevious;
};
