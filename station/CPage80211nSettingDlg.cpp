#include "station/CPage80211nSettingDlg.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"
#include "skin/KelvoPageUIDlg.h"
#include "station/BlockAckCapability.h"

#include <cstring>

namespace {
constexpr WPARAM kShowDialog = 3;
// lParam of the add and delete requests: the variant the main window gives the dialog.
constexpr LPARAM kAddAsOriginator = 1, kAddAsRecipient = 0;
constexpr LPARAM kDeleteOriginatorTid = 1, kDeleteOriginatorAll = 2, kDeleteRecipientTid = 3, kDeleteRecipientAll = 4;

constexpr int kModeControls[] = {IDC_11N_AGG_MANUAL, IDC_11N_AGG_AUTO, IDC_11N_MPDU_DENSITY};
constexpr int kBlockAckButtons[] = {IDC_11N_ORI_ADD, IDC_11N_ORI_DEL, IDC_11N_ORI_DEL_ALL,
                                    IDC_11N_REC_ADD, IDC_11N_REC_DEL, IDC_11N_REC_DEL_ALL};
constexpr int kAckPolicyBoxes[] = {IDC_11N_ACK_BE, IDC_11N_ACK_BK, IDC_11N_ACK_VI, IDC_11N_ACK_VO};
constexpr int kCoexControls[] = {IDC_11N_ACK_LABEL, IDC_11N_ACK_BE, IDC_11N_ACK_BK, IDC_11N_ACK_VI,
                                 IDC_11N_ACK_VO,    IDC_11N_TGN_LABEL, IDC_11N_TGN};

// The 20/40 MHz coexistence test modes, passed to the library as written.
constexpr const char* kCoexModes[] = {
    "40 Intolerant \"1\" in AssocReq",
    "40 Intolerant \"0\" in AssocReq",
    "Send 20/40 BSS COEX Mgmt \"40Intolerant\"",
    "Send 20/40 BSS COEX Mgmt \"20 BSS Width Request\"",
    "Send 20/40 COEX Mgmt \"Channel Report includes channel 3\"",
    "AssocReq with MCS 0~7",
    "AssocReq with MCS 8~15",
    "AssocReq with MCS 16~23",
    "AssocReq with full MCS",
    "1x1 SS",
    "2x2 SS",
    "3x3 SS",
    "20/40 COEX Scan and Report",
};
constexpr int kDropWidthFactor = 2;
constexpr int kMaxDensity = 7;  // the density items are "0" to "7"
constexpr int kMacColumnShare = 14, kMacColumnParts = 30;  // of the list's width
constexpr int kTidColumnParts = 15;                        // 1/15 of the width each
constexpr DWORD kFullRowSelect = LVS_EX_FULLROWSELECT;
}  // namespace

BA_TID_ROW::BA_TID_ROW(const UCHAR* peerMac, UCHAR tid, USHORT value1, USHORT value2, USHORT word, ULONG tidSet)
    : TID(tid), Value1(value1), Value2(value2), Word(word), bTidSet(tidSet)
{
    memcpy(PeerMac, peerMac, sizeof PeerMac);
}

BEGIN_MESSAGE_MAP(CPage80211nSettingDlg, CClassicDlg)
    ON_WM_SHOWWINDOW()
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_11N_AMSDU, OnCheckChanged)
    ON_BN_CLICKED(IDC_11N_MPDU_AGGREGATION, OnCheckChanged)
    ON_BN_CLICKED(IDC_11N_AGG_MANUAL, OnCheckChanged)
    ON_BN_CLICKED(IDC_11N_AGG_AUTO, OnCheckChanged)
    ON_BN_CLICKED(IDC_11N_APPLY, OnApply)
    ON_CBN_SELCHANGE(IDC_11N_TGN, OnCoexModeChanged)
    ON_BN_CLICKED(IDC_11N_ORI_ADD, OnAddOriginator)
    ON_BN_CLICKED(IDC_11N_REC_ADD, OnAddRecipient)
    ON_BN_CLICKED(IDC_11N_ORI_DEL, OnDeleteOriginator)
    ON_BN_CLICKED(IDC_11N_ORI_DEL_ALL, OnDeleteOriginatorAll)
    ON_BN_CLICKED(IDC_11N_REC_DEL, OnDeleteRecipient)
    ON_BN_CLICKED(IDC_11N_REC_DEL_ALL, OnDeleteRecipientAll)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_11N_ACK_BE, IDC_11N_ACK_VO, OnAckPolicyRange)
    ON_MESSAGE(MSG_QUICKLIST_GET_ITEM_DATA, OnGetItemData)
