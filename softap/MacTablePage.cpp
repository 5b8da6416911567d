#include "softap/MacTablePage.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "core/QXAPLIB.h"

#include <algorithm>

namespace {
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerMs = 2000;
constexpr ULONG kFirstLegacyModel = 2, kFirst11nModel = 4, kLastModel = 8;
constexpr double kColumnShares[] = {2.2, 0.8, 0.8, 6.5};
constexpr int kColumnDivisor = 6;
enum { kModeCck = 0, kModeOfdm = 1 };
constexpr double kCckRates[] = {1, 2, 5.5, 11};
constexpr double kOfdmRates[] = {6, 9, 12, 18, 24, 36, 48, 54};
constexpr int kCckShortPreambleMcs = 8;
}  // namespace

IMPLEMENT_DYNCREATE(CMacTablePage, CDialog)

BEGIN_MESSAGE_MAP(CMacTablePage, CClassicDlg)
    ON_WM_TIMER()
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CMacTablePage::CMacTablePage() : CClassicDlg(IDD, nullptr) {}

void CMacTablePage::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MACTBL_LIST, m_list);
}

BOOL CMacTablePage::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    InitListCtrl();
    m_HTTable.Init();
    return TRUE;
}

void CMacTablePage::InitListCtrl()
{
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    RECT rc{};
    ::GetClientRect(m_list.m_hWnd, &rc);
    const double unit = static_cast<double>(rc.right - rc.left) / kColumnDivisor;
    const CString* titles[] = {&G_LangTable.IDS_MACADDR, &G_LangTable.IDS_AID, &G_LangTable.IDS_POWERSAVING,
                               &G_LangTable.IDS_MAC_TBL_11N_MCS_BW};
    for (int i = 0; i < 4; ++i) m_list.InsertColumn(i, *titles[i], LVCFMT_LEFT, static_cast<int>(unit * kColumnShares[i]));
}

void CMacTablePage::OnSetActive()
{
    DebugLogIfEnabled("[ApUI] CMacTablePage::OnSetActive()\n");
    SetTimer(kTimerId, kTimerMs);
}

void CMacTablePage::OnKillActive()
{
    DebugLogIfEnabled("[ApUI] CMacTablePage::OnKillActive()\n");
    KillTimer(kTimerId);
}

void CMacTablePage::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CClassicDlg::OnShowWindow(bShow, nStatus);
    if (bShow) OnSetActive();
    else OnKillActive();
}

void CMacTablePage::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerId) Refresh();
}

CString CMacTablePage::RateText(USHORT txRate, const CHTTable& table)
{
    const int mcs = txRate & 0x7F;
    const BOOL bw40 = (txRate >> 7) & 1;
    const int shortGi = (txRate >> 8) & 1;
    const int mode = (txRate >> 14) & 3;
    CString prefix;
    double rate = 0;
    if (mode == kModeCck) {
        prefix = "B: ";
        const int index = mcs >= kCckShortPreambleMcs ? mcs - kCckShortPreambleMcs : mcs;
        if (index >= 0 && index < 4) rate = kCckRates[index];
    } else if (mode == kModeOfdm) {
        if (mcs < 8) rate = kOfdmRates[mcs];
    } else {
        prefix.Format("N: MCS = %d, BW = %s, GI = %s, ", mcs, bw40 ? "40" : "20", shortGi ? "400" : "800");
        if (!table.GetRate(bw40, shortGi, mcs, &rate)) rate = 0;
    }
    CString text;
    text.Format("%sRate = %.2f", prefix.GetString(), rate);
    return text;
}

void CMacTablePage::AddRow(const UCHAR* mac, UCHAR aid, UCHAR psm)
{
    CString text;
    text.Format("%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    m_macs.push_back(text);
    const int row = m_list.InsertItem(m_list.GetItemCount(), text);
    text.Format("%d", aid);
    m_list.SetItemText(row, kColumnAid, text);
    m_list.SetItemText(row, kColumnPowerSave, psm ? G_LangTable.IDS_YES : G_LangTable.IDS_NO);
}

void CMacTablePage::Refresh()
{
    ULONG model = 0;
    if (!QXAPAPI.QXAP_GetCurrentDeviceModel(&model) || model < kFirstLegacyModel || model > kLastModel) return;
    if (model < kFirst11nModel) {
        VN_802_11_MAC_TABLE_NOT_11N table{};
        const LONG result = QXAPAPI.QXAP_QueryMacTableNOT_11N(&table);
        DebugLogIfEnabled("[ApUI] CMacTablePage: QXAP_QueryMacTableNOT_11N() return %ld\n", result);
        if ((result & 0xFF) == 0) return;
        m_list.DeleteAllItems();
        m_macs.clear();
        const ULONG count = std::min<ULONG>(table.Num, kApMacTableMaxEntries);
        for (ULONG i = 0; i < count; ++i) AddRow(table.Entry[i].Addr, table.Entry[i].Aid, table.Entry[i].Psm);
        return;
    }
    VN_802_11_MAC_TABLE table{};
    const LONG result = QXAPAPI.QXAP_QueryMacTable(&table);
    DebugLogIfEnabled("[ApUI] CMacTablePage: QXAP_QueryMacTable() return %ld\n", result);
    if ((result & 0xFF) == 0) return;
    m_list.DeleteAllItems();
    m_macs.clear();
    // The library's count is not trusted beyond the table's 32 entries.
    const ULONG count = std::min<ULONG>(table.Num, kApMacTableMaxEntries);
    for (ULONG i = 0; i < count; ++i) {
        const VN_802_11_MAC_ENTRY& e = table.Entry[i];
        AddRow(e.Addr, e.Aid, e.Psm);
        m_list.SetItemText(static_cast<int>(i), kColumnRate, RateText(e.TxRate, m_HTTable));
    }
}
