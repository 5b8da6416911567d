#include "skin/KelvoPageWpsListViewDlg.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "contract/StationContract.h"
#include "core/QXWLLIB.h"
#include "core/QxUI2008App.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/KelvoPageWpsAuthenDlg.h"
#include "skin/KelvoPageWpsLinkStatusDlg.h"
#include "skin/MainWindowMessages.h"
#include "skin/WpsHelpers.h"
#include "ui/DialogTab.h"

#include <atomic>
#include <cstdio>

IMPLEMENT_DYNCREATE(CKelvoPageWpsListViewDlg, CDialog)

namespace {
constexpr double kDefaultShares[CKelvoPageWpsListViewDlg::kColumns] = {0.24, 0.33, 0.33};
constexpr COLORREF kImageMask = RGB(255, 255, 255);
std::atomic<HWND> g_scanNotifyWindow{nullptr};

void ShowPage(CDialog* page)
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (main && main->m_pPageTab && page) main->m_pPageTab->ShowPage(page);
}
}  // namespace

BEGIN_MESSAGE_MAP(CKelvoPageWpsListViewDlg, CSkinnedPage)
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_WPSLIST_SCAN, StartScan)
    ON_BN_CLICKED(IDC_WPSLIST_NEXT, OnNext)
    ON_BN_CLICKED(IDC_WPSLIST_EXIT, OnExitPage)
    ON_NOTIFY(LVN_GETDISPINFOA, IDC_WPSLIST_LIST, OnGetDispInfo)
    ON_NOTIFY(NM_CLICK, IDC_WPSLIST_LIST, OnClickList)
END_MESSAGE_MAP()

CKelvoPageWpsLinkStatusDlg* CKelvoPageWpsListViewDlg::LinkPage() const
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    return main ? main->m_pPageWpsLinkStatusDlg : nullptr;
}

void CKelvoPageWpsListViewDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WPSLIST_LIST, m_list);
}

BOOL CKelvoPageWpsListViewDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_look.Apply(*this, IDC_WPSLIST_TITLE, {});
    m_look.SkinButton(*this, IDC_WPSLIST_SCAN, CSkinnedPageLook::kScanButton);
    m_look.SkinButton(*this, IDC_WPSLIST_NEXT, CSkinnedPageLook::kNextButton);
    m_look.SkinButton(*this, IDC_WPSLIST_EXIT, CSkinnedPageLook::kExitButton);
    SetDlgItemText(IDC_WPSLIST_TITLE, G_LangTable.IDS_LAB_WPSLIST_TITLE);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_HEADERDRAGDROP);
    CBitmap strip;
    if (G_hKelvoImg && strip.Attach(::LoadBitmapA(G_hKelvoImg, MAKEINTRESOURCEA(kImagesBitmap)))) {
        BITMAP info{};
        strip.GetObject(sizeof info, &info);
        if (m_images.Create(kImageWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 0, 1)) m_images.Add(&strip, kImageMask);
    }
    if (m_images.GetSafeHandle()) m_list.SetImageList(&m_images, LVSIL_SMALL);
    else DebugLog(1, "[QxUI] CKelvoPageWpsListViewDlg: bitmap %u is missing\n", kImagesBitmap);

    double shares[kColumns] = {kDefaultShares[0], kDefaultShares[1], kDefaultShares[2]};
    TakeColumnShares("IDS_LIST_DEPART_WPSVIEW", G_LangTable.IDS_LIST_DEPART_WPSVIEW, shares, kColumns);
    CRect rc;
    m_list.GetClientRect(&rc);
    const CString headings[kColumns] = {"", G_LangTable.IDS_LAB_WPSLIST_SUBLISTITEM_01, G_LangTable.IDS_LAB_WPSLIST_SUBLISTITEM_02};
    for (int i = 0; i < kColumns; ++i)
        m_list.InsertColumn(i, headings[i], LVCFMT_LEFT, static_cast<int>(rc.Width() * shares[i]));
    return TRUE;
}

void CKelvoPageWpsListViewDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    Default();
    if (bShow && nStatus == 0) StartScan();
}

void WINAPI CKelvoPageWpsListViewDlg::OnScanDone()
{
    ::InterlockedExchange(&G_bWpsScanDone, 1);
    const HWND window = g_scanNotifyWindow.load();
    if (window && ::IsWindow(window)) ::PostMessageA(window, MSG_SITESURVEY_DONE, 0, 0);
}

void CKelvoPageWpsListViewDlg::StartScan()
{
    m_bScanDone = 0;
    if (m_list.m_hWnd) m_list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ShowRowCount();
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    g_scanNotifyWindow = main ? main->m_hWnd : nullptr;
    const LONG status = QXWLAPI.QXWL_SiteSurveyScan(&CKelvoPageWpsListViewDlg::OnScanDone);
    if (status != QXWL_ERROR_SUCCESS) DebugLog(1, "[QxUI] CKelvoPageWpsListViewDlg: QXWL_SiteSurveyScan answered %ld\n", status);
}

