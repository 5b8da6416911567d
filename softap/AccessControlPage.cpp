#include "softap/AccessControlPage.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "base/TextChecks.h"
#include "core/QXAPLIB.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int kMacChars = static_cast<int>(kApAccessListEntryChars);
constexpr int kModifyWidth = 90, kButtonWidth = 55, kButtonGap = 1;  // dialog units
constexpr int kItemHeightNum = 3, kItemHeightDen = 2;

bool MacBytes(const CString& twelve, UCHAR (&mac)[6])
{
    return twelve.GetLength() == kMacChars && IsHexString(twelve) && HexTextToBytes(twelve, mac, 6) != 0;
}
}  // namespace

IMPLEMENT_DYNCREATE(CAccessControlPage, CDialog)

BEGIN_MESSAGE_MAP(CAccessControlPage, CClassicDlg)
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_ACL_ADD, OnAdd)
    ON_BN_CLICKED(IDC_ACL_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_ACL_REMOVE_ALL, OnRemoveAll)
    ON_BN_CLICKED(IDC_ACL_MODIFY, OnModify)
    ON_BN_CLICKED(IDC_ACL_MODIFY_CANCEL, OnModifyCancel)
    ON_BN_CLICKED(IDC_ACL_APPLY, OnApply)
    ON_CBN_SELCHANGE(IDC_ACL_POLICY, OnSelchangePolicy)
    ON_LBN_DBLCLK(IDC_ACL_LIST, OnDblclkList)
END_MESSAGE_MAP()

CAccessControlPage::CAccessControlPage() : CClassicDlg(IDD, nullptr) {}

void CAccessControlPage::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ACL_POLICY, m_comboPolicy);
    DDX_Control(pDX, IDC_ACL_LIST, m_list);
    DDX_Control(pDX, IDC_ACL_MAC, m_editMac);
    DDX_Control(pDX, IDC_ACL_MODIFY_EDIT, m_editModify);
    DDX_CBIndex(pDX, IDC_ACL_POLICY, m_nPolicy);
    DDX_Text(pDX, IDC_ACL_MAC, m_strMac);
    DDV_MaxChars(pDX, m_strMac, kMacChars);
    DDX_Text(pDX, IDC_ACL_MODIFY_EDIT, m_strModify);
    DDV_MaxChars(pDX, m_strModify, kMacChars);
    if (pDX->m_bSaveAndValidate && m_nPolicy < 0) m_nPolicy = AP_ACL_POLICY_DISABLE;
}

BOOL CAccessControlPage::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    m_comboPolicy.ResetContent();
    m_comboPolicy.AddString(G_LangTable.IDS_DISABLE);
    m_comboPolicy.AddString(G_LangTable.IDS_ALLOWALL);
    m_comboPolicy.AddString(G_LangTable.IDS_REJECTALL);
    const LRESULT height = m_list.SendMessage(LB_GETITEMHEIGHT, 0);
    if (height > 0) m_list.SendMessage(LB_SETITEMHEIGHT, 0, height * kItemHeightNum / kItemHeightDen);
    LoadConfig();
    EnableListControls(m_nPolicy != AP_ACL_POLICY_DISABLE);
    m_editMac.SetParseType(CSmartEdit::kHex);
    m_editModify.SetParseType(CSmartEdit::kHex);
    m_editMac.SendMessage(EM_LIMITTEXT, kMacChars);
    m_editModify.SendMessage(EM_LIMITTEXT, kMacChars);
    const struct {
        int id;
        const CString& text;
    } texts[] = {{IDC_ACL_POLICY_LABEL, G_LangTable.IDS_ACPOLICY}, {IDC_ACL_LIST_LABEL, G_LangTable.IDS_ACLIST},
                 {IDC_ACL_MAC_LABEL, G_LangTable.IDS_MACADDR},     {IDC_ACL_ADD, G_LangTable.IDS_ADD},
                 {IDC_ACL_DELETE, G_LangTable.IDS_DELETE},         {IDC_ACL_REMOVE_ALL, G_LangTable.IDS_REMOVEALL},
                 {IDC_ACL_MODIFY, G_LangTable.IDS_MODIFY},         {IDC_ACL_MODIFY_CANCEL, G_LangTable.IDS_CANCEL},
                 {IDC_ACL_APPLY, G_LangTable.IDS_APPLY}};
    for (const auto& t : texts)
        if (!t.text.IsEmpty()) SetDlgItemText(t.id, t.text);
    UpdateData(FALSE);
    return TRUE;
}

CString CAccessControlPage::Dashed(const CString& twelve)
{
    CString text;
    for (int i = 0; i < twelve.GetLength(); i += 2) {
        if (i) text += "-";
        text += twelve.Mid(i, 2);
    }
    return text;
}

