#include "ui/CachedPicture.h"

CCachedPicture::~CCachedPicture()
{
    Forget();
}

CCachedPicture::SystemColors CCachedPicture::CurrentSystemColors()
{
    // The colours the system's frame controls and edges are drawn with.
    return {::GetSysColor(COLOR_WINDOW),     ::GetSysColor(COLOR_WINDOWTEXT), ::GetSysColor(COLOR_BTNSHADOW),
            ::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_3DLIGHT),
            ::GetSysColor(COLOR_BTNFACE)};
}

void CCachedPicture::Forget()
{
    if (m_memory.m_hDC && m_hOldBitmap) m_memory.SelectObject(m_hOldBitmap);
    m_hOldBitmap = nullptr;
    m_picture.DeleteObject();
    m_memory.DeleteDC();
}

void CCachedPicture::Draw(CDC* pDC, const CRect& box, const Look& look, const Painter& paint)
{
    const CSize size = box.Size();
    if (size.cx <= 0 || size.cy <= 0) return;
    if (!m_bColorsRead) {
        m_currentColors = CurrentSystemColors();
        m_bColorsRead = true;
    }
    const SystemColors& colors = m_currentColors;
    if (!m_picture.m_hObject || size != m_size || look != m_look || colors != m_colors) {
        Forget();
        if (!m_memory.CreateCompatibleDC(pDC) || !m_picture.CreateCompatibleBitmap(pDC->m_hDC, size.cx, size.cy)) {
            Forget();
            paint(*pDC, box);
            return;
        }
        m_hOldBitmap = m_memory.SelectObject(m_picture.m_hObject);
        paint(m_memory, CRect(CPoint(0, 0), size));
        m_size = size;
        m_look = look;
        m_colors = colors;
    }
    pDC->BitBlt(box.left, box.top, size.cx, size.cy, &m_memory, 0, 0, SRCCOPY);
}
