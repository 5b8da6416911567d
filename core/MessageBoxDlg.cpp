#include "core/MessageBoxDlg.h"
#include "base/LanguageTable.h"

void CMessageBoxDlg::DoDataExchange(CDataExchange* pDX)
{
    CResizeDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_MESSAGE_TEXT, m_strMessage);
}

BOOL CMessageBoxDlg::OnInitDialog()
{
    CResizeDlg::OnInitDialog();
    SetDlgItemText(IDOK, G_LangTable.IDS_OK);
    return TRUE;
}
