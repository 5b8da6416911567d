#include "ui/CProgress.h"
#include "ui/CMemDC.h"
#include "ui/CSelBkMode.h"
#include "ui/CSelFont.h"
#include "ui/CSelTextAlign.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int kDegreesPerTurn = 360;
constexpr int kTenthsPerDegree = 10;

// The part [from, to) of rect along the bar's direction.
CRect PartOfBar(const CRect& rect, int orientation, int from, int to)
{
    CRect r = rect;
    switch (orientation) {
    case CGradient::kRightToLeft: r.right = rect.right - from; r.left = rect.right - to; break;
    case CGradient::kBottomToTop: r.bottom = rect.bottom - from; r.top = rect.bottom - to; break;
    case CGradient::kTopToBottom: r.top = rect.top + from; r.bottom = rect.top + to; break;
    default: r.left = rect.left + from; r.right = rect.left + to; break;
    }
    return r;
}

int Scale(int length, int part, int range)
{
    return static_cast<int>(static_cast<long long>(length) * part / range);
}

// True when fmt holds at most one conversion and that one takes an int, so that it can be
// filled with the value safely; "%%" is always allowed.
bool IsIntegerFormat(LPCSTR fmt)
{
    int conversions = 0;
    for (const char* p = fmt; *p; ++p) {
        if (*p != '%') continue;
        ++p;
        if (*p == '%') continue;
        while (*p && std::strchr("-+ #0", *p)) ++p;
        while (*p >= '0' && *p <= '9') ++p;
        if (*p == '.') {
            ++p;
            while (*p >= '0' && *p <= '9') ++p;
        }
        while (*p == 'h' || *p == 'l') ++p;
        if (!*p || !std::strchr("diuxXoc", *p)) return false;
        if (++conversions > 1) return false;
    }
    return true;
}
}  // namespace

CProgress::CProgress()
    : m_crBk(::GetSysColor(COLOR_BTNFACE)),
      m_crTextOnBar(::GetSysColor(COLOR_CAPTIONTEXT)),
      m_crTextOnBk(::GetSysColor(COLOR_BTNTEXT))
{
    BOOL gradientCaptions = FALSE;
    ::SystemParametersInfoA(SPI_GETGRADIENTCAPTIONS, 0, &gradientCaptions, 0);
    const COLORREF caption = ::GetSysColor(COLOR_ACTIVECAPTION);
    SetColors(2, caption, gradientCaptions ? ::GetSysColor(COLOR_GRADIENTACTIVECAPTION) : caption);
}

CProgress::~CProgress() = default;

BOOL CProgress::ModifyStyle(DWORD remove, DWORD add)
{
    DWORD style = (m_dwStyle & ~remove) | add;
    if (style == m_dwStyle) return FALSE;
    m_dwStyle = style;
    return TRUE;
}

void CProgress::SetRange(int lower, int upper)
{
    m_nLower = std::min(lower, upper);
    m_nUpper = std::max(lower, upper);
    StorePos(std::clamp(m_nPos, m_nLower, m_nUpper));
}

int CProgress::SetPos(int pos)
{
    const int previous = m_nPos;
    if (SetSnakePos(pos, FALSE)) return previous;
    StorePos(std::clamp(pos, m_nLower, m_nUpper));
    return previous;
}

int CProgress::OffsetPos(int delta)
{
    const int previous = m_nPos;
    if (SetSnakePos(delta, TRUE)) return previous;
    StorePos(std::clamp(m_nPos + delta, m_nLower, m_nUpper));
    return previous;
}

int CProgress::SetStep(int step)
{
    const int previous = m_nStep;
    m_nStep = step;
    return previous;
}

void CProgress::StorePos(int pos)
{
    if (pos == m_nPos) return;
    m_nPos = pos;
    OnPosChanged();
}

void CProgress::SetText(LPCSTR text, DWORD mode)
{
    if (text && *text && mode) {
        m_strText = text;
        ModifyStyle(PBS_X_TEXT_MODES, mode & PBS_X_TEXT_MODES);
    } else {
        m_strText.Empty();
        ModifyStyle(PBS_X_TEXT_MODES, 0);
    }
}

BOOL CProgress::SetSnakePos(int value, BOOL bRelative)
{
    if (!(GetStyle() & PBS_X_SNAKE)) return FALSE;
    const int headLimit = m_nUpper + m_nSnakeLength;
    if (bRelative) {
        if (m_nPos == m_nUpper && m_nPos - m_nTail < m_nSnakeLength) m_nPos = m_nTail + m_nSnakeLength;
        m_nPos += std::abs(value);
        if (m_nPos > headLimit) {
            m_nPos += m_nLower - m_nSnakeLength - m_nUpper;
            m_nPos = std::min(m_nPos, headLimit);
            ModifyStyle(GetStyle() & PBS_X_REVERSE, ~GetStyle() & PBS_X_REVERSE);
        }
    } else {
        m_nPos = std::clamp(value, m_nLower, headLimit);
    }
    m_nTail = std::max(m_nPos - m_nSnakeLength, m_nLower);
    OnPosChanged();
    return TRUE;
}

void CProgress::SetClipRgn(HRGN hRgn)
{
    m_rgnClip.DeleteObject();
    if (!hRgn) return;
    m_rgnClip.CreateRectRgn(0, 0, 0, 0);
    m_rgnClip.CombineRgn(hRgn, nullptr, RGN_COPY);
}

int CProgress::GetValue() const
{
    if (!(GetStyle() & PBS_X_SHOW_PERCENT)) return m_nPos;
    if (m_nUpper <= m_nLower) return 0;
    return Scale(100, m_nPos - m_nLower, m_nUpper - m_nLower);
}

