// Access point, soft-AP library variant: the skinned configuration page. A front over the
// classic configuration page and security dialog: filled from them, written back through them
// on SAVE, and offering bridging to another adapter.
#pragma once
#include "framework/Afx.h"
#include "base/DataFile.h"
#include "contract/SoftApRecords.h"
#include "res/ApWdPagesResource.h"
#include "softap/ApConfigPageSkin.h"

#include <vector>

class CConfigPage;
class CAuthSecuDlg;

// The skinned security choice and the security dialog's codes (its combos' item data, never
// their positions, which shift when WEP or TKIP is barred).
struct ApSecurityChoice {
    int SecurityType = 0;    // 0 disabled, 1 WEP, 2 WPA-PSK, 3 WPA2-PSK, 4 WPA-PSK/WPA2-PSK
    int AuthType = 0;        // WEP: 0 open, 1 shared
    int EncryptionType = 0;  // WPA: 0 TKIP, 1 AES, 2 TKIP+AES (WPA2-PSK only, as the dialog offers it)
};
struct ApSecurityCodes {
    ULONG Auth = 0;        // 0 open, 1 shared, 4 WPA-PSK, 7 WPA2-PSK, 9 WPA-PSK/WPA2-PSK
    ULONG Encryption = 1;  // 1 none, 0 WEP, 4 TKIP, 6 AES, 8 TKIP and AES
};
// The security types whose encryption list holds TKIP+AES.
bool OffersBothCiphers(int securityType);
ApSecurityChoice SecurityChoiceFromCodes(const ApSecurityCodes& codes);
ApSecurityCodes SecurityCodesFromChoice(const ApSecurityChoice& choice);
// The entry of a combo whose item data is code; CB_ERR when the combo does not offer it.
int FindComboCode(HWND combo, ULONG code);

class CKelvoPageApConfigXPVistaDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageApConfigXPVistaDlg)
public:
    enum { IDD = IDD_KELVO_AP_CONFIG };
    static constexpr int kWepKeyChars = 95;

    CKelvoPageApConfigXPVistaDlg();
    ~CKelvoPageApConfigXPVistaDlg() override;

    void LoadFromClassicPages();
    // SAVE's work after the key check: FALSE when a classic step refused (nothing shown as saved).
    BOOL ApplySettings();
    int ValidateSecurity();
    void UnbindAndArmApply(int entering);
    void StoreBridgeWord(LPCSTR adapterName, bool bridged);
    int FindStoredBridgeAdapter(const std::vector<CString>& names);
    void BindBridge(LPCSTR adapterName);
    // False, with the user told, when the companion program could not be started.
    bool UnbindAllBridges();
    // SAVE's first step: WEP or TKIP that the adapter does not allow is refused with a message.
    int CheckSecurityAllowed();

    void OnSecurityTypeChange();
    // The band: the channel and output-power lists become the band's.
    void OnWirelessModeChange();
    void OnKeySourceRadio();
    void OnTransmitKeyChange();
    void OnWepSizeChange();
    void OnPassPhraseChange();

    AP_CONFIG_DATA m_ApConfig{};
    ULONG m_nBridgeWord = 0;
    ULONG m_bBridged = 0;
    int m_nBridgeIndex = -1;
    CString m_strPassPhrase;
    CString m_strKeyTable[4];
    CDataFile m_DataFile;
    int m_bUseDataFile = 0;
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
    ApSecurityChoice CurrentChoice();
    ULONG ReadStoredBridgeWord();
    // The configuration page back to what is stored when it holds a band this page chose and
    // SAVE never took.
    void DropPendingBand();
    CConfigPage* ConfigPage() const;
    CAuthSecuDlg* SecurityDialog() const;
    void FillBridgeList();
    void ShowKeyForTransmitKey();

    CApConfigPageSkin m_skin;
    BOOL m_bBandPending = FALSE;
};