END_MESSAGE_MAP()

void CPage80211nSettingDlg::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_11N_ORI_LIST, m_listOriginator);
    DDX_Control(pDX, IDC_11N_REC_LIST, m_listRecipient);
    DDX_Check(pDX, IDC_11N_AMSDU, m_bAmsdu);
    DDX_Check(pDX, IDC_11N_MPDU_AGGREGATION, m_bMpduAggregation);
    DDX_Radio(pDX, IDC_11N_AGG_MANUAL, m_nAggregationMode);
    DDX_Radio(pDX, IDC_11N_AMSDU_3839, m_nAmsduSize);
    DDX_Radio(pDX, IDC_11N_SM_ENABLE, m_nSmPowerSave);
    DDX_CBString(pDX, IDC_11N_MPDU_DENSITY, m_strDensity);
}

BOOL CPage80211nSettingDlg::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    SetDlgItemText(IDC_11N_ORI_LABEL, G_LangTable.IDS_BLOCKACK_ORIGINATOR);
    SetDlgItemText(IDC_11N_REC_LABEL, G_LangTable.IDS_BLOCKACK_RECIPIENT);
    SetDlgItemText(IDC_11N_AGG_MANUAL, G_LangTable.IDS_BLOCKACK_MANUAL);
    SetDlgItemText(IDC_11N_AGG_AUTO, G_LangTable.IDS_BLOCKACK_AUTO);
    SetDlgItemText(IDC_11N_DENSITY_LABEL, G_LangTable.IDS_BLOCKACK_DENSITY);
    SetDlgItemText(IDC_11N_MAC_LABEL, G_LangTable.IDS_MAC_ADDR);
    SetDlgItemText(IDC_11N_APPLY, G_LangTable.IDS_APPLY);
    for (int id : {IDC_11N_MPDU_DENSITY, IDC_11N_TGN}) {
        CRect rc;
        ::GetWindowRect(::GetDlgItem(m_hWnd, id), &rc);
        ::SendDlgItemMessageA(m_hWnd, id, CB_SETDROPPEDWIDTH, rc.Width() * kDropWidthFactor, 0);
    }
    for (int density = 0; density <= kMaxDensity; ++density) {
        CString item;
        item.Format("%d", density);
        ::SendDlgItemMessageA(m_hWnd, IDC_11N_MPDU_DENSITY, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.GetString()));
    }
    for (const char* mode : kCoexModes)
        ::SendDlgItemMessageA(m_hWnd, IDC_11N_TGN, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(mode));
    ::SendDlgItemMessageA(m_hWnd, IDC_11N_TGN, CB_SETCURSEL, 0, 0);
    for (int id : {IDC_11N_AMSDU, IDC_11N_AMSDU_3839, IDC_11N_AMSDU_7935, IDC_11N_SM_ENABLE, IDC_11N_SM_STATIC,
                   IDC_11N_SM_DYNAMIC})
        ::ShowWindow(::GetDlgItem(m_hWnd, id), SW_SHOW);
    InitAckPolicy();
    if (QXWLAPI.ACKPolicy_CoexMode_11nPage != 1)
        for (int id : kCoexControls) ::ShowWindow(::GetDlgItem(m_hWnd, id), SW_HIDE);
    SetUpList(m_listOriginator);
    SetUpList(m_listRecipient);
    UpdateData(FALSE);
    UpdateControlStates();
    return TRUE;
}

void CPage80211nSettingDlg::InitAckPolicy()
{
    if (!QXWLAPI.QXWL_ReadAckPolicy) return;
    ULONG policy[4] = {};
    if (!QXWLAPI.QXWL_ReadAckPolicy(&policy[0], &policy[1], &policy[2], &policy[3])) {
        // An unreadable policy is reset to every category on.
        if (QXWLAPI.QXWL_WriteAckPolicy) QXWLAPI.QXWL_WriteAckPolicy(1, 1, 1, 1);
        for (ULONG& flag : policy) flag = 1;
    }
    for (int i = 0; i < 4; ++i) CheckDlgButton(kAckPolicyBoxes[i], policy[i] ? BST_CHECKED : BST_UNCHECKED);
}

