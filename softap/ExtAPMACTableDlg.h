// Hosted-network variant: the station table. While shown it reads the hosted network's status
// every two seconds and lists the stations with their authentication state.
#pragma once
#include "station/CClassicDlg.h"
#include "contract/StationRecords.h"
#include "res/ApWdPagesResource.h"
#include "skin/PageListEntries.h"
#include "ui/CQuickList.h"

#include <vector>

class CExtAPMACTableDlg : public CClassicDlg {
    DECLARE_DYNCREATE(CExtAPMACTableDlg)
public:
    enum { IDD = IDD_EXTAP_MAC_TABLE };
    static constexpr UINT_PTR kRefreshTimer = 1;
    static constexpr UINT kRefreshMs = 2000;

    explicit CExtAPMACTableDlg(CWnd* pParent = nullptr);

    // Reads the status and rebuilds the list; a failed query shows no BSSID and no stations.
    void Refresh();
    // The texts of one cell: "AA-BB-..." for column 0, "Authenticated" or "Invalid" for 1.
    static CString CellText(const HOSTEDNETWORK_PEER& peer, int column);

    CString m_strBssid;
    std::vector<HOSTEDNETWORK_PEER> m_peers;
    CQuickList m_list;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnGetItemData(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    UINT_PTR m_nTimer = 0;
};
