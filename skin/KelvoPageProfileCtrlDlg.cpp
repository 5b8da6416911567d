#include "skin/KelvoPageProfileCtrlDlg.h"
#include "base/StationLibraryView.h"
#include "skin/KelvoWizardPage.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "contract/StationContract.h"
#include "core/ProductMessageBox.h"
#include "core/QXWLLIB.h"
#include "core/QxUI2008App.h"
#include "skin/KelvoPageProfileDlg.h"
#include "skin/KelvoPageSiteSurveyDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/MainWindowMessages.h"
#include "skin/KelvoPageSecurityTypeDlg.h"
#include "skin/KelvoPageWirelessSettingDlg.h"
#include "skin/SecurityWizard.h"
#include "station/CPageSystemConfigDlg.h"
#include "station/CProfileEditorDlg.h"
#include "ui/DialogTab.h"

#include <algorithm>
#include <atomic>
#include <cstring>

IMPLEMENT_DYNCREATE(CKelvoPageProfileCtrlDlg, CDialog)

namespace {
constexpr LONG kZeroConfigOwnsAdapter = 2;
constexpr UINT kImagesBitmap = 314;
constexpr int kImageWidth = 45;
constexpr double kIconShare = 0.24, kSsidShare = 0.66;
constexpr COLORREF kHintColor = 0x989898;
constexpr COLORREF kConnectedRowBack = 0xF7F5EA;
constexpr WPARAM kProfileConnect = 15;
constexpr char kUnlockName[] = "qolturn";
constexpr char kUnlockSsid[] = "tarvoskq804731";

std::atomic<HWND> g_notifyWindow{nullptr};

LONG OsCode()
{
    return QXWLAPI.QXWL_GetWinOS ? QXWLAPI.WinOS() : 0;
}

bool HasControlCharacter(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i)
        if (static_cast<unsigned char>(text[i]) < 0x20 || text[i] == 0x7F) return true;
    return false;
}

CKelvoPageSiteSurveyDlg* Survey()
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    return main ? main->m_pPageSiteSurveyDlg : nullptr;
}

CPageSystemConfigDlg* SystemPage()
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    CProfileEditorDlg* editor = main ? main->m_pProfileEditorDlg : nullptr;
    CPageSystemConfigDlg* page = editor ? editor->m_pPageSystemConfig : nullptr;
    return page && page->m_hWnd ? page : nullptr;
}
}  // namespace

BEGIN_MESSAGE_MAP(CKelvoPageProfileCtrlDlg, CDialog)
    ON_WM_SHOWWINDOW()
    ON_WM_CTLCOLOR()
    ON_BN_CLICKED(IDC_PROFCTRL_INFRA, OnInfrastructure)
    ON_BN_CLICKED(IDC_PROFCTRL_ADHOC, OnAdhoc)
    ON_BN_CLICKED(IDC_PROFCTRL_SCAN, OnScan)
    ON_BN_CLICKED(IDC_PROFCTRL_SELECT, OnSelect)
    ON_BN_CLICKED(IDC_PROFCTRL_NEXT, OnNext)
    ON_BN_CLICKED(IDC_PROFCTRL_EXIT, OnExit)
    // WM_USER+1 is also DM_SETDEFID: it must never reach the default dialog procedure.
    ON_MESSAGE(MSG_SCAN_LIST_CHANGED, OnScanListChanged)
    ON_MESSAGE(MSG_QUICKLIST_GET_ITEM_DATA, OnGetItemData)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_PROFCTRL_LIST, OnColumnClick)
END_MESSAGE_MAP()

void CKelvoPageProfileCtrlDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROFCTRL_LIST, m_list);
}

BOOL CKelvoPageProfileCtrlDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_look.Apply(*this, IDC_PROFCTRL_TITLE, {IDC_PROFCTRL_NAME_LABEL, IDC_PROFCTRL_SSID_LABEL, IDC_PROFCTRL_INFRA,
                                             IDC_PROFCTRL_ADHOC, IDC_PROFCTRL_INFRA_TEXT, IDC_PROFCTRL_ADHOC_TEXT});
    m_look.AddTitle(*this, IDC_PROFCTRL_SCAN_TITLE);
    const struct {
        UINT id;
        const CString& text;
    } texts[] = {{IDC_PROFCTRL_NAME_LABEL, G_LangTable.IDS_LAB_PROFILE_NAME},
                 {IDC_PROFCTRL_SSID_LABEL, G_LangTable.IDS_LAB_NETWORK_NAME}};
    for (const auto& t : texts)
        if (!t.text.IsEmpty()) SetDlgItemText(t.id, t.text);
    m_look.SkinButton(*this, IDC_PROFCTRL_NEXT, CSkinnedPageLook::kNextButton);
    m_look.SkinButton(*this, IDC_PROFCTRL_EXIT, CSkinnedPageLook::kExitButton);
    m_look.SkinButton(*this, IDC_PROFCTRL_SCAN, CSkinnedPageLook::kScanButton);
    m_look.SkinButton(*this, IDC_PROFCTRL_SELECT, CSkinnedPageLook::kSelectButton);
    SendDlgItemMessage(IDC_PROFCTRL_NAME, EM_LIMITTEXT, kTextMax, 0);
    SendDlgItemMessage(IDC_PROFCTRL_SSID, EM_LIMITTEXT, kTextMax, 0);

    if (m_list.m_hWnd) {
        m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
        CBitmap strip;
        if (G_hKelvoImg && strip.Attach(::LoadBitmapA(G_hKelvoImg, MAKEINTRESOURCEA(kImagesBitmap)))) {
            BITMAP info{};
            strip.GetObject(sizeof info, &info);
            if (m_images.Create(kImageWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 0, 1))
                m_images.Add(&strip, RGB(255, 255, 255));
        }
        if (m_images.GetSafeHandle()) m_list.SetImageList(&m_images, LVSIL_SMALL);
        CRect rc;
        m_list.GetClientRect(&rc);
        m_list.InsertColumn(kColumnIcon, "", LVCFMT_CENTER, static_cast<int>(rc.Width() * kIconShare));
        m_list.InsertColumn(kColumnSsid, G_LangTable.IDS_VAL_SSID, LVCFMT_CENTER, static_cast<int>(rc.Width() * kSsidShare));
    }
    return TRUE;
}

HBRUSH CKelvoPageProfileCtrlDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH brush = reinterpret_cast<HBRUSH>(Default());
    const int id = pWnd ? pWnd->GetDlgCtrlID() : 0;
    if (nCtlColor == CTLCOLOR_STATIC && (id == IDC_PROFCTRL_INFRA_TEXT || id == IDC_PROFCTRL_ADHOC_TEXT)) {
        pDC->SetTextColor(kHintColor);
        return brush;
    }
    return m_look.CtlColor(pDC, pWnd, nCtlColor, brush);
}

CWnd* CKelvoPageProfileCtrlDlg::Owner() const
{
    if (m_hWnd)
        if (CWnd* parent = GetParent()) return parent;
    return CKelvoPageUIDlg::GetLive();
}

void CKelvoPageProfileCtrlDlg::OnShowWindow(BOOL bShow, UINT)
{
    Default();
    if (bShow) PrepareForm();
}

void CKelvoPageProfileCtrlDlg::PrepareForm()
{
    OnScan();
    CPageSystemConfigDlg* system = SystemPage();
    const CString ssid = system ? system->m_strSsid : CString();
    m_bNewProfile = ssid.IsEmpty() ? 1 : 0;
    if (m_bNewProfile) {
        SetDlgItemText(IDC_PROFCTRL_NAME, "");
        SetDlgItemText(IDC_PROFCTRL_SSID, "");
    } else {
        SetDlgItemText(IDC_PROFCTRL_SSID, ssid == kAnyNetworkSsid ? G_LangTable.IDS_VAL_ANY : ssid);
        SetDlgItemText(IDC_PROFCTRL_NAME, system->m_strProfileName);
    }
    const bool infra = !system || system->m_nNetworkType == CPageSystemConfigDlg::kInfrastructure;
    CheckDlgButton(IDC_PROFCTRL_INFRA, infra ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_PROFCTRL_ADHOC, infra ? BST_UNCHECKED : BST_CHECKED);
}

