// The WPS credential editor: shows the first credential of a WPS profile and, when editing is
// allowed, lets the user change its SSID, authentication, encryption and key before it is used.
// OK and Cancel report to the front window with MSG_WPS_PROFILE_DLG.
#pragma once
#include "station/CClassicDlg.h"
#include "contract/StationRecords.h"
#include "res/resource.h"
#include "ui/CSmartEdit.h"

#include "skin/MainWindowMessages.h"  // MSG_WPS_PROFILE_DLG: W 0 when it closed (L 1 written, 0 not)

// 1 when the shown credential may be edited (the user chose the access point's PIN as WPS method).
extern ULONG G_bWpsPinFromAp;

// Wi-Fi Simple Configuration codes of WPS_CREDENTIAL.
constexpr ULONG WSC_AUTH_OPEN = 0x0001, WSC_AUTH_WPAPSK = 0x0002, WSC_AUTH_WPA2PSK = 0x0020,
                WSC_AUTH_WPAPSK_WPA2PSK = 0x0022;
constexpr ULONG WSC_ENCR_NONE = 0x0001, WSC_ENCR_WEP = 0x0002, WSC_ENCR_TKIP = 0x0004, WSC_ENCR_AES = 0x0008,
                WSC_ENCR_TKIP_AES = 0x000C;

class CPageWPSProfile : public CClassicDlg {
public:
    enum { IDD = IDD_WPS_PROFILE };
    static constexpr int kNoCredential = -1;
    // Positions of the fixed combo entries.
    enum { kAuthOpen = 0, kAuthWpaPsk = 1, kAuthWpa2Psk = 2 };
    enum { kEncrFirst = 0, kEncrSecond = 1 };  // NONE/WEP for OPEN, TKIP/AES for the PSK types

    explicit CPageWPSProfile(CWnd* pParent = nullptr);

    WPS_PROFILE m_WpsProfile = {};
    int m_nCredentialIndex = kNoCredential;

    CString m_strSsid;
    CString m_strBssid;
    CString m_strAuth;
    CString m_strEncr;
    CString m_strKeyLength;
    CString m_strKeyIndex;
    CString m_strKeyMaterial;
    CString m_strKeyHex;
    CString m_strKeyAscii;
    ULONG m_nKeyLength = 0;

    ULONG m_bShowPassword = 0;
    ULONG m_bAsciiFormat = 0;
    ULONG m_bAsciiOffered = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnBtnOK();
    void OnBtnCancel();
    void OnAuthChanged();
    void OnEncrChanged();
    void OnKeyLengthChanged();
    void OnAsciiFormat();
    void OnShowPassword();
    DECLARE_MESSAGE_MAP()

    CSmartEdit m_editKey;  // shows its refusals in its own pop-up info window

private:
    CShadeButtonST m_btnOK;
    CShadeButtonST m_btnCancel;
    bool m_bAuthIsOpen = true;  // the family the encryption combo was last filled for

    bool Editable() const;
    void ApplyEditingState();
    void FillFromCredential();
    void FillEncryptionCombo(bool open);
    void ApplyEncryptionRule();
    void ApplyKeyLengthRule();
    void ApplyAsciiFormatRule();
    void ApplyShowPasswordRule();
    void SetKeyFilter(WORD parseType, int limit);
    int KeyLimit() const;
    bool KeyReadOnly() const;
    bool ValidateKey(const CString& key);
    void WriteCredential(WPS_CREDENTIAL& cred, const CString& key) const;
    int ComboSel(int id) const;
};