void CPage80211nSettingDlg::SetUpList(CQuickList& list)
{
    list.SetExtendedStyle(kFullRowSelect);
    list.EnableCellNavigation(true);
    CRect rc;
    list.GetWindowRect(&rc);
    list.InsertColumn(0, "MAC Address", LVCFMT_LEFT, rc.Width() * kMacColumnShare / kMacColumnParts);
    for (int tid = 0; tid < kBaTids; ++tid) {
        CString heading;
        heading.Format("%d", tid);
        list.InsertColumn(1 + tid, heading, LVCFMT_LEFT, rc.Width() / kTidColumnParts);
    }
}

BA_CAPABILITY CPage80211nSettingDlg::BuildCapability() const
{
    BA_CAPABILITY cap = {};
    cap.ValueB = static_cast<UCHAR>(m_nValueB);
    cap.ValueA = static_cast<UCHAR>(m_nValueA);
    cap.MpduAggregation = m_bMpduAggregation ? kBaAggregationOn : kBaAggregationOff;
    cap.MpduDensity = static_cast<UCHAR>(atoi(m_strDensity.GetString()));
    cap.AmsduEnabled = m_bAmsdu ? 1 : 0;
    cap.AmsduSize = m_nAmsduSize == kAmsdu7935 ? 1 : 0;
    cap.MimoPowerSave = m_nSmPowerSave == kSmStatic ? kMimoStatic : m_nSmPowerSave == kSmDynamic ? kMimoDynamic : kMimoSmEnable;
    cap.AutoMpduAggregation = m_nAggregationMode == kAutoMode ? 1 : 0;
    return cap;
}

void CPage80211nSettingDlg::ApplyCapability(const BA_CAPABILITY& cap)
{
    m_nValueA = cap.ValueA;
    m_nValueB = cap.ValueB;
    m_bMpduAggregation = cap.MpduAggregation == kBaAggregationOn ? 1 : 0;
    m_nAggregationMode = cap.AutoMpduAggregation == 1 ? kAutoMode : kManualMode;
    m_strDensity.Format("%d", cap.MpduDensity);
    if (cap.AmsduEnabled == 1) {
        m_bAmsdu = 1;
        m_nAmsduSize = cap.AmsduSize ? kAmsdu7935 : kAmsdu3839;
    } else {
        m_bAmsdu = 0;
    }
    m_nSmPowerSave = cap.MimoPowerSave == kMimoStatic ? kSmStatic : cap.MimoPowerSave == kMimoDynamic ? kSmDynamic : kSmEnable;
}

void CPage80211nSettingDlg::OnShowWindow(BOOL bShow, UINT)
{
    Default();
    if (!bShow) {
        KillTimer(kRefreshTimer);
        return;
    }
    m_originatorRows.clear();
    m_recipientRows.clear();
    ShowRows(m_listOriginator, 0);
    ShowRows(m_listRecipient, 0);
    ULONG word = 0;
    if (QXWLAPI.QXWL_ReadBACap(&word)) ApplyCapability(UnpackBaCapability(word));
    UpdateControlStates();
    UpdateData(FALSE);
    SetTimer(kRefreshTimer, kRefreshMs, nullptr);
}

void CPage80211nSettingDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kRefreshTimer) RefreshBlockAckTables();
}

void CPage80211nSettingDlg::ShowRows(CQuickList& list, int rows)
{
    if (!list.m_hWnd) return;
    list.SetItemCountEx(rows, 0);
    const int top = list.GetTopIndex();
    list.RedrawItems(top, top + list.GetCountPerPage());
}

void CPage80211nSettingDlg::RefreshBlockAckTables()
{
    BA_TABLE table = {};
    if (!QXWLAPI.QXWL_QueryBATable(&table)) return;
    ShowRows(m_listOriginator, 0);
    ShowRows(m_listRecipient, 0);
    if (BuildBaSide(table.Originator, table.OriginatorCount, kBaOriginator, m_originatorRows, m_originatorRecords))
        ShowRows(m_listOriginator, static_cast<int>(m_originatorRows.size()));
    if (BuildBaSide(table.Recipient, table.RecipientCount, kBaRecipient, m_recipientRows, m_recipientRecords))
        ShowRows(m_listRecipient, static_cast<int>(m_recipientRows.size()));
}

