#include "softap/ExtAPMACTableDlg.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CExtAPMACTableDlg, CResizeDlg)

namespace {
constexpr ULONG kHostedUp = 1, kAuthenticated = 1;

CString MacText(const BYTE* mac)
{
    CString text;
    text.Format("%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}
}  // namespace

BEGIN_MESSAGE_MAP(CExtAPMACTableDlg, CClassicDlg)
    ON_WM_SHOWWINDOW()
    ON_WM_TIMER()
    ON_MESSAGE(MSG_QUICKLIST_GET_ITEM_DATA, OnGetItemData)
END_MESSAGE_MAP()

CExtAPMACTableDlg::CExtAPMACTableDlg(CWnd* pParent) : CClassicDlg(IDD, pParent) {}

void CExtAPMACTableDlg::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EXTAPMAC_LIST, m_list);
}

BOOL CExtAPMACTableDlg::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    for (int id : {IDC_EXTAPMAC_TITLE, IDC_EXTAPMAC_BSSID_LABEL, IDC_EXTAPMAC_BSSID})
        if (CWnd* control = GetDlgItem(id)) control->SetFont(&m_font);
    if (!G_LangTable.IDS_SITESUR_BSSID.IsEmpty()) SetDlgItemText(IDC_EXTAPMAC_BSSID_LABEL, G_LangTable.IDS_SITESUR_BSSID);
    if (!G_LangTable.IDS_MAC_TABLE.IsEmpty()) SetDlgItemText(IDC_EXTAPMAC_TITLE, G_LangTable.IDS_MAC_TABLE);
    SendDlgItemMessage(IDC_EXTAPMAC_BSSID, EM_SETREADONLY, TRUE, 0);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    CRect rc;
    m_list.GetClientRect(&rc);
    m_list.InsertColumn(0, "MAC", LVCFMT_CENTER, rc.Width() / 2);
    m_list.InsertColumn(1, "Auth State", LVCFMT_CENTER, rc.Width() / 2);
    return TRUE;
}

void CExtAPMACTableDlg::Refresh()
{
    m_peers.clear();
    HOSTEDNETWORK_STATUS status{};
    QXWLAPI.QXWL_HostedNetworkQueryStatus(&status);
    m_strBssid = status.State == kHostedUp ? MacText(status.Bssid) : CString();
    if (m_hWnd) SetDlgItemText(IDC_EXTAPMAC_BSSID, m_strBssid);
    // The count comes from the driver: never read past the record's fifty entries.
    const ULONG count = std::min<ULONG>(status.StationCount, HOSTEDNETWORK_STATUS::kMaxStations);
    for (ULONG i = 0; i < count; ++i)
        m_peers.emplace_back(reinterpret_cast<const BYTE*>(&status.Stations[i]));
    if (m_list.m_hWnd) {
        m_list.SetItemCountEx(static_cast<int>(m_peers.size()));
        m_list.Invalidate(TRUE);
    }
}

CString CExtAPMACTableDlg::CellText(const HOSTEDNETWORK_PEER& peer, int column)
{
    if (column == 0) return MacText(peer.MacAddress);
    return peer.nValue == kAuthenticated ? "Authenticated" : "Invalid";
}

LRESULT CExtAPMACTableDlg::OnGetItemData(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<CQuickList::CListItemData*>(lParam);
    if (!cell || cell->GetItem() < 0 || cell->GetItem() >= static_cast<int>(m_peers.size())) return 0;
    cell->m_strText = CellText(m_peers[static_cast<size_t>(cell->GetItem())], cell->GetSubItem());
    return 1;
}

void CExtAPMACTableDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CClassicDlg::OnShowWindow(bShow, nStatus);
    if (m_nTimer) KillTimer(m_nTimer);
    m_nTimer = bShow ? SetTimer(kRefreshTimer, kRefreshMs, nullptr) : 0;
}

void CExtAPMACTableDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kRefreshTimer) Refresh();
}
