#include "station/Dot1XChildPage.h"

BEGIN_MESSAGE_MAP(CDot1XChildPage, CClassicDlg)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CDot1XChildPage::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    ::DrawEdge(dc.GetSafeHdc(), &rc, EDGE_ETCHED, BF_RECT);
}
