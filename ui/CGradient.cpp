#include "ui/CGradient.h"

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {
constexpr int kUnlimitedSteps = INT_MAX;
constexpr WORD kPaletteVersion = 0x300;
constexpr COLORREF kPaletteRelative = 0x02000000;  // PALETTERGB form of a colour

std::function<CGradient::DisplayCaps(CDC*)> g_capsSource;

int FloorDiv(long long a, long long b)
{
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return static_cast<int>(q);
}

// Appends the part [from, to) of bands (which start at position 0) to out.
void AppendRange(const CGradBandArray& bands, int from, int to, CGradBandArray& out)
{
    int pos = 0;
    for (const CGradBand& band : bands) {
        int lo = std::max(pos, from);
        int hi = std::min(pos + band.length, to);
        if (hi > lo) out.Add(CGradBand{band.color, hi - lo});
        pos += band.length;
        if (pos >= to) break;
    }
}

// The rectangle of [pos, pos + length) along the orientation, clipped to rect.
CRect BandRect(const CRect& rect, int orientation, int pos, int length)
{
    CRect r = rect;
    switch (orientation) {
    case CGradient::kRightToLeft:
        r.right = rect.right - pos;
        r.left = r.right - length;
        break;
    case CGradient::kBottomToTop:
        r.bottom = rect.bottom - pos;
        r.top = r.bottom - length;
        break;
    case CGradient::kTopToBottom:
        r.top = rect.top + pos;
        r.bottom = r.top + length;
        break;
    default:
        r.left = rect.left + pos;
        r.right = r.left + length;
        break;
    }
    CRect clipped;
    clipped.IntersectRect(&r, &rect);
    return clipped;
}

bool IsHorizontal(int orientation)
{
    return orientation == CGradient::kLeftToRight || orientation == CGradient::kRightToLeft;
}

constexpr int kTrueColorBits = 15;  // from here on a picture's pixel and a fill come out alike

// The bands put on the device as one picture, one pixel wide across the bar: a fill per band is
// hundreds of calls for one bar. False when the device refused it.
bool DrawBandsAsPicture(CDC* pDC, const CRect& rect, int orientation, int start, const CGradBandArray& bands)
{
    int total = 0;
    for (const CGradBand& band : bands) total += band.length;
    const CRect covered = BandRect(rect, orientation, start, total);
    if (covered.IsRectEmpty()) return true;
    const bool horizontal = IsHorizontal(orientation);
    const int span = horizontal ? covered.Width() : covered.Height();
    const int first = horizontal ? covered.left : covered.top;
    std::vector<DWORD> pixels(static_cast<size_t>(span));
    int pos = start;
    for (const CGradBand& band : bands) {
        const DWORD pixel = (static_cast<DWORD>(GetRValue(band.color)) << 16) |
                            (static_cast<DWORD>(GetGValue(band.color)) << 8) | GetBValue(band.color);
        for (int p = pos; p < pos + band.length; ++p) {
            int at = 0;
            switch (orientation) {
            case CGradient::kRightToLeft: at = rect.right - 1 - p; break;
            case CGradient::kBottomToTop: at = rect.bottom - 1 - p; break;
            case CGradient::kTopToBottom: at = rect.top + p; break;
            default: at = rect.left + p; break;
            }
            if (at >= first && at < first + span) pixels[static_cast<size_t>(at - first)] = pixel;
        }
        pos += band.length;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = horizontal ? span : 1;
    info.bmiHeader.biHeight = -(horizontal ? 1 : span);  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return ::StretchDIBits(pDC->m_hDC, covered.left, covered.top, covered.Width(), covered.Height(), 0, 0,
                           info.bmiHeader.biWidth, horizontal ? 1 : span, pixels.data(), &info, DIB_RGB_COLORS,
                           SRCCOPY) != 0;
}
}  // namespace

CGradient::CGradient() = default;

CGradient::DisplayCaps CGradient::GetDisplayCaps(CDC* pDC)
{
    if (g_capsSource) return g_capsSource(pDC);
    return DisplayCaps{(pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0,
                       pDC->GetDeviceCaps(PLANES) * pDC->GetDeviceCaps(BITSPIXEL)};
}

void CGradient::SetDisplayCapsSource(std::function<DisplayCaps(CDC*)> source)
{
    g_capsSource = std::move(source);
}

void CGradient::SetColors(int count, COLORREF first, ...)
{
    m_colors.RemoveAll();
    m_segments.RemoveAll();
    if (count < 1) return;
    m_colors.Add(first);
    va_list args;
    va_start(args, first);
    for (int i = 1; i < count; ++i) m_colors.Add(va_arg(args, COLORREF));
    va_end(args);
    for (int i = 0; i < count - 1; ++i) m_segments.Add(100.0 / (count - 1));
    m_palette.DeleteObject();
}

void CGradient::CreatePalette()
{
    if (!m_bCreatePalette || m_palette.m_hObject || m_colors.IsEmpty()) return;
    CGradBandArray bands;
    MakeBands(bands, kPaletteSteps, 0, kPaletteSteps, kPaletteSteps);
    const int entries = static_cast<int>(bands.GetSize());
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * entries);
    auto* lp = reinterpret_cast<LOGPALETTE*>(storage.data());
    lp->palVersion = kPaletteVersion;
    lp->palNumEntries = static_cast<WORD>(entries);
    for (int i = 0; i < entries; ++i) {
        COLORREF c = bands[i].color;
        lp->palPalEntry[i] = PALETTEENTRY{GetRValue(c), GetGValue(c), GetBValue(c), 0};
    }
    m_palette.CreatePalette(lp);
}

void CGradient::Draw(CDC* pDC, const CRect& rect, int start, int end, int offset)
{
    if (!pDC || m_colors.IsEmpty() || rect.IsRectEmpty()) return;
    const int length = static_cast<int>((IsHorizontal(m_nOrientation) ? rect.Width() : rect.Height()) * m_fStretch);
    if (length <= 0) return;
    if (end < 0 || end > length) end = length;
    start = std::max(start, 0);
    if (start >= end) return;

    const DisplayCaps caps = GetDisplayCaps(pDC);
    const bool palette = caps.bPalette != FALSE;
    if (!palette && caps.nColorBits < kMinColorBits) {
        CRect band = BandRect(rect, m_nOrientation, start, end - start);
        pDC->FillSolidRect(&band, m_colors[0]);
        return;
    }

    CGradBandArray bands;
    MakeRotatedBands(bands, length, start, end, offset, palette ? kPaletteSteps : kUnlimitedSteps);

    if (!palette && caps.nColorBits >= kTrueColorBits && DrawBandsAsPicture(pDC, rect, m_nOrientation, start, bands))
        return;

    CPalette* pOldPalette = nullptr;
    if (palette && m_bCreatePalette) {
        CreatePalette();
        if (m_palette.m_hObject) {
            pOldPalette = pDC->SelectPalette(&m_palette, FALSE);
            pDC->RealizePalette();
        }
    }
    int pos = start;
    for (const CGradBand& band : bands) {
        CRect r = BandRect(rect, m_nOrientation, pos, band.length);
        pos += band.length;
        if (r.IsRectEmpty()) continue;
        if (palette) {
            CBrush brush((m_bCreatePalette && m_palette.m_hObject) ? (band.color | kPaletteRelative) : band.color);
            pDC->FillRect(&r, &brush);
        } else {
            pDC->FillSolidRect(&r, band.color);
        }
    }
    if (pOldPalette) pDC->SelectPalette(pOldPalette, FALSE);
}

void CGradient::MakeRotatedBands(CGradBandArray& bands, int length, int start, int end, int offset, int maxSteps)
{
    if (length <= 0) return;
    int shift = offset % length;
    if (shift < 0) shift += length;
    if (shift == 0 || m_colors.GetSize() < 2) {
        MakeBands(bands, length, start, end, maxSteps);
        return;
    }
    CGradBandArray whole;
    MakeBands(whole, length, 0, length, maxSteps);
    // The last `shift` pixels of the gradient come to the front.
    CGradBandArray rotated;
    AppendRange(whole, length - shift, length, rotated);
    AppendRange(whole, 0, length - shift, rotated);
    AppendRange(rotated, start, end, bands);
}

void CGradient::MakeBands(CGradBandArray& bands, int length, int start, int end, int maxSteps)
{
    const int count = static_cast<int>(m_colors.GetSize());
    if (count == 0 || end <= start) return;
    if (count == 1) {
        bands.Add(CGradBand{m_colors[0], end - start});
        return;
    }
    const int segments = count - 1;
    const int segmentSteps = maxSteps == kUnlimitedSteps ? kUnlimitedSteps : std::max(1, maxSteps / segments);
    double share = 0.0;
    for (int k = 0; k < segments; ++k) {
        const int segStart = static_cast<int>(share * length / 100.0);
        share += m_segments.GetAt(k);
        const int segEnd = (k == segments - 1) ? length : static_cast<int>(share * length / 100.0);
        if (segStart >= end) break;
        if (segEnd <= start) continue;
        MakeSegmentBands(bands, m_colors[k], m_colors[k + 1], segEnd - segStart, start - segStart, end - segStart,
                         segmentSteps);
    }
}

void CGradient::MakeSegmentBands(CGradBandArray& bands, COLORREF from, COLORREF to, int length, int start, int end,
                                 int maxSteps)
{
    if (length <= 0) return;
    const int dr = GetRValue(to) - GetRValue(from);
    const int dg = GetGValue(to) - GetGValue(from);
    const int db = GetBValue(to) - GetBValue(from);
    int steps = std::max({std::abs(dr), std::abs(dg), std::abs(db)});
    steps = std::max(1, std::min({steps, maxSteps, length}));
    for (int i = 0; i < steps; ++i) {
        const int a = static_cast<int>(static_cast<long long>(i) * length / steps);
        const int b = (i == steps - 1) ? length : static_cast<int>(static_cast<long long>(i + 1) * length / steps);
        if (a >= end) break;
        const int lo = std::max(a, start);
        const int hi = std::min(b, end);
        if (hi <= lo) continue;
        const COLORREF c = RGB(GetRValue(from) + FloorDiv(static_cast<long long>(i) * dr, steps),
                               GetGValue(from) + FloorDiv(static_cast<long long>(i) * dg, steps),
                               GetBValue(from) + FloorDiv(static_cast<long long>(i) * db, steps));
        bands.Add(CGradBand{c, hi - lo});
    }
}
