#include "skin/KelvoPageAboutDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageAboutDlg, CDialog)

BEGIN_MESSAGE_MAP(CKelvoPageAboutDlg, CDialog)
    ON_BN_CLICKED(IDC_ABOUT_CLOSE, OnClose)
END_MESSAGE_MAP()