CString CProgress::FormatText(int value) const
{
    CString text;
    if (m_strText.IsEmpty()) {
        text.Format((GetStyle() & PBS_X_SHOW_PERCENT) ? "%d%%" : "%d", value);
    } else if (IsIntegerFormat(m_strText)) {
        text.Format(m_strText, value);
    } else {
        text = m_strText;  // not a format of one number: shown as it stands
    }
    return text;
}

void CProgress::Paint(CDC* pDC, const CRect& rect)
{
    const bool transparent = !m_hbrBk && m_crBk == kProgressNoBackground;
    CMemDC dc(pDC, &rect, transparent);
    if (m_rgnClip.m_hObject) dc.SelectClipRgn(&m_rgnClip);
    CRect rc = rect;
    if (m_hbrBk) dc.FillRect(&rc, m_hbrBk);
    else if (!transparent) dc.FillSolidRect(&rc, m_crBk);
    rc.DeflateRect(&m_rcBorders);
    // An empty range has no bar and no value to show.
    if (m_nUpper <= m_nLower || rc.IsRectEmpty()) return;

    const DWORD style = GetStyle();
    const bool vertical = (style & PBS_X_VERTICAL) != 0;
    const bool reverse = (style & PBS_X_REVERSE) != 0;
    const int orientation = vertical ? (reverse ? kBottomToTop : kTopToBottom) : (reverse ? kRightToLeft : kLeftToRight);
    const int range = m_nUpper - m_nLower;
    const int length = vertical ? rc.Height() : rc.Width();
    int head = m_nPos;
    int tail = m_nLower;
    if (style & PBS_X_SNAKE) {
        head = std::min(m_nPos, m_nUpper);  // a head past the end leaves the bar
        tail = std::clamp(m_nTail, m_nLower, m_nUpper);
    }
    const int filledStart = Scale(length, tail - m_nLower, range);
    const int filledEnd = Scale(length, head - m_nLower, range);
    CRect rcFilled = PartOfBar(rc, orientation, filledStart, std::max(filledStart, filledEnd));
    if (head >= m_nLower && head <= m_nUpper && filledEnd > filledStart) {
        if (m_hbrBar) {
            dc.FillRect(&rcFilled, m_hbrBar);
        } else {
            SetOrientation(orientation);
            if (style & PBS_X_RUBBER_BAR)
                Draw(&dc, rcFilled, 0, -1, Scale(filledEnd - filledStart, m_nAnimPos, range));
            else
                Draw(&dc, rc, filledStart, filledEnd, Scale(length, m_nAnimPos, range));
        }
    }
    if (style & PBS_X_TEXT_MODES) DrawText(&dc, rc, rcFilled);
}

void CProgress::DrawText(CDC* pDC, const CRect& rcBar, const CRect& rcFilled)
{
    const CString text = FormatText(GetValue());
    if (text.IsEmpty()) return;
    CSelFont font(pDC, m_hFont);
    CSelBkMode bkMode(pDC, TRANSPARENT);
    CSelTextAlign align(pDC, TA_LEFT | TA_TOP | TA_NOUPDATECP);

    LOGFONTA lf{};
    ::GetObjectA(::GetCurrentObject(pDC->m_hDC, OBJ_FONT), sizeof lf, &lf);
    const int angle = ((lf.lfEscapement / kTenthsPerDegree) % kDegreesPerTurn + kDegreesPerTurn) % kDegreesPerTurn;
    const CSize extent = pDC->GetTextExtent(text);
    const bool turned = angle == 90 || angle == 270;
    const CSize box = turned ? CSize(extent.cy, extent.cx) : extent;

    const DWORD style = GetStyle();
    CRect area = rcBar;
    if ((style & PBS_X_TIED_TEXT) && box.cx <= rcFilled.Width() && box.cy <= rcFilled.Height()) area = rcFilled;
    int x = area.left + (area.Width() - box.cx) / 2;
    const DWORD horizontal = style & (PBS_X_TEXT_LEFT | PBS_X_TEXT_RIGHT);
    if (horizontal == PBS_X_TEXT_LEFT) x = area.left;
    else if (horizontal == PBS_X_TEXT_RIGHT) x = area.right - box.cx;
    int y = area.top + (area.Height() - box.cy) / 2;
    const DWORD vertical = style & (PBS_X_TEXT_TOP | PBS_X_TEXT_BOTTOM);
    if (vertical == PBS_X_TEXT_TOP) y = area.top;
    else if (vertical == PBS_X_TEXT_BOTTOM) y = area.bottom - box.cy;

    // The reference point of the turned text is the corner where its first glyph starts.
    CPoint origin(x, y);
    if (angle == 90) origin = CPoint(x, y + box.cy);
    else if (angle == 180) origin = CPoint(x + box.cx, y + box.cy);
    else if (angle == 270) origin = CPoint(x + box.cx, y);

    pDC->SetTextColor(m_crTextOnBk);
    DrawClippedText(pDC, rcBar, text, origin);
    if (m_crTextOnBar != m_crTextOnBk && !rcFilled.IsRectEmpty()) {
        pDC->SetTextColor(m_crTextOnBar);
        DrawClippedText(pDC, rcFilled, text, origin);
    }
}

void CProgress::DrawClippedText(CDC* pDC, const CRect& rcClip, const CString& text, const CPoint& origin)
{
    const int saved = pDC->SaveDC();
    pDC->IntersectClipRect(&rcClip);
    pDC->TextOut(origin.x, origin.y, text, text.GetLength());
    pDC->RestoreDC(saved);
}
