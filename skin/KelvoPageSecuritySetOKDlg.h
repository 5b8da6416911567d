// Security wizard: the done page of a new profile: activate it now or later.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"
#include "ui/FloatButton.h"

class CKelvoPageSecuritySetOKDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageSecuritySetOKDlg)
public:
    enum { IDD = IDD_KELVO_SECURITY_SET_OK };
    static constexpr UINT kBackgroundId = 1048;
    CKelvoPageSecuritySetOKDlg() : CDialog(IDD) {}

    // Connects the profile named on the profile control page and shows the link information.
    void OnActivateNow();
    // Leaves the link alone and shows the profile list.
    void OnActivateLater();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    BOOL OnEraseBkgnd(CDC* pDC);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    CFloatButton m_btnNow, m_btnLater;
    CFont m_font;
};
