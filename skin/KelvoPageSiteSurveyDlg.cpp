#include "skin/KelvoPageSiteSurveyDlg.h"

void CKelvoPageSiteSurveyDlg::RefreshSurveyList()
{
    // The list itself comes with the page's template; until then there is nothing to refresh.
}