LRESULT CPage80211nSettingDlg::OnGetItemData(WPARAM wParam, LPARAM lParam)
{
    auto* cell = reinterpret_cast<CQuickList::CListItemData*>(lParam);
    if (!cell) return 0;
    const HWND list = reinterpret_cast<HWND>(wParam);
    const auto& rows = list == m_listRecipient.m_hWnd ? m_recipientRows : m_originatorRows;
    const int row = cell->GetItem(), column = cell->GetSubItem();
    if (row < 0 || row >= static_cast<int>(rows.size()) || column < 0 || column >= kBaColumns) return 0;
    cell->m_strText = rows[row][column];
    return 0;
}

void CPage80211nSettingDlg::OnCheckChanged()
{
    UpdateData(TRUE);
    UpdateControlStates();
}

void CPage80211nSettingDlg::OnApply()
{
    UpdateData(TRUE);
    const BA_CAPABILITY cap = BuildCapability();
    ULONG words[2];
    static_assert(sizeof words == sizeof cap);
    memcpy(words, &cap, sizeof words);
    QXWLAPI.QXWL_SetBACap(words[0], words[1]);
    QXWLAPI.QXWL_WriteBACap(PackBaCapability(cap));
    UpdateControlStates();
}

void CPage80211nSettingDlg::OnCoexModeChanged()
{
    HWND combo = ::GetDlgItem(m_hWnd, IDC_11N_TGN);
    const LRESULT sel = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (sel < 0) return;
    CString text;
    const int length = static_cast<int>(::SendMessageA(combo, CB_GETLBTEXTLEN, sel, 0));
    ::SendMessageA(combo, CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(text.GetBufferSetLength(length + 1)));
    text.ReleaseBuffer();
    QXWLAPI.QXWL_SetCoexMode(text);
}

void CPage80211nSettingDlg::UpdateControlStates()
{
    const bool aggregation = m_bMpduAggregation != 0;
    const bool manual = aggregation && m_nAggregationMode == kManualMode;
    for (int id : kModeControls)
        GetDlgItem(id)->EnableWindow(aggregation);
    for (int id : kBlockAckButtons)
        GetDlgItem(id)->EnableWindow(manual);
    GetDlgItem(IDC_11N_AMSDU_3839)->EnableWindow(m_bAmsdu != 0);
    GetDlgItem(IDC_11N_AMSDU_7935)->EnableWindow(m_bAmsdu != 0);
}

void CPage80211nSettingDlg::OnAddOriginator() { SendToFrontWindow(MSG_ADD_BA_DLG, kShowDialog, kAddAsOriginator); }
void CPage80211nSettingDlg::OnAddRecipient() { SendToFrontWindow(MSG_ADD_BA_DLG, kShowDialog, kAddAsRecipient); }
void CPage80211nSettingDlg::OnDeleteOriginator() { SendToFrontWindow(MSG_DELETE_BA_DLG, kShowDialog, kDeleteOriginatorTid); }
void CPage80211nSettingDlg::OnDeleteOriginatorAll() { SendToFrontWindow(MSG_DELETE_BA_DLG, kShowDialog, kDeleteOriginatorAll); }
void CPage80211nSettingDlg::OnDeleteRecipient() { SendToFrontWindow(MSG_DELETE_BA_DLG, kShowDialog, kDeleteRecipientTid); }
void CPage80211nSettingDlg::OnDeleteRecipientAll() { SendToFrontWindow(MSG_DELETE_BA_DLG, kShowDialog, kDeleteRecipientAll); }

void CPage80211nSettingDlg::OnAckPolicyRange(UINT)
{
    OnAckPolicy();
}

void CPage80211nSettingDlg::OnAckPolicy()
{
    ULONG policy[4];
    for (int i = 0; i < 4; ++i)
        policy[i] = IsDlgButtonChecked(kAckPolicyBoxes[i]) == BST_CHECKED ? 1 : 0;
    if (QXWLAPI.QXWL_WriteAckPolicy)
        QXWLAPI.QXWL_WriteAckPolicy(policy[0], policy[1], policy[2], policy[3]);
    if (QXWLAPI.QXWL_SetAckPolicy)
        QXWLAPI.QXWL_SetAckPolicy(policy[0], policy[1], policy[2], policy[3]);
}
