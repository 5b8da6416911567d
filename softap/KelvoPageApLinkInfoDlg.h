// Access point: the status page of both variants. SSID, channel, rate, security and MAC of the
// access point and the addresses of the stations associated with it, refreshed every two
// seconds while shown.
#pragma once
#include "framework/Afx.h"
#include "contract/SoftApRecords.h"
#include "res/ApWdPagesResource.h"
#include "ui/CQuickList.h"
#include "ui/CTransparentStatic.h"
#include "ui/FloatButton.h"

#include <vector>

class CKelvoPageApLinkInfoDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageApLinkInfoDlg)
public:
    enum { IDD = IDD_KELVO_AP_LINK_INFO };
    static constexpr UINT_PTR TIMER_APLINKINFO_REFRESH = 19;
    static constexpr UINT kRefreshMs = 2000;
    static constexpr ULONG kOidGenLinkSpeed = 0x00010107;

    CKelvoPageApLinkInfoDlg() : CDialog(IDD) {}

    // The SSID as shown: the factory name with the library's generated "-XX" suffix loses the
    // suffix; every other SSID, a user's ending in a dash and two hex digits too, shows whole.
    static CString DisplaySsid(const CString& ssid);
    // The name of a soft-AP authentication and encryption pair.
    static CString SecurityText(ULONG authMode, ULONG encryption);
    // "%ld Mbps" from a link speed in units of 100 bit/s; empty when the query failed.
    static CString RateText(bool queried, ULONG linkSpeed);

    // The variant in use answers now.
    void Refresh();
    void RefreshSoftApStatus();
    void RefreshHostedNetworkStatus();
    void RefreshSoftApStations();
    void UpdateStationCount();

    std::vector<CString> m_vecStationMac;
    UINT_PTR m_nTimer = 0;
    LONG m_nSkipCount = 0;
    AP_CONFIG_DATA m_ApConfig{};
    CQuickList m_list;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
    void OnShowWindow(BOOL bShow, UINT nStatus);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnTimer(UINT_PTR nIDEvent);
    void OnBtnRefresh();
    LRESULT OnGetItemData(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void SetValue(int index, const CString& text);
    static constexpr int kRows = 6;
    CTransparentStatic m_title, m_listTitle, m_label[kRows], m_value[kRows];
    CFloatButton m_btnRefresh;
};
