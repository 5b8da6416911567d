// What the three small WPS dialogs share: the skin's background stretched over the client area,
// dragging by any point of it, a skinned close button and a Start button, and the texts drawn
// over the background (the title white on its band, the others in the pages' label look). Run
// modally, each ends with 0 after Start and 1 after its close button or a close request.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"
#include "ui/FloatButton.h"

class CWpsSkinDialog : public CDialog {
public:
    static constexpr UINT kBackgroundId = 1002, kCloseNormalId = 1023, kCloseHoverId = 1022,
                          kStartNormalId = 1045, kStartHoverId = 1044;
    static constexpr INT_PTR kStarted = 0, kClosed = 1;
    CWpsSkinDialog(UINT templateId, LPCSTR layoutFile, UINT titleId, CWnd* pParent);
    ~CWpsSkinDialog() override;

    // The Start button's work: true ends the dialog with 0.
    virtual bool OnStart() = 0;
    void OnStartClicked();
    void OnCloseClicked();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override {}
    void OnCancel() override { EndDialog(kClosed); }
    void OnClose() { EndDialog(kClosed); }
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnNcHitTest(CPoint point);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    CString m_layoutFile;
    UINT m_titleId;
    CFont m_titleFont, m_textFont;
    CFloatButton m_btnStart, m_btnClose;
    HBITMAP m_hBackground = nullptr;
};
