// A page of the main window in the shared skinned look: its statics take the look's colours and
// its titles' band is painted after each erase. The page sets the look up in OnInitDialog.
#pragma once
#include "framework/Afx.h"
#include "skin/SkinnedPageLook.h"

class CSkinnedPage : public CDialog {
public:
    explicit CSkinnedPage(UINT nIDTemplate) : CDialog(nIDTemplate) {}

protected:
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    CSkinnedPageLook m_look;
};
