// The base of the classic dialogs: on a small desktop the template is re-created with a
// smaller font before the window is made, so that the dialog fits.
#pragma once
#include "framework/Afx.h"

class CResizeDlg : public CDialog {
public:
    CResizeDlg(UINT nIDTemplate, CWnd* pParentWnd = nullptr) : CDialog(nIDTemplate, pParentWnd) {}
    ~CResizeDlg() override = default;

    using CDialog::Create;
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr) override;

    static constexpr char kSmallFontFace[] = "Trebuchet MS";
    static constexpr WORD kSmallFontPoints = 7;
};

// The shared window procedure of the dialogs that close only through their own buttons:
// every command of id IDOK or IDCANCEL (Enter, Esc) is swallowed with 1. Dialogs install it with InstallIgnoreOkCancel.
LRESULT CALLBACK IgnoreOkCancelWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
void InstallIgnoreOkCancel(CWnd* pDlg);
