#include "ui/CRadioButton.h"
#include "ui/TransparentText.h"

IMPLEMENT_DYNAMIC(CRadioButton, CButton)

namespace {
constexpr char kFontFace[] = "MS Sans Serif";
constexpr int kFontHeight = 14;
constexpr int kFontWeight = 300;
}

BEGIN_MESSAGE_MAP(CRadioButton, CButton)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

void CRadioButton::PreSubclassWindow()
{
    CButton::PreSubclassWindow();
    LOGFONTA lf{};
    lf.lfHeight = kFontHeight;
    lf.lfWeight = kFontWeight;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, kFontFace, LF_FACESIZE);
    SetFontColor(&lf, m_crText);
}

void CRadioButton::SetFontColor(const LOGFONTA* lf, COLORREF color)
{
    m_crText = color;
    if (!lf) return;
    CFont font;
    if (!font.CreateFontIndirect(lf)) return;
    SetFont(&font, TRUE);
    m_font.Attach(font.Detach());
}

void CRadioButton::SetTextBackColor(COLORREF color)
{
    m_brBackground.CreateSolidBrush(color);
    m_bHasBackground = TRUE;
}

HBRUSH CRadioButton::CtlColor(CDC* pDC, UINT)
{
    return AnswerTransparentColor(pDC, m_crText, m_bHasBackground ? &m_brBackground : nullptr);
}
