#include "softap/KelvoPageApMacFilter.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "core/hidedlg/HideDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "softap/AccessControlPage.h"
#include "softap/ApTitleBand.h"
#include "ui/LogFont.h"

#include <algorithm>
#include <cctype>

IMPLEMENT_DYNCREATE(CKelvoPageApMacFilter, CDialog)

namespace {
constexpr int kMacTextChars = 17;
constexpr char kErrorInput[] = "ErrorInput";

CKelvoPageUIDlg* MainWindow()
{
    return G_pHideDlg && G_pHideDlg->m_pQxUI ? CKelvoPageUIDlg::From(G_pHideDlg->m_pQxUI) : CKelvoPageUIDlg::GetLive();
}
}  // namespace

BEGIN_MESSAGE_MAP(CKelvoPageApMacFilter, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_KAPMAC_SAVE, OnBtnSave)
    ON_BN_CLICKED(IDC_KAPMAC_CANCEL, OnBtnCancel)
END_MESSAGE_MAP()

bool CKelvoPageApMacFilter::IsValidMacText(const CString& text)
{
    if (text.IsEmpty()) return true;
    if (text.GetLength() != kMacTextChars) return false;
    for (int i = 0; i < kMacTextChars; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (i % 3 == 2 ? c != ':' : !std::isxdigit(c)) return false;
    }
    return true;
}

void CKelvoPageApMacFilter::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KAPMAC_TITLE, m_title);
    DDX_Control(pDX, IDC_KAPMAC_TYPE_LABEL, m_typeLabel);
    DDX_Control(pDX, IDC_KAPMAC_ADDRESS_LABEL, m_addressLabel);
    for (int i = 0; i < kEdits; ++i) {
        DDX_Control(pDX, IDC_KAPMAC_ROW_FIRST + i, m_row[i]);
        DDX_Control(pDX, IDC_KAPMAC_EDIT_FIRST + i, m_edit[i]);
    }
    DDX_Control(pDX, IDC_KAPMAC_SAVE, m_btnSave);
    DDX_Control(pDX, IDC_KAPMAC_CANCEL, m_btnCancel);
}

BOOL CKelvoPageApMacFilter::OnInitDialog()
{
    CDialog::OnInitDialog();
    const LOGFONTA titleFont = MakeLogFont("Arial", -12, 800);
    const LOGFONTA labelFont = MakeLogFont("Arial", -11, 800);
    m_title.SetTextFont(kApTitleColor, &titleFont);
    if (!G_LangTable.IDS_AP_MAC_FILTER.IsEmpty()) m_title.SetSkinText(G_LangTable.IDS_AP_MAC_FILTER);
    m_typeLabel.SetTextFont(kApLabelColor, &labelFont);
    if (!G_LangTable.IDS_AP_FILTER_TYPE.IsEmpty()) m_typeLabel.SetSkinText(G_LangTable.IDS_AP_FILTER_TYPE);
    m_addressLabel.SetTextFont(kApLabelColor, &labelFont);
    if (!G_LangTable.IDS_AP_FILTER_MAC_ADDRESS.IsEmpty()) m_addressLabel.SetSkinText(G_LangTable.IDS_AP_FILTER_MAC_ADDRESS);
    for (int i = 0; i < kEdits; ++i) {
        CString number;
        number.Format("%d", i + 1);
        m_row[i].SetTextFont(kApLabelColor, &labelFont);
        m_row[i].SetSkinText(number);
    }
    SkinApSaveCancel(m_btnSave, m_btnCancel);

    auto* type = static_cast<CComboBox*>(GetDlgItem(IDC_KAPMAC_TYPE));
    type->ResetContent();
    // Indexes 0 to 2: the classic page's policy numbering.
    const struct {
        const CString& text;
        const char* fallback;
    } policies[] = {{G_LangTable.IDS_AP_DISABLE, "Disable"},
                    {G_LangTable.IDS_AP_ALLOW_ALL, "Allow All"},
                    {G_LangTable.IDS_AP_REJECT_ALL, "Reject All"}};
    for (const auto& p : policies) type->AddString(p.text.IsEmpty() ? p.fallback : p.text.GetString());
    type->SetCurSel(0);
    return TRUE;
}

BOOL CKelvoPageApMacFilter::OnEraseBkgnd(CDC* pDC)
{
    const BOOL erased = static_cast<BOOL>(Default());
    PaintApTitleBand(*this, pDC, {IDC_KAPMAC_TITLE});
    return erased;
}

