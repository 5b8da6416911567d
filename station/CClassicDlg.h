// What the classic station dialogs share: the etched top edge, dragging the front window on
// small desktops, and reporting to the front window or to the owner.
#pragma once
#include "ui/ResizeDlg.h"
#include "ui/ShadeButtonST.h"

class CClassicDlg : public CResizeDlg {
public:
    CClassicDlg(UINT nIDTemplate, CWnd* pParentWnd) : CResizeDlg(nIDTemplate, pParentWnd) {}

    // The window the classic dialogs report to: the last active pop-up of the application's
    // main window (the skinned main window while it is open).
    static CWnd* GetFrontWindow();
    // Sends a report synchronously to the front window; 0 when there is none.
    static LRESULT SendToFrontWindow(UINT message, WPARAM wParam, LPARAM lParam);
    // The top-level window that owns this dialog (for the editors, the main window); null when
    // there is none.
    CWnd* TopLevelOwner() const;
    // Sends a report synchronously to TopLevelOwner(); 0 when there is none.
    LRESULT ReportToOwner(UINT message, WPARAM wParam, LPARAM lParam) const;

protected:
    BOOL OnInitDialog() override;
    void OnPaint();
    // The shared WM_NCHITTEST handler: on a small desktop a press anywhere on the dialog drags
    // the front window; otherwise the default hit test.
    LRESULT OnNcHitTestDragMainWindow(WPARAM wParam, LPARAM lParam);
    // Gives a bound button of the dialog its caption, the plain shading and the dialog font.
    void SkinButton(CShadeButtonST& button, LPCSTR caption);
    // The dialog font: height 16, the language table's character set and face name.
    CFont m_font;
    DECLARE_MESSAGE_MAP()
};
