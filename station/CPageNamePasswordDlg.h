// The identity child page of the 802.1X page: user name, password, domain, the password mode
// of token methods, user or machine identity and the cache switch.
#pragma once
#include "station/Dot1XChildPage.h"
#include "ui/ButtonST.h"
#include "ui/CSeparator.h"
#include "ui/ComboBoxSuper.h"
#include "res/StationPagesResource.h"

class CPageNamePasswordDlg : public CDot1XChildPage {
public:
    enum { IDD = IDD_PAGE_NAME_PASSWORD };
    enum PasswordMode { kModeSoftToken = 0, kModeStatic = 1, kModeWindowsLogon = 2, kModePrompt = 3 };
    enum IdentityMode { kUserIdentity = 0, kMachineIdentity = 1 };

    explicit CPageNamePasswordDlg(CWnd* pParent = nullptr) : CDot1XChildPage(IDD, pParent) {}

    // Exchanges the members with the controls; after filling the controls the password
    // display is refreshed too. TRUE.
    BOOL UpdatePage(BOOL bSave);
    // Control states for the 802.1X page's method and inner method (system EAP host rules).
    void ApplyEapHostRules();
    // The identity-mode combo's entry, 0 when nothing is selected.
    int GetIdentityMode() const;
    void SetIdentityMode(int mode);
    // The machine identity: "host/" + computer name + "." + the user's DNS domain.
    static CString MachineIdentity();
    // The handlers of the controls, also run by the 802.1X page.
    void OnPasswordMode();
    void OnIdentityModeChange();
    void RefreshPasswordDisplay();

    CString strIdentity;
    CString strPassword;
    CString strDomain;
    int bShowPassword = 0;
    int nPasswordMode = kModeStatic;
    int bCacheUserInfo = 1;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    void ShowModeButtons(bool bShow);
    int CheckedMode() const;
    CComboBoxSuper m_comboIdMode;
    CButtonST m_btnMode[4];  // Soft Token, Static Password, Windows Logon, Prompt User
    CButtonST m_btnShowPassword;
    CButtonST m_btnCache;
    CSeparator m_separator;
};
