// The WPS run and link-status page: showing it starts a push-button or PIN exchange through the
// station library, polls its progress, walks the WPS access points in the automatic PIN mode,
// and turns a received credential into a stored, connected profile.
#pragma once
#include "framework/Afx.h"
#include "contract/StationRecords.h"
#include "res/StationPagesResource.h"
#include "skin/SkinnedPage.h"

#include <vector>

// State shared by the WPS pages and the hidden dialog.
extern LONG G_nWpsMethod;          // 0 none, 1 PIN, 2 push button
extern ULONG G_nWpsPin;            // the 8-digit PIN in use
extern LONG G_nWpsConfigMode;      // 0 enrol as a device, 1 act as the registrar
extern LONG G_bWpsRunning;         // 1 while an exchange runs
extern volatile LONG G_bWpsScanDone;  // set by the scan-completion callback
extern UCHAR G_nWpsApChannel;
extern LONG G_nWpsPhyPreference;   // 0 channels 1-14, 1 channels from 15, 2 all

// One access point that announces WPS.
struct WPS_AP_ENTRY {
    ULONG nFlag = 0;
    CString strSsid;
    CString strBssid;  // "%02X-%02X-%02X-%02X-%02X-%02X"
    ULONG nChannel = 0;
    ULONG bConfigured = 0;
    ULONG bPbcActive = 0;  // its device password identifier says push button
    NDIS_802_11_SSID Ssid = {};
    UCHAR Bssid[6] = {};
};

// The profile editor's settings for a received credential.
struct WPS_EDITOR_SETTINGS {
    int nAuthIndex = 0;
    int nEncryIndex = 0;
    CString strPsk;        // set for the pre-shared key types
    int nWepKey = -1;      // 0 to 3 for an open credential with WEP, else -1
    CString strWepKey;
    int nWepKeyFormat = 0;
};

class CKelvoPageWpsLinkStatusDlg : public CSkinnedPage {
    DECLARE_DYNCREATE(CKelvoPageWpsLinkStatusDlg)
public:
    enum { IDD = IDD_KELVO_WPS_LINK_STATUS };
    static constexpr UINT_PTR TIMER_WPS_REFRESH = 1, TIMER_WPS_STATUS = 2, TIMER_WPS_RESULT = 3,
                              TIMER_WPS_HW_BUTTON = 5, TIMER_WPS_LIMIT = 6, TIMER_WPS_AP_TIME = 7;
    static constexpr UINT kStatusPollMs = 200, kResultCheckMs = 2000, kHwButtonMs = 1000,
                          kRunLimitMs = 120000, kApTimeMs = 5000;
    static constexpr ULONG kScanBufferBytes = 65536;
    static constexpr ULONG kScanQueryBytes = 15364;
    static constexpr int kMaxWpsProfileNumber = 98;

    CKelvoPageWpsLinkStatusDlg() : CSkinnedPage(IDD) {}
    ~CKelvoPageWpsLinkStatusDlg() override;

    int nMethod = 0;      // 0 push button, 1 the access point's PIN, 2 this device's PIN
    int bAutoSelect = 0;  // 1: the PIN run tries the listed access points one after another
    CString strPin;
    WPS_PROFILE wpsProfile = {};
    int bAssociateIE = 1, bProbeReqIE = 1;
    std::vector<WPS_AP_ENTRY> aryWpsAp;
    int nApIndex = -1;
    int bTimeoutArmed = 0;
    int nCheckCount = 0;
    int nCredentialIndex = 0;

    // Rebuilds aryWpsAp from the repository of recently seen networks.
    void RefreshApList();
    // Reads the scan table, merges it into the repository and rebuilds the list.
    void ReadScanResults();
    void StartPbcRun();
    void StartPinRun();
    // Scans for access points when the automatic PIN walk has run out of them.
    void Rescan();
    // One status word of the library, as the 200 ms poll handles it.
    void HandleStatus(ULONG word);
    // Writes wpsProfile with the current PIN, channel and mode to the library.
    void WriteProfileToLibrary();
    // Saves the first credential as a "WPS_" profile through the profile editor and connects it;
    // false when nothing was saved.
    bool SaveAsProfile();
    // The name of the next "WPS_" profile; empty when 0 to 98 are all used.
    static WPS_EDITOR_SETTINGS EditorSettingsOf(const WPS_CREDENTIAL& credential);
    static CString NextWpsProfileName(const std::vector<CString>& storedNames, const CString& prefix);
    void CheckResult();
    void StopWps();
    void OnCancelRun();
    void OnExit();
    void OnTimer(UINT_PTR nIDEvent);
    // The security text of a credential's authentication and encryption types.
    static CString SecurityText(ULONG authType, ULONG encrType);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

private:
    void StopPage();
    void FreeAdapter();
    void BeginRun();
    void NextAccessPoint();
    // Ends a run's time limit and the automatic walk's step, and forgets its access point.
    void EndRunTimers();
    void OnSuccess();
    void ShowResult();
    void SetStatusText(const CString& text);
    void SetProgress(int pos);
    void ShowLine(UINT id, BOOL show);
    // A run's lines: Cancel, no Exit, no PIN or result lines, no status yet.
    void ShowRunLines();
    void EnableTabs(BOOL enable);
    bool LinkMatchesCredential();
    WPS_MODE BaseMode(ULONG wpsMode) const;

    BYTE* m_pScanBuffer = nullptr;  // made with the first list
    bool m_bScanRead = false;       // the scan table was read once
    bool m_bResultShown = false;    // a success is on screen
    UCHAR m_Bssid[6] = {};  // the chosen access point's BSSID, written with the stored profile
};
