// Hosted-network variant: the settings dialog. It reads and writes the hosted network's
// configuration through the station library and sets the hosted network up on APPLY; the
// skinned configuration page fills its SSID and key and calls its APPLY.
#pragma once
#include "station/CClassicDlg.h"
#include "contract/StationRecords.h"
#include "res/ApWdPagesResource.h"
#include "ui/CBitmapCheckBox.h"
#include "ui/ShadeButtonST.h"

class CPageExtAPDlg : public CClassicDlg {
    DECLARE_DYNCREATE(CPageExtAPDlg)
public:
    enum { IDD = IDD_EXTAP_CONFIG };
    static constexpr UINT_PTR kRefreshTimer = 1;
    static constexpr UINT kRefreshMs = 2000;
    static constexpr int kMaxPeersLow = 1, kMaxPeersHigh = 32;
    static constexpr int kSsidMaxChars = 32, kKeyMaxChars = 64, kKeyMinChars = 8;

    explicit CPageExtAPDlg(CWnd* pParent = nullptr);

    // Reads the stored configuration into the texts; a failed read leaves them as they were.
    void LoadConfig();
    // Writes the texts as the stored configuration (the bridge word in its own field).
    void SaveConfig();
    void SaveConfig(ULONG bridgeWord);
    void FillChannels();
    // APPLY: takes the controls (when the window exists), checks, writes and sets the hosted
    // network up. TRUE only when all of that succeeded; a refusal or failure has been shown to
    // the user.
    BOOL OnApply();

    // The first refusal of the checks, as the text to show; null when the settings pass.
    static const CString* CheckSettings(const CString& maxPeers, const CString& ssid, const CString& key);
    static const CString& SsidTooLongText();
    // Channels the hosted network may use: the obsolete 5 GHz channels 34, 38, 42, 46 are not.
    static bool IsOfferedChannel(ULONG channel);
    // The record the texts describe, with the given bridge word in its own field (the hosted
    // network's set-up takes none).
    EXTAP_CONFIG BuildRecord(ULONG bridgeWord = 0) const;

    CString m_strSSID;
    CString m_strKey;
    CString m_strChannel;
    CString m_strMaxPeers = "20";
    CString m_strAuth = "WPA2-PSK";
    CString m_strEncry = "AES";
    CString m_strIpAddr;
    int m_bShowPassword = 0;
    // Set by the skinned hosted-network page; stored beside the channel, never over it.
    ULONG m_nBridgeWord = 0;
    // The bridge word as last read or written: APPLY keeps it until the set-up has succeeded.
    ULONG m_nStoredBridgeWord = 0;
    int m_bLoaded = 0;  // the texts hold a stored configuration

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnTimer(UINT_PTR nIDEvent);
    void OnShowPassword();
    void OnBtnApply() { OnApply(); }
    void ApplyPasswordRule();
    DECLARE_MESSAGE_MAP()

private:
    CShadeButtonST m_btnApply;
    CBitmapCheckBox m_chkShowPassword;
    UINT_PTR m_nTimer = 0;
};

// "%d.%d.%d.%d" of the record's address, most significant byte first.
CString ExtApIpText(const EXTAP_CONFIG& config);