void CKelvoPageApMacFilter::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    if (bShow) LoadFromClassicPage();
}

CAccessControlPage* CKelvoPageApMacFilter::ClassicPage() const
{
    CKelvoPageUIDlg* main = MainWindow();
    CAccessControlPage* page = main ? main->m_pAccessControlPage : nullptr;
    // The classic page gets its window when first shown; its list lives in that window.
    if (page && !page->m_hWnd) main->EnsurePage(page);
    return page && page->m_hWnd ? page : nullptr;
}

std::vector<CString> CKelvoPageApMacFilter::ClassicList(CAccessControlPage& page)
{
    std::vector<CString> entries;
    HWND list = ::GetDlgItem(page.m_hWnd, IDC_ACL_LIST);
    const int count = list ? static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count; ++i) {
        char text[64] = {};
        if (::SendMessageA(list, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(sizeof text))
            ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        entries.emplace_back(text);
    }
    return entries;
}

void CKelvoPageApMacFilter::LoadFromClassicPage()
{
    if (!m_hWnd) return;
    CAccessControlPage* page = ClassicPage();
    if (!page) {
        DebugLog(1, "[QxUI] CKelvoPageApMacFilter: the access-control page is missing\n");
        return;
    }
    page->UpdateData(TRUE);
    SendDlgItemMessage(IDC_KAPMAC_TYPE, CB_SETCURSEL, page->m_nPolicy >= 0 && page->m_nPolicy <= 2 ? page->m_nPolicy : 0);
    const std::vector<CString> entries = ClassicList(*page);
    for (int i = 0; i < kEdits; ++i) {
        CString text = i < static_cast<int>(entries.size()) ? entries[static_cast<size_t>(i)] : CString();
        text.Replace('-', ':');
        SetDlgItemText(IDC_KAPMAC_EDIT_FIRST + i, text);
    }
}

int CKelvoPageApMacFilter::ValidateMacEdits()
{
    for (int i = 0; i < kEdits; ++i) {
        CString text;
        GetDlgItemText(IDC_KAPMAC_EDIT_FIRST + i, text);
        if (!IsValidMacText(text)) return i;
    }
    return -1;
}

void CKelvoPageApMacFilter::StoreToClassicPage()
{
    CAccessControlPage* page = ClassicPage();
    if (!page) {
        DebugLog(1, "[QxUI] CKelvoPageApMacFilter: the access-control page is missing, nothing stored\n");
        return;
    }
    // The page shows sixteen of up to thirty-two stored addresses: those it has no edit for
    // are kept, never dropped by a SAVE that could not show them.
    std::vector<CString> unseen = ClassicList(*page);
    unseen.erase(unseen.begin(), unseen.begin() + std::min<size_t>(unseen.size(), kEdits));

    const int policy = static_cast<int>(SendDlgItemMessage(IDC_KAPMAC_TYPE, CB_GETCURSEL));
    page->m_nPolicy = policy >= 0 ? policy : 0;
    page->SendDlgItemMessage(IDC_ACL_POLICY, CB_SETCURSEL, page->m_nPolicy);
    page->OnRemoveAll();
    for (int i = 0; i < kEdits; ++i) {
        CString text;
        GetDlgItemText(IDC_KAPMAC_EDIT_FIRST + i, text);
        if (text.IsEmpty()) continue;
        text.Remove(':');
        page->SetDlgItemText(IDC_ACL_MAC, text);
        page->OnAdd();
    }
    page->SetDlgItemText(IDC_ACL_MAC, "");
    HWND list = ::GetDlgItem(page->m_hWnd, IDC_ACL_LIST);
    for (const CString& entry : unseen) {
        if (::SendMessageA(list, LB_GETCOUNT, 0, 0) >= kApAclMaxEntries) break;
        // An address typed into an edit that was also stored unseen is listed once.
        if (::SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(entry.GetString())) != LB_ERR)
            continue;
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.GetString()));
    }
    page->EnableListControls(page->m_nPolicy != AP_ACL_POLICY_DISABLE);
    page->WriteConfigToRegistryAndSetOid();
}

BOOL CKelvoPageApMacFilter::Save()
{
    const int bad = ValidateMacEdits();
    if (bad >= 0) {
        GetDlgItem(IDC_KAPMAC_EDIT_FIRST + bad)->SetFocus();
        ShowProductMessageBox(kErrorInput);
        return FALSE;
    }
    StoreToClassicPage();
    // What the classic page refused (duplicates and the like) disappears from the edits now.
    LoadFromClassicPage();
    return TRUE;
}
