// Asks for the name of a network that does not broadcast it, before the connection goes on.
#pragma once
#include "station/CClassicDlg.h"
#include "ui/CSmartEdit.h"
#include "res/resource.h"

class CHiddenSsidDlg : public CClassicDlg {
public:
    enum { IDD = IDD_HIDDEN_SSID };
    explicit CHiddenSsidDlg(CWnd* pParent = nullptr) : CClassicDlg(IDD, pParent) {}

    // The confirmed name while MSG_HIDDEN_SSID_DLG with lParam 1 is being handled.
    CString m_strSSID;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnOK() override;
    void OnCancel() override;
    DECLARE_MESSAGE_MAP()

private:
    CSmartEdit m_editSSID;
    CShadeButtonST m_btnOK;
    CShadeButtonST m_btnCancel;
};
