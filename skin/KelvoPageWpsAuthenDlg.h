// The WPS security page: in registrar mode, the network name and security a not yet configured
// access point is to receive. It shows the stored credential through the credential dialog,
// takes the user's edit, and hands it to the run on the link-status page.
#pragma once
#include "framework/Afx.h"
#include "contract/StationRecords.h"
#include "res/StationPagesResource.h"
#include "skin/SkinnedPage.h"

class CKelvoPageWpsAuthenDlg : public CSkinnedPage {
    DECLARE_DYNCREATE(CKelvoPageWpsAuthenDlg)
public:
    enum { IDD = IDD_KELVO_WPS_AUTHEN };
    enum { kSecDisable = 0, kSecWpaPsk = 1, kSecWpa2Psk = 2 };
    enum { kCipherTkip = 0, kCipherAes = 1 };
    static constexpr int kSsidLimit = 32, kKeyLimit = 64, kMinPskLength = 8;
    CKelvoPageWpsAuthenDlg() : CSkinnedPage(IDD) {}

    // The stored credential and its display values, as the credential dialog shows them.
    WPS_PROFILE m_WpsProfile = {};
    CString m_strSsid, m_strBssid, m_strAuth, m_strEncr;  // display texts of the first credential
    ULONG m_nKeyLength = 0;
    ULONG m_nKeyIndex = 0;
    CString m_strKeyText[2];  // the key as stored, and its other form (hexadecimal or characters)

    // Reads the stored credential, has the credential dialog show it and takes its values.
    void LoadCredential();
    // Fills the display values from the first credential of m_WpsProfile.
    void PrepareDisplayValues();
    void OnSecurityTypeChanged();
    // Checks the entries; true when they were handed on and the link-status page shown.
    bool OnNext();
    void OnBack();
    void OnExitPage();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    int ComboSel(UINT id) const;
    void SetComboSel(UINT id, int index);
};