int CAccessControlPage::LoadConfig()
{
    char policy[kApAccessTextBytes] = {};
    QXAPAPI.QXAP_ReadAccessPolicy(policy);
    policy[sizeof policy - 1] = '\0';
    const int value = atoi(policy);
    m_nPolicy = value >= 0 && value <= static_cast<int>(AP_ACL_POLICY_REJECT) ? value : 0;

    char list[kApAccessTextBytes] = {};
    QXAPAPI.QXAP_ReadAccessList(list);
    m_list.ResetContent();
    // Read only inside the buffer; only whole twelve-digit addresses count, at most 32.
    for (size_t pos = 0; pos < sizeof list && list[pos] != '\0';) {
        const size_t length = strnlen(list + pos, sizeof list - pos);
        const CString entry(list + pos, static_cast<int>(length));
        pos += length + 1;
        UCHAR mac[6];
        if (!MacBytes(entry, mac)) {
            DebugLogIfEnabled("[ApUI] CAccessControlPage::LoadConfig(): \"%s\" is not an address, skipped\n", entry.GetString());
            continue;
        }
        const CString dashed = Dashed(entry);
        bool listed = false;
        for (int i = 0; i < m_list.GetCount() && !listed; ++i) {
            CString text;
            m_list.GetText(i, text);
            listed = text.CompareNoCase(dashed) == 0;
        }
        if (!listed && m_list.GetCount() < kApAclMaxEntries) m_list.AddString(dashed);
    }
    if (m_hWnd) UpdateData(FALSE);
    return 1;
}

void CAccessControlPage::ShowApMessage(const CString& text)
{
    AfxShowMessageBox(m_hWnd, text, G_LangTable.IDS_APCONFIGMSG, MB_OK | MB_ICONEXCLAMATION);
}

void CAccessControlPage::Enable(int id, BOOL enable)
{
    if (CWnd* item = GetDlgItem(id)) item->EnableWindow(enable);
}

void CAccessControlPage::EnableListControls(BOOL enable)
{
    for (int id : {IDC_ACL_LIST, IDC_ACL_MAC, IDC_ACL_DELETE, IDC_ACL_REMOVE_ALL}) Enable(id, enable);
    Enable(IDC_ACL_ADD, enable && m_list.GetCount() < kApAclMaxEntries);
}

CString CAccessControlPage::CheckAddress(const CString& text, bool add, int skipRow)
{
    if (add && (!IsHexString(text) || text.Find('-') >= 0)) return G_LangTable.IDS_INVALIDMACADDR;
    if (text.GetLength() != kMacChars || !IsHexString(text)) return G_LangTable.IDS_INVALIDMACADDR;
    UCHAR mac[6];
    HexTextToBytes(text, mac, 6);
    if (mac[0] & 1) return G_LangTable.IDS_NOTACCEPTB;
    UCHAR own[6] = {};
    QXAPAPI.QXAP_GetMacAddrs(own);
    if (memcmp(mac, own, sizeof own) == 0) return G_LangTable.IDS_NOTOWNADDR;
    const CString dashed = Dashed(text);
    for (int i = 0; i < m_list.GetCount(); ++i) {
        if (i == skipRow) continue;
        CString listed;
        m_list.GetText(i, listed);
        if (listed.CompareNoCase(dashed) == 0) return G_LangTable.IDS_DUPLIMAC;
    }
    return CString();
}

void CAccessControlPage::OnAdd()
{
    UpdateData(TRUE);
    if (m_list.GetCount() >= kApAclMaxEntries) return;
    const CString message = CheckAddress(m_strMac, true, -1);
    if (!message.IsEmpty() || m_strMac.GetLength() != kMacChars) {
        ShowApMessage(message.IsEmpty() ? G_LangTable.IDS_INVALIDMACADDR : message);
        return;
    }
    m_list.AddString(Dashed(m_strMac));
    if (m_list.GetCount() >= kApAclMaxEntries) Enable(IDC_ACL_ADD, FALSE);
}

void CAccessControlPage::OnDelete()
{
    const int sel = m_list.GetCurSel();
    if (sel >= 0) m_list.DeleteString(sel);
    Enable(IDC_ACL_ADD, TRUE);
}

void CAccessControlPage::OnRemoveAll()
{
    m_list.ResetContent();
    Enable(IDC_ACL_ADD, TRUE);
}

void CAccessControlPage::OnSelchangePolicy()
{
    UpdateData(TRUE);
    EnableListControls(m_nPolicy != AP_ACL_POLICY_DISABLE);
}

