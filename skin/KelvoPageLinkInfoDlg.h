// The link information page, the first page the main window shows: while it is visible it
// reads the link status every two seconds and shows the link, its throughput, the totals
// since the page was shown and two bars for signal strength and link quality. Its trend-chart
// button runs the data-rate graph.
#pragma once
#include "framework/Afx.h"
#include "contract/StationRecords.h"
#include "res/StationPagesResource.h"
#include "ui/CProcessStatic.h"
#include "ui/CTransparentStatic.h"

class CKelvoPageDatarateDlg;

class CKelvoPageLinkInfoDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageLinkInfoDlg)
public:
    enum { IDD = IDD_KELVO_LINK_INFO };
    static constexpr UINT_PTR TIMER_LINKINFO_REFRESH = 17;
    static constexpr UINT kRefreshMs = 2000;
    // Bytes over the two-second period to Mbit/s.
    static constexpr double kBytesPerMbitPeriod = 250.0 * 1000.0;
    // The most bytes a link can carry in one period (1 Gbit/s for two seconds).
    static constexpr ULONG kMaxBytesPerPeriod = 250'000'000;
    static constexpr int kBarSteps = 10;
    static constexpr UINT kBarBitmapId = 101, kBarBackgroundId = 102;
    static constexpr LONG kNoSignalRssi = -200;

    CKelvoPageLinkInfoDlg();
    ~CKelvoPageLinkInfoDlg() override;

    // One refresh pass (the timer's work).
    void RefreshLinkInfo();

    // "A" on channels above 14, else "B" up to 11 Mbps both ways, "G" up to 54, else "N".
    static CString NetworkModeText(int channel, double txMbps, double rxMbps);
    // A throughput over one period: "%.0f Mbps" from 1 Mbit/s, "%.0f Kbps" below.
    static CString ThroughputText(ULONG bytesInPeriod);
    // The security text of a link by its authentication mode and encryption status; profile
    // is the active profile's record when one could be read (WEP links only), else null.
    static CString SecurityText(ULONG authMode, ULONG encryStatus, const WLANPROFILE* profile);
    // True for the modes whose text does not depend on the encryption.
    static bool NamesAuthMode(ULONG authMode);
    // The authentication text of a stored profile, as the profile list shows it.
    static CString ProfileAuthText(const WLANPROFILE& profile);
    // The data-rate graph while it runs, else null.
    CKelvoPageDatarateDlg* DataRateDialog() const { return m_pDatarateDlg; }

    WLAN_STATUS m_status{};  // the last status read
    int m_nChannel = -1;     // of the last pass; -1 when the library gave none
    ULONG m_nPrevTxBytes = 0, m_nPrevRxBytes = 0;
    ULONGLONG m_nTxTotalBase = 0, m_nRxTotalBase = 0;
    ULONG m_bRateFirstPass = 1, m_bTotalFirstPass = 1;
    ULONG m_bHasProfile = 0;
    CString m_strProfile;
    CProcessStatic m_barSignal, m_barQuality;  // ten steps: the percentage in tens

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override {}  // a page never ends on Enter or Esc
    void OnCancel() override {}
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    void OnTrendChart();
    DECLARE_MESSAGE_MAP()

private:
    enum Value { kProfile, kSsid, kApMac, kNetType, kTxSpeed, kRxSpeed, kSecurity, kChannel, kTxRate, kRxRate,
                 kAuth, kNetMode, kTotalTx, kTotalRx, kQuality, kValues };
    void SetValue(Value v, LPCSTR text);
    void ClearValues();
    void ShowProfileName();
    void ShowThroughput();
    void ShowTotals();
    void EndDataRateDialog();

    CTransparentStatic m_value[kValues];
    CTransparentStatic m_label[kValues];
    CTransparentStatic m_titleNetStats, m_titleStatistics, m_labelSignalBar, m_labelQualityBar;
    CButton m_btnTrendChart;
    CKelvoPageDatarateDlg* m_pDatarateDlg = nullptr;
};
