#include "skin/SkinnedPage.h"

BEGIN_MESSAGE_MAP(CSkinnedPage, CDialog)
    ON_WM_CTLCOLOR()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

HBRUSH CSkinnedPage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    return m_look.CtlColor(pDC, pWnd, nCtlColor, CDialog::OnCtlColor(pDC, pWnd, nCtlColor));
}

BOOL CSkinnedPage::OnEraseBkgnd(CDC* pDC)
{
    const BOOL erased = static_cast<BOOL>(Default());
    m_look.EraseTitleBand(*this, pDC);
    return erased;
}
