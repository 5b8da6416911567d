#include "station/CAuthenStatusDlg.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"
#include "skin/KelvoPageUIDlg.h"

namespace {
constexpr DWORD kFullRowSelect = 0x20;
constexpr DWORD kHeaderDragDrop = 0x10;
constexpr double kTimeColumnShare = 0.3;
constexpr double kTextColumnShare = 0.7;
constexpr ULONG kDriverDescBytes = 256;
constexpr LONG kDriverDescRead = 1;
constexpr char kResetText[] = "OK";
constexpr char kEmptyText[] = "NULL STRING";
constexpr WPARAM kStatusOk = 0, kStatusCancel = 2, kStatusReset = 3;
constexpr UCHAR kDummySsidByte = 0x10;  // the dummy SSID that parks the adapter
}

BEGIN_MESSAGE_MAP(CAuthenStatusDlg, CClassicDlg)
    ON_MESSAGE(MSG_AUTH_STATUS_TEXT, OnStatusText)
    ON_MESSAGE(MSG_QUICKLIST_GET_ITEM_DATA, OnGetItemData)
    ON_WM_SHOWWINDOW()
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_CLASSIC_OK, OnBtnOK)
    ON_BN_CLICKED(IDC_CLASSIC_CANCEL, OnBtnCancel)
END_MESSAGE_MAP()

void CAuthenStatusDlg::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CLASSIC_OK, m_btnOK);
    DDX_Control(pDX, IDC_CLASSIC_CANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_AUTH_STATUS_LIST, m_list);
    DDX_Control(pDX, IDC_AUTH_SEPARATOR, m_separator);
    DDX_Text(pDX, IDC_AUTH_CARD_NAME, m_strCardName);
    DDX_Text(pDX, IDC_AUTH_PROFILE_NAME, m_strProfileName);
}

BOOL CAuthenStatusDlg::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    SetWindowText(G_LangTable.IDS_AUTHEN_STATUS);
    m_list.SetExtendedStyle(kFullRowSelect);
    m_list.SetExtendedStyle(kFullRowSelect | kHeaderDragDrop);
    CRect rc;
    m_list.GetWindowRect(&rc);
    m_list.InsertColumn(0, "Time", LVCFMT_LEFT, static_cast<int>(rc.Width() * kTimeColumnShare));
    m_list.InsertColumn(1, "Description", LVCFMT_LEFT, static_cast<int>(rc.Width() * kTextColumnShare));
    SkinButton(m_btnCancel, G_LangTable.IDS_CANCEL);
    SkinButton(m_btnOK, G_LangTable.IDS_OK);
    CentreButtonsUnderList();
    ResetWindow();
    return TRUE;
}

void CAuthenStatusDlg::CentreButtonsUnderList()
{
    CRect list, ok, cancel;
    m_list.GetWindowRect(&list);
    m_btnOK.GetWindowRect(&ok);
    m_btnCancel.GetWindowRect(&cancel);
    ScreenToClient(&list);
    ScreenToClient(&ok);
    ScreenToClient(&cancel);
    const int gap = cancel.left - ok.right;
    const int left = list.left + (list.Width() - (ok.Width() + gap + cancel.Width())) / 2;
    m_btnOK.SetWindowPos(HWND{}, left, ok.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_btnCancel.SetWindowPos(HWND{}, left + ok.Width() + gap, cancel.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CAuthenStatusDlg::ReadHeaderTexts()
{
    // The window is set up with the main window, which may exist before the library is bound.
    if (!QXWLAPI.IsLoaded())
        return;
    char desc[kDriverDescBytes] = {};
    if (QXWLAPI.QXWL_ReadDriverDesc(desc, sizeof desc) != kDriverDescRead)
        return;
    desc[sizeof desc - 1] = '\0';
    m_strCardName.Format("%s %s", G_LangTable.IDS_STATIC_CARDNAME.GetString(), desc);
    char profile[kProfileNameBytes] = {};
    QXWLAPI.QXWL_ReadActiveProfileName(profile);
    profile[sizeof profile - 1] = '\0';
    m_strProfileName.Format("%s %s", G_LangTable.IDS_STATIC_PROFILENAME.GetString(), profile);
}

void CAuthenStatusDlg::ResetWindow()
{
    m_entries.clear();
    m_list.SetItemCount(0);
    m_strProfileName.Empty();
    ReadHeaderTexts();
    UpdateData(FALSE);
}

void CAuthenStatusDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    Default();
    if (bShow)
        SetTimer(kRefreshTimer, kRefreshMs, nullptr);
    else
        KillTimer(kRefreshTimer);
}

void CAuthenStatusDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kRefreshTimer)
        return;
    KillTimer(kRefreshTimer);
    m_strProfileName = G_LangTable.IDS_CONNECTED_FROM;
    ReadHeaderTexts();
    UpdateData(FALSE);
    SetTimer(kRefreshTimer, kRefreshMs, nullptr);
}

void CAuthenStatusDlg::AddEntry(const CString& text)
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    Entry entry;
    entry.strTime.Format("%02d:%02d:%02d.%03d ", now.wHour, now.wMinute, now.wSecond, now.wMilliseconds);
    entry.strText = text.IsEmpty() ? CString(kEmptyText) : text;
    m_entries.push_back(entry);
    m_list.SetItemCountEx(static_cast<int>(m_entries.size()), 0);
    m_list.EnsureVisible(static_cast<int>(m_entries.size()) - 1, FALSE);
    m_list.Invalidate();
}

LRESULT CAuthenStatusDlg::OnStatusText(WPARAM, LPARAM lParam)
{
    // The record is ours from here on, whatever happens to it.
    const auto* record = reinterpret_cast<AUTH_STATUS_TEXT*>(lParam);
    if (!record)
        return 0;
    const CString text = record->strText;
    delete record;
    if (text == kResetText) {
        ResetWindow();
        if (CWnd* owner = GetFrontWindow())
            owner->SendMessage(MSG_AUTHEN_STATUS_DLG, kStatusReset, 0);
        return 0;
    }
    AddEntry(text);
    return 0;
}

LRESULT CAuthenStatusDlg::OnGetItemData(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<CQuickList::CListItemData*>(lParam);
    if (!cell || cell->GetItem() < 0 || cell->GetItem() >= static_cast<int>(m_entries.size()))
        return 0;
    const Entry& entry = m_entries[cell->GetItem()];
    if (cell->GetSubItem() == 0)
        cell->m_strText.Format("%s", entry.strTime.GetString());
    else if (cell->GetSubItem() == 1)
        cell->m_strText.Format("%s", entry.strText.GetString());
    return 0;
}

void CAuthenStatusDlg::OnBtnOK()
{
    SendToFrontWindow(MSG_AUTHEN_STATUS_DLG, kStatusOk, 0);
    ResetWindow();
}

void CAuthenStatusDlg::OnBtnCancel()
{
    SendToFrontWindow(MSG_AUTHEN_STATUS_DLG, kStatusCancel, 0);
    QXWLAPI.QXWL_StopAuth();
    QXWLAPI.QXWL_Disassociate();
    NDIS_802_11_SSID dummy = {};
    dummy.SsidLength = sizeof dummy.Ssid;
    memset(dummy.Ssid, kDummySsidByte, sizeof dummy.Ssid);
    QXWLAPI.QXWL_SetSSID(dummy);
    ResetWindow();
}
