// The link information page: the link status record refreshed every two seconds while shown.
#pragma once
#include "station/CClassicDlg.h"
#include "station/CHTTable.h"
#include "contract/StationRecords.h"
#include "ui/CMorviStaticHistogram.h"
#include "ui/CProgressCtrlX.h"
#include "ui/CSeparator.h"
#include "res/resource.h"

#include <array>

class CLinkStatusDlg : public CClassicDlg {
public:
    enum { IDD = IDD_LINK_STATUS };
    explicit CLinkStatusDlg(CWnd* pParent = nullptr);

    static constexpr UINT_PTR kRefreshTimer = 1;
    static constexpr UINT kRefreshMs = 2000;
    static constexpr int kHistory = 29;

    // Megabits per second from two byte-counter readings 2 s apart; a counter that went
    // backwards (wrapped or reset) gives 0.
    static double ThroughputMbps(ULONG previous, ULONG current);
    // "%.3f Kbps" below 1 Mbps, else "%.3f Mbps".
    static CString ThroughputText(double mbps);
    // The rate of the transmit-setting word (MCS bits 0-6, 40 MHz bit 7, short GI bit 8, mode bits 14-15).
    double RateOfTransmitSetting(ULONG word) const;

    // One refresh, as the timer runs it.
    void Refresh();

    CString m_strStatus, m_strApIp, m_strExtraInfo, m_strChannel, m_strAuth, m_strEncry, m_strNetworkType, m_strIp,
        m_strMask, m_strGateway, m_strTxRate, m_strTxThroughput, m_strRxRate, m_strRxThroughput;
    CString m_strBandwidth, m_strGuardInterval, m_strStbc, m_strMcs, m_strSnr0, m_strSnr1, m_strSnr2;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnTimer(UINT_PTR nIDEvent);
    // The tooltip of the status line: the network name and the access point's address.
    BOOL OnToolTipText(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    struct LinkMessage {
        ULONG code;
        char text[64];
    };
    void UpdateAntennaBars();
    void UpdateHtLabels();
    void ShowDisconnected(BOOL bNotApplicable, BOOL bConnected, BOOL bRadioOff);
    void ShowConnected(const WLAN_STATUS& status, BOOL bNotApplicable);
    void UpdateThroughput(const WLAN_STATUS& status);
    void AddToGraph(int direction, double mbps);
    void SetBar(CProgressCtrlX& bar, ULONG percent);
    void SetNotApplicable(bool withSnr2);
    void UpdateSnr(BOOL bNotApplicable, ULONG snr0, ULONG snr1);
    void SetHtValues(ULONG word);
    // "; <central channel> : n" after the channel, for an HT link to an access point of the repository.
    void AppendCentralChannel(const WLAN_STATUS& status, BOOL has11n);

    CHTTable m_htTable;
    std::array<LinkMessage, 11> m_messages = {};
    double m_maxThroughput[2] = {};
    ULONG m_lastBytes[2] = {};
    BOOL m_bFirstRefresh = TRUE;  // the next connected refresh only takes the byte counters
    CString m_strLinkMessage;     // the last link-state message, without the transmit power
    BOOL m_bHtNotApplicable = FALSE;
    CProgressCtrlX m_bars[4];
    CMorviStaticHistogram m_graphs[2];
    CSeparator m_separators[2];
};
