#include "core/SelCardDlg.h"
#include "contract/StationContract.h"

BEGIN_MESSAGE_MAP(CSelCardDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_SELCARD_COMBO, OnSelChangeAdapter)
END_MESSAGE_MAP()

void CSelCardDlg::SetAdapterList(const ADAPTER_ENTRY* entries, int count)
{
    m_pEntries = entries;
    m_nCount = entries && count > 0 ? count : 0;
}

void CSelCardDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SELCARD_COMBO, m_cbAdapter);
    DDX_Text(pDX, IDC_SELCARD_NAME, m_strName);
    DDX_Text(pDX, IDC_SELCARD_DEVICE_ID, m_strDeviceId);
    DDX_Text(pDX, IDC_SELCARD_TEXT3, m_strText3);
    DDX_Text(pDX, IDC_SELCARD_TEXT4, m_strText4);
}

BOOL CSelCardDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_cbAdapter.SetColumnCount(1);
    m_cbAdapter.SetColumnWidth(0, kColumnWidth);
    if (m_nCount == 0) return FALSE;
    for (int i = 0; i < m_nCount; ++i)
        m_cbAdapter.AddString(LibraryText(m_pEntries[i].chName, sizeof m_pEntries[i].chName, "QXWL_GetAvailableAdapters").c_str());
    ShowEntryTexts(0);
    m_cbAdapter.SetCurSel(0);
    UpdateData(FALSE);
    return TRUE;
}

void CSelCardDlg::ShowEntryTexts(int index)
{
    if (index < 0 || index >= m_nCount) return;
    const ADAPTER_ENTRY& entry = m_pEntries[index];
    // The texts are the library's: never read past their fields.
    m_strName = LibraryText(entry.chName, sizeof entry.chName, "QXWL_GetAvailableAdapters").c_str();
    m_strDeviceId = LibraryText(entry.chDeviceID, sizeof entry.chDeviceID, "QXWL_GetAvailableAdapters").c_str();
    m_strText3 = LibraryText(entry.chText776, sizeof entry.chText776, "QXWL_GetAvailableAdapters").c_str();
    m_strText4 = LibraryText(entry.chText1032, sizeof entry.chText1032, "QXWL_GetAvailableAdapters").c_str();
}

void CSelCardDlg::OnSelChangeAdapter()
{
    ShowEntryTexts(m_cbAdapter.GetCurSel());
    UpdateData(FALSE);
}

void CSelCardDlg::OnOK()
{
    int current = m_cbAdapter.GetCurSel();
    m_nSelectedIndex = (current >= 0 && current < m_nCount) ? current : 0;
    CDialog::OnOK();
}
