// Access point, hosted-network variant: the skinned configuration page. A front over the
// hosted-network settings page: it shows that page's SSID and key and the hosted network's
// channel, writes back through the settings page's APPLY, and offers bridging to another adapter.
#pragma once
#include "framework/Afx.h"
#include "contract/StationRecords.h"
#include "res/ApWdPagesResource.h"
#include "softap/ApConfigPageSkin.h"

#include <vector>

class CPageExtAPDlg;

// 1 when every character is 0-9 or A-F (upper case only); an empty text passes.
int IsUpperHexString(LPCSTR text);

// The key checks of both configuration pages. Security types: 0 disabled, 1 WEP, 2 WPA-PSK,
// 3 WPA2-PSK (4 mixed). WEP size 0 is 64 bits, 1 is 128 bits. Null when the keys are acceptable,
// else the refusal's language text.
const CString* CheckApSecurity(int securityType, int wepSize, const CString& wepKey, const CString& psk);
// The same checks on a page of template 34517, the refusal shown to the user; 1 when accepted.
int ValidateApPageSecurity(CWnd& page);

// The security type that keeps an access point open to WPA and WPA2 clients alike.
inline constexpr char kMixedSecurityName[] = "WPA-PSK/WPA2-PSK";
// Shows and hides the security controls of template 34517 for a security type.
void ShowApSecurityControls(CWnd& page, int securityType);
// What both variants set up alike: texts, edit limits, the administrator rule, the transmit-key
// and WEP-size lists.
void InitApConfigPage(CWnd& page, bool hosted);
void FillApWepSizes(CWnd& page);
// Disabled, WEP, WPA-PSK, WPA2-PSK and, with withMixed, WPA-PSK/WPA2-PSK (indexes 0 to 4).
void FillApSecurityTypes(CWnd& page, bool withMixed);
// The cipher that keeps an access point open to TKIP and AES clients alike.
inline constexpr char kBothCiphersName[] = "TKIP+AES";
// TKIP, AES and, with withBoth, TKIP+AES (indexes 0 to 2); the selection kept where it still is one.
void FillApEncryptionTypes(CWnd& page, bool withBoth);

class CKelvoPageApConfigDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageApConfigDlg)
public:
    enum { IDD = IDD_KELVO_AP_CONFIG };
    static constexpr UINT_PTR TIMER_APCONFIG_REFRESH = 21;
    static constexpr UINT kRefreshMs = 2500;
    static constexpr int kSecurityWpa2Psk = 3;

    CKelvoPageApConfigDlg();
    ~CKelvoPageApConfigDlg() override;

    void RefreshStatus();
    void ApplySettings();
    int ValidateSecurity();
    // Called by the main window's mode switch: 1 entering access-point mode, 0 leaving it.
    void UnbindAndArmApply(int entering);
    // Bridge word of the named adapter into the page (written by the settings page's apply).
    void StoreBridgeWord(LPCSTR adapterName, bool bridged);
    // The stored bridge adapter's index in names, -1 for none; remembers the bridge state.
    int FindStoredBridgeAdapter(const std::vector<CString>& names);
    void BindBridge(LPCSTR adapterName, LPCSTR macText);
    void UnbindAllBridges();

    EXTAP_CONFIG m_ExtApConfig{};
    ULONG m_nBridgeWord = 0;
    ULONG m_bBridged = 0;      // remembered bridge state
    int m_nBridgeIndex = -1;
    CString m_strMacAddr;
    char m_szOwnAdapterName[256] = {};

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnOK() override {}  // a page never ends on Enter or Esc
    void OnCancel() override {}
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    void OnBtnSave();
    void OnBtnCancel();
    LRESULT OnBindResult(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CApConfigPageSkin m_skin;
    CPageExtAPDlg* SettingsPage() const;
    void SelectChannel(const HOSTEDNETWORK_STATUS& status);
    void FillBridgeList();
    UINT_PTR m_nRefreshTimer = 0;
};
