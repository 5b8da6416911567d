#include "station/CPageWAPIDlg.h"
#include "base/LanguageTable.h"
#include "ui/TabDialog.h"

CPageWAPIDlg::~CPageWAPIDlg()
{
    for (CDialog*& page : m_pSubPages) {
        delete page;
        page = nullptr;
    }
    delete m_pTabHost;
    m_pTabHost = nullptr;
}

CDialog* CPageWAPIDlg::GetSubPage(int slot) const
{
    return slot >= 0 && slot < kSubPageSlots ? m_pSubPages[slot] : nullptr;
}

BOOL CPageWAPIDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    G_LangTable.CreatePageFont(m_font, kFontHeight);
    m_pTabHost = new CTabDialog(IDD_AP_TAB, this);
    if (!m_pTabHost->Create(IDD_AP_TAB, this)) return FALSE;
    CRect tabs, area;
    GetDlgItem(IDC_WAPI_TAB_AREA)->GetWindowRect(&tabs);
    ScreenToClient(&tabs);
    GetDlgItem(IDC_AP_PAGE_AREA)->GetWindowRect(&area);
    ScreenToClient(&area);
    m_pTabHost->SetWindowPos(static_cast<const CWnd*>(nullptr), tabs.left, tabs.top, area.right - tabs.left,
                             area.bottom - tabs.top, SWP_NOZORDER | SWP_SHOWWINDOW);
    CRect inHost = area;
    inHost.OffsetRect(-tabs.left, -tabs.top);
    m_pTabHost->PlacePages(inHost.left, inHost.top, inHost.right, inHost.bottom, 0, 0, 0);
    return TRUE;
}