void CKelvoPageProfileCtrlDlg::OnInfrastructure()
{
    CheckDlgButton(IDC_PROFCTRL_INFRA, BST_CHECKED);
    CheckDlgButton(IDC_PROFCTRL_ADHOC, BST_UNCHECKED);
}

void CKelvoPageProfileCtrlDlg::OnAdhoc()
{
    CheckDlgButton(IDC_PROFCTRL_INFRA, BST_UNCHECKED);
    CheckDlgButton(IDC_PROFCTRL_ADHOC, BST_CHECKED);
}

void CKelvoPageProfileCtrlDlg::OnScan()
{
    m_bScanDone = 0;
    m_Entries.clear();
    ShowRows();
    if (OsCode() < kVistaOsCode && QXWLAPI.QXWL_IsZeroConfig() == kZeroConfigOwnsAdapter) return;
    CWnd* owner = Owner();
    g_notifyWindow = owner ? owner->m_hWnd : nullptr;
    const LONG status = QXWLAPI.QXWL_SiteSurveyScan(&CKelvoPageProfileCtrlDlg::OnScanDone);
    if (status != QXWL_ERROR_SUCCESS) {
        // No callback will come: list what the repository holds rather than search for ever.
        LogNotSuccess("QXWL_SiteSurveyScan", status, "CKelvoPageProfileCtrlDlg::OnScan");
        OnScanListChanged(0, 0);
    }
}

void WINAPI CKelvoPageProfileCtrlDlg::OnScanDone()
{
    ::InterlockedExchange(&QXWLAPI.bScanDone, 1);
    if (QXWLAPI.QXWL_IsWAPIConnecting()) return;
    const HWND window = g_notifyWindow.load();
    if (window && ::IsWindow(window)) ::PostMessageA(window, MSG_SITESURVEY_DONE, 0, 0);
}

void CKelvoPageProfileCtrlDlg::CopySurveyEntries()
{
    CKelvoPageSiteSurveyDlg* survey = Survey();
    m_Entries = survey ? survey->m_Entries : std::vector<SURVEY_LIST_ENTRY>{};
    ShowRows();
}

void CKelvoPageProfileCtrlDlg::RefreshScanList()
{
    DebugLog(3, "[QxUI] --> CKelvoPageProfileCtrlDlg::RefreshScanList\n");
    RefreshFromSurvey();
}

void CKelvoPageProfileCtrlDlg::RefreshFromSurvey()
{
    m_Entries.clear();
    ShowRows();
    if (CKelvoPageSiteSurveyDlg* survey = Survey()) survey->RefreshSurveyList();
    CopySurveyEntries();
}

LRESULT CKelvoPageProfileCtrlDlg::OnScanListChanged(WPARAM, LPARAM)
{
    m_bScanDone = 1;
    if (CKelvoPageSiteSurveyDlg* survey = Survey()) survey->FillSurveyList();
    CopySurveyEntries();
    return 0;
}

void CKelvoPageProfileCtrlDlg::ShowRows()
{
    if (!m_list.m_hWnd) return;
    m_list.SetItemCountEx(m_bScanDone ? static_cast<int>(m_Entries.size()) : 1, LVSICF_NOSCROLL);
    m_list.Invalidate(FALSE);
}

LRESULT CKelvoPageProfileCtrlDlg::OnGetItemData(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<CQuickList::CListItemData*>(lParam);
    if (!cell) return 0;
    const int row = cell->GetItem(), column = cell->GetSubItem();
    cell->m_crSelectedBack = ::GetSysColor(COLOR_HIGHLIGHT);
    if (!m_bScanDone) {
        if (row == 0 && column == kColumnSsid) cell->m_strText = G_LangTable.IDS_VAL_SEARCHING;
        return 0;
    }
    if (row < 0 || row >= static_cast<int>(m_Entries.size())) return 0;
    const SURVEY_LIST_ENTRY& entry = m_Entries[row];
    if (column == kColumnIcon) {
        cell->m_nImage = CKelvoPageSiteSurveyDlg::ImageOf(entry);
    } else if (column == kColumnSsid) {
        // A network that hides its name reads as on the site-survey page, not as a blank row.
        cell->m_strText.Format("%s", entry.strSsid.IsEmpty() ? G_LangTable.IDS_HIDDENSSID.GetString()
                                                              : entry.strSsid.GetString());
    }
    if (entry.bConnected) cell->m_crBack = kConnectedRowBack;
    return 0;
}

