#include "station/CPageEAPFastDlg.h"
#include "base/StationLibraryView.h"
#include "station/EntryLimits.h"
#include "station/CPage8021XDlg.h"
#include "station/CPageClientCertificationDlg.h"
#include "station/CPageNamePasswordDlg.h"
#include "station/TextWithNumber.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "core/QXWLLIB.h"

#include <utility>

namespace {
constexpr int kImageSize = 16;
constexpr COLORREF kImageBackground = RGB(255, 0, 255);
constexpr DWORD kListStyles = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
constexpr int kSelectedColumnWidth = 60;
constexpr char kPacPattern[] = "*.pac";
enum { kTunnelMschapV2 = 0, kTunnelTls = 1, kTunnelGtc = 2 };

CString ProvisioningCaption(int index)
{
    switch (index) {
    case kTunnelTls: return G_LangTable.IDS_8021X_PEAP_TUNNEL_TLS_SMART_CARD;
    case kTunnelGtc: return G_LangTable.IDS_8021X_PEAP_TUNNEL_TLS_GTC;
    default: return G_LangTable.IDS_8021X_PEAP_TUNNEL_MSCHAP2;
    }
}
// The current directory with its closing backslash; empty when it cannot be read.
CString CurrentFolder()
{
    char folder[MAX_PATH] = {};
    const DWORD length = ::GetCurrentDirectoryA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder) return CString();
    CString text(folder);
    if (text.Right(1) != "\\") text += "\\";
    return text;
}
}  // namespace

BOOL(WINAPI* CPageEAPFastDlg::s_pfnGetOpenFileName)(LPOPENFILENAMEA) = ::GetOpenFileNameA;

BEGIN_MESSAGE_MAP(CPageEAPFastDlg, CDot1XChildPage)
    ON_WM_DESTROY()
    ON_MESSAGE(MSG_QUICKLIST_GET_ITEM_DATA, OnGetItemData)
    ON_NOTIFY(NM_DBLCLK, IDC_EAPFAST_LIST, OnListDoubleClick)
    ON_BN_CLICKED(IDC_EAPFAST_ALLOW, OnAllowProvision)
    ON_BN_CLICKED(IDC_EAPFAST_USEPAC, OnUsePac)
    ON_BN_CLICKED(IDC_EAPFAST_IMPORT, OnImportPACFile)
    ON_BN_CLICKED(IDC_EAPFAST_REMOVE, OnRemovePACFile)
    ON_BN_CLICKED(IDC_EAPFAST_TUNNEL, OnTunnelClicked)
    ON_COMMAND(ID_TUNNEL_MSCHAPV2, OnProvisionMschapV2)
    ON_COMMAND(ID_TUNNEL_TLS, OnProvisionTls)
    ON_COMMAND(ID_TUNNEL_GTC, OnProvisionGtc)
END_MESSAGE_MAP()

void CPageEAPFastDlg::DoDataExchange(CDataExchange* pDX)
{
    CDot1XChildPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EAPFAST_TUNNEL, m_btnTunnel);
    DDX_Control(pDX, IDC_EAPFAST_ALLOW, m_btnAllow);
    DDX_Control(pDX, IDC_EAPFAST_USEPAC, m_btnUsePac);
    DDX_Control(pDX, IDC_EAPFAST_IMPORT, m_btnImport);
    DDX_Control(pDX, IDC_EAPFAST_REMOVE, m_btnRemove);
    DDX_Control(pDX, IDC_EAPFAST_LIST, m_list);
    DDX_Check(pDX, IDC_EAPFAST_USEPAC, bUsePac);
    DDX_Check(pDX, IDC_EAPFAST_ALLOW, bAllowProvision);
    DDX_Text(pDX, IDC_EAPFAST_PATH, strPacFilePath);
}

