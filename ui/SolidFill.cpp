#include "ui/SolidFill.h"

void CSolidFill::Forget()
{
    if (m_hBrush) ::DeleteObject(m_hBrush);
    m_hBrush = nullptr;
}

void CSolidFill::Fill(CDC* pDC, const CRect& rect, COLORREF color)
{
    // Not the colour depth: the platform may answer that from the display settings, with trips
    // to the window server each time. Whether the device shows the colour as it is says enough.
    const bool newDevice = pDC->m_hDC != m_hDevice;
    if (newDevice) {
        m_hDevice = pDC->m_hDC;
        m_bPalette = (::GetDeviceCaps(m_hDevice, RASTERCAPS) & RC_PALETTE) != 0;
    }
    if (m_bPalette || (color & 0xFF000000)) {
        pDC->FillSolidRect(&rect, color);
        return;
    }
    if (!m_hBrush || color != m_color) {
        Forget();
        m_hBrush = ::CreateSolidBrush(color);
        m_color = color;
        m_bExact = m_hBrush && ::GetNearestColor(m_hDevice, color) == color;
    } else if (newDevice) {
        m_bExact = ::GetNearestColor(m_hDevice, color) == color;
    }
    if (m_bExact) ::FillRect(pDC->m_hDC, &rect, m_hBrush);
    else pDC->FillSolidRect(&rect, color);
}
