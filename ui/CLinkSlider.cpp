#include "ui/CLinkSlider.h"
#include "ui/CSmartEdit.h"

IMPLEMENT_DYNAMIC(CLinkSlider, CSliderCtrl)

BEGIN_MESSAGE_MAP(CLinkSlider, CSliderCtrl)
    ON_WM_HSCROLL_REFLECT()
END_MESSAGE_MAP()

void CLinkSlider::HScroll(UINT nSBCode, UINT nPos)
{
    if (!m_pEdit) return;
    int pos;
    switch (nSBCode) {
    case SB_LINEUP:
    case SB_LINEDOWN:
    case SB_PAGEUP:
    case SB_PAGEDOWN:
    case SB_TOP:            // Home
    case SB_BOTTOM:         // End
    case SB_THUMBPOSITION:  // the thumb let go
        pos = GetPos();
        break;
    case SB_THUMBTRACK:
        pos = static_cast<int>(nPos);
        break;
    default:
        return;
    }
    m_nLastPos = pos;
    m_pEdit->OnSliderPos(pos);
}
