#include "station/CHiddenSsidDlg.h"
#include "base/LanguageTable.h"
#include "contract/StationRecords.h"
#include "core/ProductMessageBox.h"
#include "skin/KelvoPageUIDlg.h"

namespace {
constexpr LPARAM kConfirmed = 1, kCancelled = 0;
}

BEGIN_MESSAGE_MAP(CHiddenSsidDlg, CClassicDlg)
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_CLASSIC_OK, OnOK)
    ON_BN_CLICKED(IDC_CLASSIC_CANCEL, OnCancel)
END_MESSAGE_MAP()

void CHiddenSsidDlg::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CLASSIC_OK, m_btnOK);
    DDX_Control(pDX, IDC_CLASSIC_CANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_HIDDEN_SSID_EDIT, m_editSSID);
    DDX_Text(pDX, IDC_HIDDEN_SSID_EDIT, m_strSSID);
    DDV_MaxChars(pDX, m_strSSID, static_cast<int>(kSsidMaxLength));
}

BOOL CHiddenSsidDlg::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    SetDlgItemText(IDC_HIDDEN_SSID_PROMPT, G_LangTable.IDS_HIDDEN_TEXT);
    GetDlgItem(IDC_HIDDEN_SSID_PROMPT)->SetFont(&m_font);
    m_editSSID.SetFont(&m_font);
    m_editSSID.LimitText(static_cast<int>(kSsidMaxLength));
    SkinButton(m_btnOK, G_LangTable.IDS_OK);
    SkinButton(m_btnCancel, G_LangTable.IDS_CANCEL);
    return TRUE;
}

void CHiddenSsidDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    Default();
    if (!bShow)
        return;
    m_strSSID.Empty();
    UpdateData(FALSE);
    m_editSSID.SetFocus();
}

void CHiddenSsidDlg::OnOK()
{
    // A name longer than an SSID holds has been refused with a message: the road stops here.
    if (!UpdateData(TRUE)) return;
    if (m_strSSID.IsEmpty()) {
        ShowProductMessageBox(G_LangTable.IDS_HIDDEN_TEXT);
        return;
    }
    SendToFrontWindow(MSG_HIDDEN_SSID_DLG, 0, kConfirmed);
}

void CHiddenSsidDlg::OnCancel()
{
    SendToFrontWindow(MSG_HIDDEN_SSID_DLG, 0, kCancelled);
}