void CKelvoPageProfileCtrlDlg::OnColumnClick(NMHDR* pNMHDR, LRESULT*)
{
    if (reinterpret_cast<const NMLISTVIEW*>(pNMHDR)->iSubItem == kColumnSsid) SortBySsid();
}

void CKelvoPageProfileCtrlDlg::SortBySsid()
{
    if (!m_bScanDone) return;
    const bool ascending = m_bSortAscending != 0;
    std::stable_sort(m_Entries.begin(), m_Entries.end(), [ascending](const SURVEY_LIST_ENTRY& a, const SURVEY_LIST_ENTRY& b) {
        const int order = strcmp(a.strSsid.GetString(), b.strSsid.GetString());
        return ascending ? order < 0 : order > 0;
    });
    m_bSortAscending = ascending ? 0 : 1;
    if (m_list.m_hWnd) m_list.Invalidate(FALSE);
}

int CKelvoPageProfileCtrlDlg::SelectedRow() const
{
    if (!m_bScanDone || !m_list.m_hWnd) return -1;
    const int selected = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (selected >= 0 && selected < static_cast<int>(m_Entries.size())) return selected;
    return m_Entries.size() == 1 ? 0 : -1;
}

void CKelvoPageProfileCtrlDlg::OnSelect()
{
    const int row = SelectedRow();
    if (row < 0) {
        ShowProductMessageBox(G_LangTable.IDS_NOSELECTEDITEM);
        return;
    }
    const SURVEY_LIST_ENTRY& entry = m_Entries[row];
    CKelvoPageSiteSurveyDlg* survey = Survey();
    if (!survey || !survey->m_pScanBuffer) return;
    // The row's own record: same SSID and BSSID, read within the survey's buffer.
    const BssidListView view(survey->m_pScanBuffer, CKelvoPageSiteSurveyDlg::kScanBufferBytes, "CKelvoPageProfileCtrlDlg::OnSelect");
    const NDIS_WLAN_BSSID_EX* record = nullptr;
    for (size_t i = 0; i < view.Count() && !record; ++i)
        if (CString(SsidToText(view[i].Ssid).c_str()) == entry.strSsid &&
            memcmp(view[i].MacAddress, entry.Bssid, sizeof entry.Bssid) == 0)
            record = &view[i];
    if (!record) return;
    const BYTE* mac = record->MacAddress;
    m_strChosenBssid.Format("%02X%02X%02X%02X%02X%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    const BYTE* bytes = reinterpret_cast<const BYTE*>(record);
    survey->m_ChosenRecord.assign(bytes, bytes + record->Length);
    survey->m_ChosenRecord.resize(std::max(survey->m_ChosenRecord.size(), sizeof(NDIS_WLAN_BSSID_EX)), 0);

    IE_PARSE_RESULT parsed{};
    QXWLAPI.QXWL_ParseInfoElement(record, &parsed);
    m_bChosenSecured = IsSecuredRecord(*record, parsed) ? 1 : 0;
    m_strChosenCipherText = !m_bChosenSecured || parsed.cipherMask == 0 ? G_LangTable.IDS_NONE : CipherBitsText(parsed.cipherMask);
    m_nChosenAuth = SurveyAuthCode(parsed, OsCode());
    if (CWnd* owner = Owner()) owner->SendMessage(MSG_PROFILE_CONNECT, kProfileConnect, 0);
    if (!entry.strSsid.IsEmpty()) {
        SetDlgItemText(IDC_PROFCTRL_SSID, entry.strSsid);
        return;
    }
    // The network hides its name: only the user knows it, and a name left from another row
    // would make a profile for that network with this one's security.
    SetDlgItemText(IDC_PROFCTRL_SSID, "");
    if (CWnd* edit = GetDlgItem(IDC_PROFCTRL_SSID)) GotoDlgCtrl(edit);
}

CString CKelvoPageProfileCtrlDlg::ProfileNameText() const
{
    CString name;
    if (m_hWnd) GetDlgItemText(IDC_PROFCTRL_NAME, name);
    return name;
}

void CKelvoPageProfileCtrlDlg::OnNext()
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    CString name, ssid;
    GetDlgItemText(IDC_PROFCTRL_NAME, name);
    GetDlgItemText(IDC_PROFCTRL_SSID, ssid);
    if (name == kUnlockName && ssid == kUnlockSsid) {
        if (main && main->m_btnMore.m_hWnd) {
            const bool visible = main->m_btnMore.IsWindowVisible() != FALSE;
            if (AfxMessageBox(visible ? "Hide More Button?" : "Open More Button?", MB_YESNO) == IDYES)
                main->m_btnMore.ShowWindow(visible ? SW_HIDE : SW_SHOW);
        }
        if (main) main->ShowProfileTab();
        return;
    }
    if (name.IsEmpty()) {
        ShowProductMessageBox(G_LangTable.IDS_INPUTPROFILENAME);
        return;
    }
    // A pasted text is not held to the edit's limit: what the record cannot hold is refused
    // here, never cut later without a word.
    if (name.GetLength() > kTextMax) {
        ShowProductMessageBox(G_LangTable.IDS_PROFILENAMELENGTH);
        return;
    }
    if (HasControlCharacter(name)) {
        ShowProductMessageBox(G_LangTable.IDS_PROFILENAMECHARS);
        return;
    }
    if (m_bNewProfile && main && main->m_pPageProfileDlg) {
        CKelvoPageProfileDlg& list = *main->m_pPageProfileDlg;
        for (int row = 0; row < list.GetRowCount(); ++row)
            if (list.GetListText(row, 1) == name) {
                ShowProductMessageBox(G_LangTable.IDS_PROFILEEXISTED);
                return;
            }
    }
    if (ssid.IsEmpty()) {
        ShowProductMessageBox(G_LangTable.IDS_ADHOCINPUTSSID);
        return;
    }
    if (ssid.GetLength() > kTextMax) {
        ShowProductMessageBox(G_LangTable.IDS_SSIDLENGTH);
        return;
    }
    const bool infra = IsDlgButtonChecked(IDC_PROFCTRL_ADHOC) != BST_CHECKED;
    if (CPageSystemConfigDlg* system = SystemPage()) {
        system->m_strSsid = ssid == G_LangTable.IDS_VAL_ANY ? CString(kAnyNetworkSsid) : ssid;
        system->m_strProfileName = name;
        if (infra) system->OnInfrastructureMode();
        else system->OnAdhocMode();
        system->m_nNetworkType = infra ? CPageSystemConfigDlg::kInfrastructure : CPageSystemConfigDlg::kAdhoc;
        // Into the page's controls too: the editor's OK reads the SSID back from its combo.
        system->LoadFromScanEntryEx();
    } else {
        DebugLog(1, "[QxUI] CKelvoPageProfileCtrlDlg::OnNext: the profile editor has no system-configuration page\n");
    }
    if (!main || !main->m_pPageTab) return;
    ShowWindow(SW_HIDE);
    main->m_pPageTab->PushPageHistory(this);
    WizardSelectStrip(*main, kStripBitmapWizard);
    main->m_pPageTab->ShowPage(infra ? static_cast<CDialog*>(main->m_pPageSecurityTypeDlg)
                                     : static_cast<CDialog*>(main->m_pPageWirelessSettingDlg));
    main->Invalidate(TRUE);
}

void CKelvoPageProfileCtrlDlg::OnExit()
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    ShowWindow(SW_HIDE);
    if (!main || !main->m_pPageTab) return;
    WizardSelectStrip(*main, kStripBitmapProfile);
    CDialog* first = main->m_pPageTab->ResetPageHistory();
    main->m_pPageTab->ShowPage(first ? first : main->m_pPageProfileDlg);
    main->Invalidate(TRUE);
}