BOOL CPageEAPFastDlg::OnInitDialog()
{
    CDot1XChildPage::OnInitDialog();
    const struct {
        int id;
        CString CLanguageTable::*text;
    } texts[] = {
        {IDC_EAPFAST_ALLOW_LABEL, &CLanguageTable::IDS_PROVISION_MODE},
        {IDC_EAPFAST_TUNNEL_LABEL, &CLanguageTable::IDS_PROVISIONING_TUNNEL},
        {IDC_EAPFAST_USEPAC_LABEL, &CLanguageTable::IDS_PAC},
        {IDC_EAPFAST_LIST_LABEL, &CLanguageTable::IDS_PAC_LIST},
        {IDC_EAPFAST_PATH_LABEL, &CLanguageTable::IDS_PAC_FILE_PATH},
    };
    for (const auto& t : texts) {
        SetDlgItemText(t.id, G_LangTable.*t.text);
        GetDlgItem(t.id)->SetFont(&m_font);
    }
    SkinButton(m_btnImport, G_LangTable.IDS_IMPORT_FILE);
    SkinButton(m_btnRemove, G_LangTable.IDS_REMOVE_FILE);
    StyleCheckButton(m_btnAllow, false);
    StyleCheckButton(m_btnUsePac, false);
    m_btnTunnel.SetFont(&m_font);
    m_btnTunnel.StyleAsMenuButton();
    GetDlgItem(IDC_EAPFAST_LIST_NOTE)->SetFont(&m_font);
    ShowItem(IDC_EAPFAST_LIST_NOTE, false);
    const bool eapHost = QXWLAPI.WinOS() >= kVistaOsCode;
    DmMenuTexts menuTexts;
    menuTexts.SetAt(ID_TUNNEL_MSCHAPV2, ProvisioningCaption(kTunnelMschapV2));
    menuTexts.SetAt(ID_TUNNEL_TLS, ProvisioningCaption(kTunnelTls));
    if (!eapHost) menuTexts.SetAt(ID_TUNNEL_GTC, ProvisioningCaption(kTunnelGtc));
    m_btnTunnel.SetMenu(eapHost ? IDR_MENU_PROVISION_VISTA : IDR_MENU_PEAP_TUNNEL, m_hWnd, TRUE, 0, std::move(menuTexts),
                        kImageSize, kImageSize, kImageBackground);
    m_btnTunnel.SetWindowText(ProvisioningCaption(nProvisioningTunnel));
    ShowItem(IDC_EAPFAST_PATH_LABEL, false);
    ShowItem(IDC_EAPFAST_PATH, false);
    m_list.SetExtendedStyle(kListStyles);
    m_list.SetBkColor(RGB(255, 255, 255));
    CRect rc;
    m_list.GetClientRect(&rc);
    m_list.InsertColumn(0, "Selected", LVCFMT_LEFT, kSelectedColumnWidth);
    // The name takes the rest, less the room of a scroll bar, so that no sideways bar is needed.
    m_list.InsertColumn(1, "File Name", LVCFMT_LEFT, rc.Width() - kSelectedColumnWidth - ::GetSystemMetrics(SM_CXVSCROLL));
    const bool enhanced = QXWLAPI.EAPFastEnhancement == 1;
    for (int id : {IDC_EAPFAST_ALLOW, IDC_EAPFAST_ALLOW_LABEL, IDC_EAPFAST_TUNNEL_LABEL, IDC_EAPFAST_TUNNEL})
        EnableItem(id, enhanced);
    ShowItem(IDC_EAPFAST_TUNNEL_LABEL, enhanced);
    ShowItem(IDC_EAPFAST_TUNNEL, enhanced);
    bAllowProvision = 1;
    bUsePac = 1;
    UpdateData(FALSE);
    return TRUE;
}

void CPageEAPFastDlg::OnDestroy()
{
    m_btnTunnel.DestroyWindow();
    Default();
}

CString CPageEAPFastDlg::GetProvisioningCaption() const
{
    return m_btnTunnel.m_hWnd ? m_btnTunnel.GetWindowText() : ProvisioningCaption(nProvisioningTunnel);
}

void CPageEAPFastDlg::TunnelFromCaption()
{
    nProvisioningTunnel = ProvisioningIndexFromCaption(GetProvisioningCaption());
}