void CKelvoPageWpsListViewDlg::RefreshWpsList()
{
    DebugLog(3, "[QxUI] --> CKelvoPageWpsListViewDlg::RefreshWpsList\n");
    if (CKelvoPageWpsLinkStatusDlg* link = LinkPage()) {
        // The link page reads the table only once its window (and scan buffer) exists.
        if (CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive(); main && !link->m_hWnd) main->EnsurePage(link);
        link->ReadScanResults();
        ::InterlockedExchange(&G_bWpsScanDone, 0);
    }
    m_bScanDone = 1;
    ShowRowCount();
}

void CKelvoPageWpsListViewDlg::ShowRowCount()
{
    if (!m_list.m_hWnd) return;
    m_list.SetItemCountEx(GetRowCount(), LVSICF_NOSCROLL);
    m_list.Invalidate(FALSE);
}

int CKelvoPageWpsListViewDlg::GetRowCount() const
{
    if (!m_bScanDone) return 1;  // the searching row
    const CKelvoPageWpsLinkStatusDlg* link = LinkPage();
    return link ? static_cast<int>(link->aryWpsAp.size()) : 0;
}

CString CKelvoPageWpsListViewDlg::GetRowText(int row, int column) const
{
    if (!m_bScanDone) return row == 0 && column == 1 ? G_LangTable.IDS_VAL_SEARCHING : CString();
    const CKelvoPageWpsLinkStatusDlg* link = LinkPage();
    if (!link || row < 0 || row >= static_cast<int>(link->aryWpsAp.size())) return CString();
    if (column == 1) return link->aryWpsAp[row].strSsid;
    if (column == 2) return link->aryWpsAp[row].strBssid;
    return CString();
}

int CKelvoPageWpsListViewDlg::GetRowImage(int row) const
{
    const CKelvoPageWpsLinkStatusDlg* link = LinkPage();
    if (!m_bScanDone || !link || row < 0 || row >= static_cast<int>(link->aryWpsAp.size())) return -1;
    return link->aryWpsAp[row].bConfigured ? kImageConfigured : kImageUnconfigured;
}

void CKelvoPageWpsListViewDlg::SelectRow(int row)
{
    if (!m_list.m_hWnd) return;
    m_list.SetItemState(-1, 0, LVIS_SELECTED);
    if (row >= 0) m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CKelvoPageWpsListViewDlg::OnGetDispInfo(NMHDR* pNMHDR, LRESULT*)
{
    auto* info = reinterpret_cast<NMLVDISPINFOA*>(pNMHDR);
    LVITEMA& item = info->item;
    if (item.mask & LVIF_TEXT) {
        m_cellText = GetRowText(item.iItem, item.iSubItem);
        lstrcpynA(item.pszText, m_cellText, item.cchTextMax);
    }
    if ((item.mask & LVIF_IMAGE) && item.iSubItem == 0) item.iImage = GetRowImage(item.iItem);
}

void CKelvoPageWpsListViewDlg::OnClickList(NMHDR* pNMHDR, LRESULT*)
{
    const auto* activate = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR);
    if (activate->iItem >= 0) m_list.SendMessage(LVM_SETHOTITEM, static_cast<WPARAM>(activate->iItem), 0);
}

void CKelvoPageWpsListViewDlg::OnNext()
{
    if (!m_bScanDone) return;
    const int row = m_list.m_hWnd ? m_list.GetNextItem(-1, LVNI_SELECTED) : -1;
    CKelvoPageWpsLinkStatusDlg* link = LinkPage();
    if (row < 0 || !link || row >= static_cast<int>(link->aryWpsAp.size())) {
        ShowProductMessageBox(G_LangTable.IDS_NOSELECTEDITEM);
        return;
    }
    const WPS_AP_ENTRY& ap = link->aryWpsAp[row];
    m_strSsid = ap.strSsid;
    m_strBssid = ap.strBssid;
    link->nApIndex = row;
    link->bAutoSelect = 0;
    if (G_nWpsConfigMode == 1) {
        MakeDefaultRegistrarCredential(link->wpsProfile);
        link->WriteProfileToLibrary();
    }
    link->nMethod = 1;
    if (G_nWpsConfigMode == 1 && !ap.bConfigured) {
        if (ShowProductMessageBoxEx(G_LangTable.IDS_MSG_WPS_PROFILE_CONFIGED, 1) != IDOK) return;
        CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
        ShowPage(main ? main->m_pPageWpsAuthenDlg : nullptr);
        return;
    }
    ShowPage(link);
}

void CKelvoPageWpsListViewDlg::OnExitPage()
{
    if (CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive()) main->ShowAdapterTab();
}
