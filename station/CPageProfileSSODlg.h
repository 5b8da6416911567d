// The single-sign-on child page of the 802.1X page: authentication as part of the Windows
// logon, machine authentication, and before or after the user logs on.
#pragma once
#include "station/Dot1XChildPage.h"
#include "ui/ButtonST.h"
#include "ui/CSeparator.h"
#include "res/StationPagesResource.h"

class CPageProfileSSODlg : public CDot1XChildPage {
public:
    enum { IDD = IDD_PAGE_SSO };
    enum { kPreLogon = 0, kPostLogon = 1 };

    explicit CPageProfileSSODlg(CWnd* pParent = nullptr) : CDot1XChildPage(IDD, pParent) {}
    void OnEnableSso();

    int bUseSso = 0;
    int bAllowMachineAuth = 0;
    int nLogonType = kPreLogon;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    CButtonST m_btnEnable;
    CButtonST m_btnMachine;
    CButtonST m_btnPreLogon;
    CButtonST m_btnPostLogon;
    CSeparator m_separator;
};
