#include "station/Dot1XButtons.h"
#include "res/StationPagesResource.h"

namespace {
constexpr COLORREF kCheckedText = RGB(0, 0, 255);
constexpr short kHotFaceShift = 30;
}  // namespace

void StyleCheckButton(CButtonST& button, bool radio)
{
    button.SetIcon(radio ? IDI_RADIO_ON : IDI_CHECK_ON, 16, 16, radio ? IDI_RADIO_OFF : IDI_CHECK_OFF, 16, 16);
    button.SetDrawBorder(FALSE, FALSE);
    button.SetButtonColor(CButtonST::BTNST_COLOR_FG_IN, kCheckedText, FALSE);
    button.SetContentAlign(CButtonST::ST_ALIGN_HORIZ, TRUE);
}

void CMenuButtonST::StyleAsMenuButton()
{
    m_bTextLeftAligned = TRUE;
    SetContentAlign(ST_ALIGN_HORIZ_RIGHT, FALSE);
    SetIcon(IDI_DROPDOWN_HOT, 16, 16, IDI_DROPDOWN, 16, 16);
    ShiftButtonColor(BTNST_COLOR_BK_IN, kHotFaceShift, TRUE);
}