// ---------------------------------------------------------------------------------------------
// Provisioning tunnel.

void CPageEAPFastDlg::OnProvisionMschapV2() { SetProvisioning(kTunnelMschapV2); }
void CPageEAPFastDlg::OnProvisionTls() { SetProvisioning(kTunnelTls); }
void CPageEAPFastDlg::OnProvisionGtc() { SetProvisioning(kTunnelGtc); }

void CPageEAPFastDlg::ApplyMode()
{
    SetProvisioning(nProvisioningTunnel == kTunnelTls || nProvisioningTunnel == kTunnelGtc ? nProvisioningTunnel
                                                                                            : kTunnelMschapV2);
}

void CPageEAPFastDlg::SetProvisioning(int index)
{
    nProvisioningTunnel = index;
    m_btnTunnel.SetWindowText(ProvisioningCaption(index));
    if (!m_pOwner || !m_pOwner->m_pPageNamePassword) return;
    CPageNamePasswordDlg& id = *m_pOwner->m_pPageNamePassword;
    const int inner = m_pOwner->nPeapTunnel;
    const bool innerGtc = inner == kTunnelGtc;
    auto modeControls = [&](bool show) {
        for (int item : {IDC_NAMEPW_MODE_LABEL, IDC_NAMEPW_MODE_TOKEN, IDC_NAMEPW_MODE_STATIC}) id.ShowItem(item, show);
    };
    if (QXWLAPI.WinOS() >= kVistaOsCode) {
        id.ApplyEapHostRules();
    } else if (index == kTunnelMschapV2) {
        modeControls(innerGtc);
    } else if (index == kTunnelTls) {
        id.EnableItem(IDC_NAMEPW_PASSWORD_LABEL, inner != kTunnelTls);
        id.EnableItem(IDC_NAMEPW_PASSWORD, inner != kTunnelTls);
        modeControls(innerGtc);
    } else {
        id.EnableItem(IDC_NAMEPW_PASSWORD_LABEL, true);
        id.EnableItem(IDC_NAMEPW_PASSWORD, true);
        modeControls(true);
    }
    if (index == kTunnelTls && m_pOwner->m_pPageClientCert) {
        CPageClientCertificationDlg& client = *m_pOwner->m_pPageClientCert;
        client.bUseClientCert = 1;
        client.SetItemCheck(IDC_CLICERT_USE, true);
        client.EnableItem(IDC_CLICERT_USE, false);
        client.FillCertificateList();
        client.EnableControls(TRUE);
    }
    const bool enhanced = QXWLAPI.EAPFastEnhancement == 1;
    if (enhanced) m_pOwner->LayoutEapFastTabs(m_pOwner->nEapMethod);
    if (m_pOwner->nEapMethod != EAPMETHOD_FAST) {
        // The re-lay showed the EAP-FAST and certificate tabs; another method shows its own.
        if (enhanced) m_pOwner->ArrangeTabs(m_pOwner->nEapMethod);
        return;
    }
    const bool certs = enhanced && (index == kTunnelTls || inner == kTunnelTls);
    m_pOwner->ShowTab(CPage8021XDlg::kTabClientCert, certs);
    m_pOwner->ShowTab(CPage8021XDlg::kTabServerCert, certs);
    if (enhanced && !certs && m_pOwner->m_pPageClientCert) {
        m_pOwner->m_pPageClientCert->bUseClientCert = 0;
        m_pOwner->m_pPageClientCert->FillControls();
    }
}

void CPageEAPFastDlg::OnTunnelClicked()
{
    UpdateData(TRUE);
}

void CPageEAPFastDlg::OnAllowProvision()
{
    UpdateData(TRUE);
    TunnelFromCaption();
    UpdateData(FALSE);
}

void CPageEAPFastDlg::OnUsePac()
{
    UpdateData(TRUE);
    for (int id : {IDC_EAPFAST_IMPORT, IDC_EAPFAST_PATH_LABEL, IDC_EAPFAST_PATH, IDC_EAPFAST_REMOVE})
        EnableItem(id, bUsePac != 0);
    TunnelFromCaption();
    UpdateData(FALSE);
}

