// The page on which a profile's security is chosen: authentication, encryption, the WPA
// pre-shared key, four WEP keys with their formats and the default key, the 802.1X switch and
// the show-password switch. It holds the security half of the profile model; the editors and
// pages that drive it set the model fields and then call its entry points.
#pragma once
#include "station/CClassicDlg.h"
#include "station/ProfileCodes.h"
#include "station/SecurityPageHost.h"
#include "ui/ButtonST.h"
#include "ui/CSmartEdit.h"
#include "res/resource.h"

constexpr UINT MSG_AUTH_MENU_POPUP = WM_USER + 100;
constexpr UINT MSG_ENCRYPTION_MENU_POPUP = WM_USER + 101;

class CPageAuthEncryDlg : public CClassicDlg {
public:
    enum { IDD = IDD_AUTH_ENCRY };
    static constexpr int kWepKeyCount = 4;
    static constexpr int kPskMaxChars = 64;
    static constexpr int kHostSecurityEditor = 0, kHostProfileEditor = 1;

    explicit CPageAuthEncryDlg(CWnd* pParent = nullptr) : CClassicDlg(IDD, pParent) {}
    ~CPageAuthEncryDlg() override;

    // Set by the host right after construction.
    void SetHost(CSecurityPageHost* pHost, int nHostFlag)
    {
        m_pHost = pHost;
        m_nHostFlag = nHostFlag;
    }

    // The model.
    int m_nAuthIndex = AUTHIDX_OPEN;
    int m_nEncryIndex = ENCRIDX_NONE;
    int m_nHostFlag = kHostSecurityEditor;
    int m_nDefaultKey = 0;  // 0 to 3
    int m_nKeyFormat[kWepKeyCount] = {};
    int m_nPskFormat = KEYFMT_ASCII;
    int m_b8021X = 0;
    int m_bShowPassword = 0;
    ULONG m_nNetworkType = NETWORK_INFRASTRUCTURE;
    CString m_strPsk;
    CString m_strWepKey[kWepKeyCount];

    // Entry points.
    void ApplyModel();
    BOOL ValidateSettings();
    void ResetModel();
    void ResetToOpen();
    void PresetFromBss(const NDIS_WLAN_BSSID_EX* entry, int authCode, int privacy, const CString& cipherText);
    void PresetFromBssCipherText(const NDIS_WLAN_BSSID_EX* entry, int authCode, const CString& cipherText);
    // Brings the controls in line with the model.
    void FillControls() { UpdateData(FALSE); }

    // The choice handlers, also called by other pages to force a choice.
    void OnAuthOpen();
    void OnAuthShared();
    void OnAuthWpa();
    void OnAuthWpaPsk();
    void OnAuthWpa2();
    void OnAuthWpa2Psk();
    void OnAuthWpaNone();
    void OnAuthWapiPsk();
    void OnAuthWapiCa();
    void OnAuthCckm();
    void OnEncryNone();
    void OnEncryWep();
    void OnEncryTkip();
    void OnEncryAes();
    void OnEncrySms4();
    void OnEncryTkipMfp();
    void OnEncryAesMfp();
    void OnPskFormatHex() { SetPskFormat(KEYFMT_HEX); }
    void OnPskFormatAscii() { SetPskFormat(KEYFMT_ASCII); }
    void SetKeyFormat(int key, int format);
    void SetPskFormat(int format);
    void OnCheck8021X();
    void OnShowPassword();
    void OnKeyIndex();

    // The WEP-key controls (radios, labels, format buttons, edits) together.
    void EnableWepKeyControls(BOOL bEnable);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnDestroy();
    LRESULT OnAuthMenuPopup(WPARAM wParam, LPARAM lParam);
    LRESULT OnEncryptionMenuPopup(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void OnAuthSelected();
    void OnAuthSelectedXp(bool adhoc);
    void OnAuthSelectedVista(bool adhoc);
    void ForceDot1XForEnterprise();
    // The 802.1X flag and its box together.
    void Set8021XFlag(int b8021X);
    // Methods without 802.1X: box hidden and cleared; a key method also disables the box.
    void LeaveDot1X(bool bPskEditable);
    void OnEncryptionSelected();
    void RefreshWepKeys();
    void RestrictToDefaultKey();
    void ApplyFormatCaptions();
    void SetAuthCaption();
    void SetEncryCaption();
    void Show8021XBox(BOOL bShow);
    void Refresh8021XTab();
    void UpdateHostTabs();
    void ShowPskFormatButton();
    void RunAuthHandler();
    void RunEncryHandler();
    bool Complain(CSmartEdit& edit, const CString& text);
    void StartPreset(const NDIS_WLAN_BSSID_EX* entry);
    // Presets authentication codes 1 to 8 with their cipher; false for any other code.
    bool PresetSecuredChoice(int authCode, const CString& cipherText);
    BOOL ValidatePsk();
    BOOL ValidateWepKeys();
    bool NetworkIsAdhoc() const { return m_nNetworkType == NETWORK_ADHOC; }
    bool HostNetworkIsAdhoc();
    int HostEapMethod() const;
    void InitMenus();

    CSecurityPageHost* m_pHost = nullptr;
    CButtonST m_btnAuth;
    CButtonST m_btnEncry;
    CButtonST m_btnPskFormat;
    CButtonST m_btnKeyFormat[kWepKeyCount];
    CSmartEdit m_editPsk;
    CSmartEdit m_editKey[kWepKeyCount];
};
