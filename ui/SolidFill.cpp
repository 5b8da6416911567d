#include "ui/SolidFill.h"

namespace {
constexpr int kMostPaletteBits = 8;
}

void CSolidFill::Forget()
{
    if (m_hBrush) ::DeleteObject(m_hBrush);
    m_hBrush = nullptr;
}

void CSolidFill::Fill(CDC* pDC, const CRect& rect, COLORREF color)
{
    if (pDC->m_hDC != m_hDevice) {
        m_hDevice = pDC->m_hDC;
        const int bits = ::GetDeviceCaps(m_hDevice, BITSPIXEL) * ::GetDeviceCaps(m_hDevice, PLANES);
        m_bTrueColor = bits > kMostPaletteBits && !(::GetDeviceCaps(m_hDevice, RASTERCAPS) & RC_PALETTE);
    }
    if (!m_bTrueColor || (color & 0xFF000000)) {
        pDC->FillSolidRect(&rect, color);
        return;
    }
    if (!m_hBrush || color != m_color) {
        Forget();
        m_hBrush = ::CreateSolidBrush(color);
        m_color = color;
    }
    if (m_hBrush) ::FillRect(pDC->m_hDC, &rect, m_hBrush);
    else pDC->FillSolidRect(&rect, color);
}
