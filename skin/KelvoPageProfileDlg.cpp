#include "skin/KelvoPageProfileDlg.h"
#include "base/DebugLog.h"

IMPLEMENT_DYNCREATE(CKelvoPageProfileDlg, CDialog)

void CKelvoPageProfileDlg::SyncActiveProfile(int)
{
    // The list itself comes with the page's own work; until then there is nothing to bring in line.
}

void CKelvoPageProfileDlg::ReloadProfileList()
{
    DebugLog(3, "[QxUI] CKelvoPageProfileDlg::ReloadProfileList is not built yet\n");
}

CString CKelvoPageProfileDlg::NextProfileName() const
{
    return CString();
}

CString CKelvoPageProfileDlg::NextProfileIdText() const
{
    return CString();
}

CString CKelvoPageProfileDlg::GetListText(int, int) const
{
    return CString();
}
