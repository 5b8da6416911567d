// The re-login dialog: an 802.1X authentication failed; the user may enter the identity,
// password and domain again, which are written to the library and connected with.
#pragma once
#include "core/IReloginDialog.h"
#include "station/CClassicDlg.h"
#include "contract/StationRecords.h"
#include "res/resource.h"

class CInvalidIDPW : public CClassicDlg, public IReloginDialog {
public:
    enum { IDD = IDD_INVALID_IDPW };
    explicit CInvalidIDPW(CWnd* pParent = nullptr) : CClassicDlg(IDD, pParent) {}

    // 1: the identity or password was rejected; 0: the authentication timed out.
    ULONG m_bRejected = 1;

    CString m_strCardName;
    CString m_strProfileName;
    CString m_strMessage;
    CString m_strIdentity;
    CString m_strPassword;
    CString m_strDomain;

    // The profile that failed, the dialog's own copy: a connect that replaces the hidden
    // dialog's record while this dialog is open does not change what OK connects.
    WLANPROFILE* GetProfile() override { return m_bHasProfile ? &m_Profile : nullptr; }
    void Ask(const WLANPROFILE& profile, ULONG rejected) override;
    // The identity in the edit now, typed but not yet confirmed.
    CString TypedIdentity() const override;
    bool IsShown() const override;

    static constexpr WPARAM kReloginWpaOrPlain = 10;
    static constexpr WPARAM kReloginOther = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnBtnOK();
    void OnBtnCancel();
    DECLARE_MESSAGE_MAP()

private:
    WLANPROFILE m_Profile = {};
    bool m_bHasProfile = false;
    CShadeButtonST m_btnOK;
    CShadeButtonST m_btnCancel;
    void RefreshTexts();
    void RefreshWhileShown();
    void UpdateFieldVisibility();
};