// ---------------------------------------------------------------------------------------------
// The PAC list.

CString CPageEAPFastDlg::PacFolder() const
{
    return m_strPacFolder.IsEmpty() ? CurrentFolder() : m_strPacFolder;
}

void CPageEAPFastDlg::ScanPacFolder()
{
    m_pacList.clear();
    m_strPacFolder = CurrentFolder();
    m_bFolderOverLimit = false;
    WIN32_FIND_DATAA found = {};
    HANDLE search = ::FindFirstFileA(kPacPattern, &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            if (static_cast<int>(m_pacList.size()) >= kMaxEntries) {
                m_bFolderOverLimit = true;
                break;
            }
            PacEntry entry;
            entry.strFileName = found.cFileName;
            entry.strFilePath = m_strPacFolder + found.cFileName;
            if (entry.strFilePath.GetLength() > kPacTextMaxChars) {
                DebugLog(1, "[QxUI] CPageEAPFastDlg: %s is too long a path for a profile; not listed\n",
                         entry.strFilePath.GetString());
                continue;
            }
            m_pacList.push_back(entry);
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    if (m_bFolderOverLimit)
        DebugLog(1, "[QxUI] CPageEAPFastDlg: the PAC folder holds more than %d PAC files; the first %d are listed\n",
                 kMaxEntries, kMaxEntries);
    ShowOverLimitNote();
    UpdatePacListCount();
}

void CPageEAPFastDlg::TakePacList(std::vector<PacEntry> entries)
{
    m_pacList = std::move(entries);
    m_bFolderOverLimit = false;
    ShowOverLimitNote();
    UpdatePacListCount();
}

void CPageEAPFastDlg::ShowOverLimitNote()
{
    if (!m_hWnd) return;
    SetDlgItemText(IDC_EAPFAST_LIST_NOTE, TextWithNumber(G_LangTable.IDS_PAC_FOLDER_OVER_LIMIT, kMaxEntries));
    ShowItem(IDC_EAPFAST_LIST_NOTE, m_bFolderOverLimit);
}

void CPageEAPFastDlg::UpdatePacListCount()
{
    if (!m_list.m_hWnd) return;
    m_list.SetItemCountEx(static_cast<int>(m_pacList.size()), LVSICF_NOSCROLL);
    m_list.Invalidate();
}

void CPageEAPFastDlg::OnImportPACFile()
{
    DebugLog(3, "[QxUI] --> CPageEAPFastDlg::OnImportPACFile\n");
    if (static_cast<int>(m_pacList.size()) >= kMaxEntries) {
        ShowProductMessageBox(TextWithNumber(G_LangTable.IDS_PAC_LIST_MAX_ITEM, kMaxEntries));
        DebugLog(3, "[QxUI] <-- CPageEAPFastDlg::OnImportPACFile\n");
        return;
    }
    DebugLog(3, "[QxUI] call GetOpenFileName()\n");
    char path[MAX_PATH] = {};
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = m_hWnd;
    ofn.lpstrFilter = "PAC (*.pac)\0*.pac\0";
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.lpstrDefExt = "pac";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    // The file dialog is a modal loop like any other: a teardown ends it with its Cancel.
    const auto chosen = [&] {
        if (CModalLoopRegistry::TeardownWaits()) return FALSE;
        const CModalLoopRegistry::SystemDialog dialog([](HWND d) { ::PostMessageA(d, WM_COMMAND, IDCANCEL, 0); });
        return s_pfnGetOpenFileName(&ofn);
    };
    if (!chosen()) {
        DebugLog(3, "[QxUI] GetOpenFileName() return FALSE, GetLastError() return %d\n", static_cast<int>(::GetLastError()));
        DebugLog(3, "[QxUI] <-- CPageEAPFastDlg::OnImportPACFile\n");
        return;
    }
    path[sizeof path - 1] = '\0';
    const CString fullPath = path;
    if (!EntriesFit({{fullPath, kPacTextMaxChars, G_LangTable.IDS_PAC_FILE_PATH}})) {
        DebugLog(3, "[QxUI] <-- CPageEAPFastDlg::OnImportPACFile\n");
        return;
    }
    const int slash = fullPath.ReverseFind('\\');
    bool listed = false;
    for (const PacEntry& entry : m_pacList)
        if (entry.strFilePath.CompareNoCase(fullPath) == 0) listed = true;
    if (!listed) {
        PacEntry entry;
        entry.strFileName = slash >= 0 ? fullPath.Mid(slash + 1) : fullPath;
        entry.strFilePath = fullPath;
        m_pacList.push_back(entry);
    }
    UpdateData(FALSE);
    UpdatePacListCount();
    DebugLog(3, "[QxUI] <-- CPageEAPFastDlg::OnImportPACFile\n");
}

void CPageEAPFastDlg::OnRemovePACFile()
{
    const int row = m_list.GetNextItem(-1, LVNI_FOCUSED);
    if (row < 0 || row >= static_cast<int>(m_pacList.size())) {
        ShowProductMessageBox(G_LangTable.IDS_NOSELECTEDITEM);
        return;
    }
    const CString path = m_pacList[static_cast<size_t>(row)].strFilePath;
    if (InPacFolder(path)) {
        // The file leaves the disk, not only the list: the user confirms first.
        if (ShowProductMessageBoxEx(G_LangTable.IDS_PAC_REMOVE_CONFIRM, 1) != IDOK) return;
        if (!::DeleteFileA(path) && ::GetLastError() != ERROR_FILE_NOT_FOUND) {
            DebugLog(1, "[QxUI] CPageEAPFastDlg: DeleteFile(%s) failed, GetLastError() return %d\n", path.GetString(),
                     static_cast<int>(::GetLastError()));
            ShowProductMessageBox(G_LangTable.IDS_PAC_REMOVE_FAILED);
            return;
        }
    } else {
        DebugLog(3, "[QxUI] CPageEAPFastDlg: %s lies outside the PAC folder; it only leaves the list\n", path.GetString());
    }
    m_pacList.erase(m_pacList.begin() + row);
    UpdatePacListCount();
    UpdateData(FALSE);
}

bool CPageEAPFastDlg::InPacFolder(const CString& path) const
{
    // Compared as full paths, so that ".." steps lead nowhere else.
    char full[MAX_PATH] = {};
    char* name = nullptr;
    const DWORD length = ::GetFullPathNameA(path, sizeof full, full, &name);
    if (length == 0 || length >= sizeof full || !name) return false;
    const CString folder = PacFolder();
    const CString fileFolder(full, static_cast<int>(name - full));
    return !folder.IsEmpty() && fileFolder.CompareNoCase(folder) == 0;
}

void CPageEAPFastDlg::ToggleFocusedRow()
{
    const int row = m_list.GetNextItem(-1, LVNI_FOCUSED);
    if (row < 0 || row >= static_cast<int>(m_pacList.size())) return;
    int& selected = m_pacList[static_cast<size_t>(row)].bSelected;
    selected = selected == 1 ? 0 : 1;
    m_list.RedrawItems(row, row);
}

void CPageEAPFastDlg::OnListDoubleClick(NMHDR*, LRESULT* pResult)
{
    ToggleFocusedRow();
    *pResult = 1;
}

LRESULT CPageEAPFastDlg::OnGetItemData(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<CQuickList::CListItemData*>(lParam);
    if (!cell || cell->GetItem() < 0 || cell->GetItem() >= static_cast<int>(m_pacList.size())) return 0;
    const PacEntry& entry = m_pacList[static_cast<size_t>(cell->GetItem())];
    if (cell->GetSubItem() == 0) {
        cell->m_bCheckBox = true;
        cell->m_nCheckState = entry.bSelected == 1 ? DFCS_CHECKED : 0;
        cell->m_strText.Empty();
    } else if (cell->GetSubItem() == 1) {
        cell->m_strText = entry.strFileName;
    }
    return 0;
}