void CAccessControlPage::OnDblclkList()
{
    const int row = m_list.GetCurSel();
    if (row < 0) return;
    CString text;
    m_list.GetText(row, text);
    text.Remove('-');
    m_strModify = text;
    m_nModifyRow = row;
    SetDlgItemText(IDC_ACL_MODIFY_EDIT, m_strModify);
    Enable(IDC_ACL_APPLY, FALSE);
    Enable(IDC_ACL_POLICY, FALSE);
    EnableListControls(FALSE);
    RECT item{};
    m_list.SendMessage(LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item));
    m_list.ClientToScreen(&item);
    ScreenToClient(&item);
    RECT units{0, 0, kModifyWidth, kButtonWidth};
    MapDialogRect(&units);
    RECT gap{0, 0, kButtonGap, 0};
    MapDialogRect(&gap);
    const int height = std::max<int>(item.bottom - item.top, 1) + 4;
    const int top = item.top - 2;
    GetDlgItem(IDC_ACL_MODIFY_EDIT)->MoveWindow(item.left, top, units.right, height);
    GetDlgItem(IDC_ACL_MODIFY)->MoveWindow(item.left + units.right + gap.right, top, units.bottom, height);
    GetDlgItem(IDC_ACL_MODIFY_CANCEL)->MoveWindow(item.left + units.right + units.bottom + 2 * gap.right, top, units.bottom, height);
    for (int id : {IDC_ACL_MODIFY_EDIT, IDC_ACL_MODIFY, IDC_ACL_MODIFY_CANCEL}) {
        GetDlgItem(id)->ShowWindow(SW_SHOW);
        GetDlgItem(id)->EnableWindow(TRUE);
    }
    GetDlgItem(IDC_ACL_MODIFY_EDIT)->SetFocus();
}

void CAccessControlPage::EndModify()
{
    m_strModify.Empty();
    m_nModifyRow = -1;
    SetDlgItemText(IDC_ACL_MODIFY_EDIT, "");
    for (int id : {IDC_ACL_MODIFY_EDIT, IDC_ACL_MODIFY, IDC_ACL_MODIFY_CANCEL}) GetDlgItem(id)->ShowWindow(SW_HIDE);
    Enable(IDC_ACL_APPLY, TRUE);
    Enable(IDC_ACL_POLICY, TRUE);
}

void CAccessControlPage::OnModify()
{
    GetDlgItemText(IDC_ACL_MODIFY_EDIT, m_strModify);
    if (m_nModifyRow < 0 || m_nModifyRow >= m_list.GetCount()) return OnModifyCancel();
    // The row being changed is not its own duplicate (a change of letter case is allowed).
    const CString message = CheckAddress(m_strModify, false, m_nModifyRow);
    if (!message.IsEmpty()) return ShowApMessage(message);
    const int row = m_nModifyRow;
    m_list.DeleteString(row);
    m_list.InsertString(row, Dashed(m_strModify));
    m_list.SetCurSel(row);
    EndModify();
    EnableListControls(TRUE);
}

void CAccessControlPage::OnModifyCancel()
{
    EndModify();
    UpdateData(TRUE);
    EnableListControls(m_nPolicy != AP_ACL_POLICY_DISABLE);
}

void CAccessControlPage::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CClassicDlg::OnShowWindow(bShow, nStatus);
    if (!bShow && m_nModifyRow >= 0) OnModifyCancel();
}

int CAccessControlPage::WriteConfigToRegistryAndSetOid()
{
    UpdateData(TRUE);
    if (m_nPolicy != AP_ACL_POLICY_DISABLE && m_list.GetCount() == 0) {
        if (AfxShowMessageBox(m_hWnd, G_LangTable.IDS_NOACLIST, G_LangTable.IDS_APCONFIGMSG, MB_OK | MB_ICONEXCLAMATION) == 0) {
            DebugLogIfEnabled("[ApUI] CAccessControlPage::WriteConfigToRegistryAndSetOid return function, error code = %d \n",
                              static_cast<int>(::GetLastError()));
            return 0;
        }
        m_nPolicy = AP_ACL_POLICY_DISABLE;
        EnableListControls(FALSE);
        m_comboPolicy.SetCurSel(0);
        m_list.ResetContent();
    }
    QXAPAPI.QXAP_WriteAccessPolicy(static_cast<ULONG>(m_nPolicy));
    char text[kApAccessTextBytes] = {};
    AP_ACL_LIST acl{};
    const int count = std::min(m_list.GetCount(), kApAclMaxEntries);
    int written = 0;
    for (int i = 0; i < count; ++i) {
        CString entry;
        m_list.GetText(i, entry);
        entry.Remove('-');
        UCHAR mac[6];
        if (!MacBytes(entry, mac)) continue;
        memcpy(text + written * (kMacChars + 1), entry.GetString(), kMacChars);
        if (m_nPolicy != AP_ACL_POLICY_DISABLE) memcpy(acl.Entry[written].Addr, mac, sizeof mac);
        ++written;
    }
    if (m_nPolicy != AP_ACL_POLICY_DISABLE && written > 0) {
        acl.Policy = static_cast<ULONG>(m_nPolicy);
        acl.Num = static_cast<ULONG>(written);
    }
    QXAPAPI.QXAP_WriteAccessList(text, static_cast<ULONG>(written * (kMacChars + 1) + 1));
    QXAPAPI.QXAP_Set80211ACL(&acl);
    return 1;
}
