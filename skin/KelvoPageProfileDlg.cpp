#include "skin/KelvoPageProfileDlg.h"

void CKelvoPageProfileDlg::SyncActiveProfile(int)
{
    // The list itself comes with the page's template; until then there is nothing to bring in line.
}
