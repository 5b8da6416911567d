#include "station/CPage80211nDlg.h"

#include <cstddef>
#include <cstring>

namespace {
enum class Kind { Section, Byte, TrueFalse, Number };
struct RowDef {
    Kind kind;
    const char* label;
    size_t offset;
};
constexpr size_t kNone = 0;

// Rows 38 and 39 repeat the A-MPDU parameters of rows 27 and 28: the record has no second pair.
constexpr RowDef kRows[CPage80211nDlg::kRowCount] = {
    {Kind::Section, "Secondary Channel Offset element", kNone},
    {Kind::Byte, "Secondary Channel Offset", 152},
    {Kind::Section, "Extended Capabilities information element", kNone},
    {Kind::TrueFalse, "HT Information Exchange Support", 156},
    {Kind::Section, "Neighbor Report element", kNone},
    {Kind::TrueFalse, "Mobility Domain", 160},
    {Kind::TrueFalse, "High Throughput", 164},
    {Kind::Section, "HT Capabilities element", kNone},
    {Kind::TrueFalse, "HT Capability", 168},
    {Kind::TrueFalse, "LDPC Coding Capability", 172},
    {Kind::Byte, "Supported Channel Width Set", 176},
    {Kind::Byte, "SM Power Save", 177},
    {Kind::TrueFalse, "Greenfield", 180},
    {Kind::TrueFalse, "Short GI for 20 MHz", 184},
    {Kind::TrueFalse, "Short GI for 40 MHz", 188},
    {Kind::TrueFalse, "Tx STBC", 192},
    {Kind::Byte, "Rx STBC", 196},
    {Kind::TrueFalse, "HT-delayed BlockAck", 200},
    {Kind::Byte, "Maximum A-MSDU Length", 204},
    {Kind::TrueFalse, "DSSS/CCK Mode in 40MHz", 208},
    {Kind::TrueFalse, "PSMP Support", 212},
    {Kind::TrueFalse, "HT Capability PSMP Support", 216},
    {Kind::TrueFalse, "Maximum A-MSDU Length", 220},
    {Kind::TrueFalse, "Forty MHz Intolerant", 224},
    {Kind::TrueFalse, "L-SIG TXOP Protection Support", 228},
    {Kind::Section, "A-MPDU Parameters field", kNone},
    {Kind::Byte, "Maximum Rx A-MPDU Factor", 232},
    {Kind::Byte, "Minimum MPDU Start Spacing", 233},
    {Kind::Section, "Supported MCS Set field", kNone},
    {Kind::TrueFalse, "Tx MCS Set Defined", 236},
    {Kind::TrueFalse, "Tx Rx MCS Set Not Equal", 240},
    {Kind::Byte, "Tx Maximum Number Spatial Streams Supported", 244},
    {Kind::TrueFalse, "Tx Unequal Modulation Support", 248},
    {Kind::Section, "HT Capabilities Info", kNone},
    {Kind::TrueFalse, "DSS/CCK Mode in 40 MHz", 252},
    {Kind::TrueFalse, "HT Information PSMP Support", 256},
    {Kind::Section, "A-MPDU Parameters", kNone},
    {Kind::Byte, "Maximum Rx A-MPDU Factor", 232},
    {Kind::Byte, "Minimum MPDU Start Spacing", 233},
    {Kind::Section, "HT Extended Capabilities", kNone},
    {Kind::TrueFalse, "+HTC Support", 268},
    {Kind::TrueFalse, "RD Responder", 272},
    {Kind::Section, "HT Information element", kNone},
    {Kind::Byte, "Primary Channel", 276},
    {Kind::Byte, "HT Information Secondary Channel Offset", 277},
    {Kind::Byte, "STA Channel Width", 278},
    {Kind::TrueFalse, "RIFS Mode", 280},
    {Kind::TrueFalse, "PSMP STAs Only", 284},
    {Kind::Byte, "Service Interval Granularity", 288},
    {Kind::Byte, "Operating Mode", 289},
    {Kind::TrueFalse, "Non-greenfield STAs Present", 292},
    {Kind::TrueFalse, "Transmit Burst Limit", 296},
    {Kind::TrueFalse, "OBSS None-HT STAs Present", 300},
    {Kind::TrueFalse, "Dual Beacon", 304},
    {Kind::TrueFalse, "Dual CTS Protection", 308},
    {Kind::TrueFalse, "Secondary Beacon", 312},
    {Kind::TrueFalse, "L-SIG TXOP Protection Full Support", 316},
    {Kind::TrueFalse, "PCO Active", 320},
    {Kind::TrueFalse, "PCP Phase", 324},
    {Kind::TrueFalse, "Basic MCS Set", 328},
    {Kind::Number, "Basic MCS Set 0", 332},
    {Kind::Number, "Basic MCS Set 1", 336},
    {Kind::Number, "Basic MCS Set 2", 340},
    {Kind::Number, "Basic MCS Set 3", 344},
};

constexpr char kTrue[] = "TRUE";
constexpr char kFalse[] = "FALSE";
constexpr char kNotApplicable[] = "n/a";
constexpr DWORD kFullRowSelect = 0x20;
constexpr DWORD kHeaderDragDrop = 0x10;
constexpr int kPropertyShareNinths = 5, kValueShareNinths = 3, kNinths = 9;

CString FormatField(const RowDef& row, const BYTE* record)
{
    CString text;
    if (row.kind == Kind::Byte) {
        text.Format("%d", record[row.offset]);
    } else {
        LONG value;
        memcpy(&value, record + row.offset, sizeof value);
        if (row.kind == Kind::TrueFalse)
            text = value ? kTrue : kFalse;
        else
            text.Format("%d", static_cast<int>(value));
    }
    return text;
}
}  // namespace

