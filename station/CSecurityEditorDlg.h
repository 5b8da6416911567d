// The security editor: a hidden classic dialog of the main window that gathers a network's
// security settings (authentication, encryption, keys, 802.1X) for the site-survey road. It
// stores no profile: its OK hands the model to its owner, which builds the connection itself.
#pragma once
#include "station/CClassicDlg.h"
#include "station/CPage8021XDlg.h"
#include "station/EditorSecurityModel.h"
#include "station/ProfileCodes.h"
#include "station/SecurityPageHost.h"
#include "res/StationPagesResource.h"

class CPageAuthEncryDlg;
class CPageWAPIDlg;
class CTabDialog;

class CSecurityEditorDlg : public CClassicDlg, public CSecurityPageHost, public C8021XPageHost {
public:
    enum { IDD = IDD_SECURITY_EDITOR };
    enum { kTabAuth, kTab8021X, kTabWapi, kTabCount };

    explicit CSecurityEditorDlg(CWnd* pParent = nullptr);
    ~CSecurityEditorDlg() override;

    // Copies its 802.1X settings record and the two certificate blobs (bytes and length).
    void CopyEapSettings(StringRecord7& out, VN_BLOB_KEY& clientCert, VN_BLOB_KEY& serverCert) const;

    // Checks, collects and reports to the owner (the OK button; the wizard calls it too).
    void OnOK() override;
    void OnCancel() override;

    CShadeButtonST* GetTabButton(int tab) const { return tab >= 0 && tab < kTabCount ? m_pTabButtons[tab] : nullptr; }

    // What the pages ask of their editor.
    bool GetSystemNetworkType(ULONG*) override { return false; }
    void Enable8021XTab(BOOL bEnable) override;
    void EnableWapiTab(BOOL bEnable) override;
    void ClickAuthTab() override;
    int GetEapMethod() override;
    void SetEapMethod(int method) override;
    const Dot1XStoredSettings* GetStored8021XSettings() override;
    CPageAuthEncryDlg* GetAuthPage() override { return m_pPageAuthEncry; }
    CString GetProfileName() override { return CString(); }

    CPageAuthEncryDlg* m_pPageAuthEncry = nullptr;
    CPage8021XDlg* m_pPage8021X = nullptr;
    CPageWAPIDlg* m_pPageWapi = nullptr;

    // The four settings words of its OK.
    int m_nAuthIndex = 0;
    int m_nEncryIndex = 0;
    int m_nDefaultKey = 0;  // key index plus 1
    int m_b8021X = 0;

    StringRecord7 m_Eap;
    EditorSecurityModel m_model;  // the rest of the model: keys, certificates, PAC list, key text
    CString m_strCertificate[2];  // the two WAPI certificate texts
    int m_bAuthPageLoaded = 0;
    Dot1XStoredSettings m_stored8021X;  // the model as the 802.1X page last loaded it

protected:
    BOOL OnInitDialog() override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnBtnOk() { OnOK(); }
    void OnBtnCancel() { OnCancel(); }
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreatePages();
    bool Alive(const CWnd* wnd) const { return wnd && wnd->m_hWnd; }

    CTabDialog* m_pTabHost = nullptr;
    CShadeButtonST* m_pTabButtons[kTabCount] = {};
    CShadeButtonST m_btnOk;
    CShadeButtonST m_btnCancel;
};