BEGIN_MESSAGE_MAP(CPage80211nDlg, CClassicDlg)
    ON_MESSAGE(MSG_QUICKLIST_GET_ITEM_DATA, OnGetItemData)
END_MESSAGE_MAP()

void CPage80211nDlg::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HT_INFO_LIST, m_list);
}

BOOL CPage80211nDlg::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    m_list.ShowWindow(SW_SHOW);
    m_list.SetExtendedStyle(kFullRowSelect);
    m_list.SetExtendedStyle(kFullRowSelect | kHeaderDragDrop);
    m_list.EnableCellNavigation(false);
    CRect rc;
    m_list.GetWindowRect(&rc);
    m_list.InsertColumn(0, "Property", LVCFMT_LEFT, rc.Width() * kPropertyShareNinths / kNinths);
    m_list.InsertColumn(1, "Value", LVCFMT_LEFT, rc.Width() * kValueShareNinths / kNinths);
    m_list.SetFont(&m_font, TRUE);
    return TRUE;
}

void CPage80211nDlg::SetValuesFromRecord(const IE_PARSE_RESULT& record)
{
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&record);
    size_t field = 0;
    for (const RowDef& row : kRows)
        if (row.kind != Kind::Section)
            m_strValues[field++] = FormatField(row, bytes);
    m_strHtFlag = record.bHT ? kTrue : kFalse;
}

void CPage80211nDlg::FillHtInfoList()
{
    m_rows.clear();
    const bool ht = m_strHtFlag == kTrue;
    size_t field = 0;
    for (const RowDef& row : kRows) {
        if (row.kind == Kind::Section) {
            m_rows.push_back({1, row.label, ""});
            continue;
        }
        m_rows.push_back({0, row.label, ht ? m_strValues[field] : CString(kNotApplicable)});
        ++field;
    }
    UpdateListCount();
}

void CPage80211nDlg::UpdateListCount()
{
    if (!m_list.m_hWnd)
        return;
    m_list.SetItemCountEx(static_cast<int>(m_rows.size()), 0);
    const int top = m_list.GetTopIndex();
    m_list.RedrawItems(top, top + m_list.GetCountPerPage());
}

LRESULT CPage80211nDlg::OnGetItemData(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<CQuickList::CListItemData*>(lParam);
    if (!cell || cell->GetItem() < 0 || cell->GetItem() >= static_cast<int>(m_rows.size()))
        return 0;
    const HT_INFO_ROW& row = m_rows[cell->GetItem()];
    if (cell->GetSubItem() == 0) {
        cell->m_bBold = row.bHeader != 0;
        cell->m_strText.Format("%s", row.strProperty.GetString());
    } else if (cell->GetSubItem() == 1) {
        cell->m_strText.Format("%s", row.strValue.GetString());
    }
    return 0;
}
