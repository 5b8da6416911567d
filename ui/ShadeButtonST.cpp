#include "ui/ShadeButtonST.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CShadeButtonST, CButtonST)

namespace {
constexpr int kRandMax = 32767;           // rand()'s range is 0..32767
constexpr int kPaletteHalf = 128;
constexpr int kMetalScratches = 200;
constexpr int kMetalIndexDivisor = 819;   // rand() / 819 gives 0..40
constexpr int kMetalRampRange = 215;
constexpr int kSoftBumpMaxBand = 16;
constexpr int kSoftBumpBandDivisor = 6;

BYTE Mix(BYTE a, BYTE b, int weightB)
{
    return static_cast<BYTE>((a * (kPaletteHalf - weightB) + b * weightB) / kPaletteHalf);
}

// The cubed bump of t in -127..128, scaled to amplitude; rounded toward zero as integer division is.
int Bump(int t, int amplitude)
{
    return 128 + ((t * t * t / 128 / 128) * amplitude) / 128;
}

// rand() / (32767 / n) without a zero divisor for n above 32767.
int RandScaled(int n)
{
    return rand() / std::max(1, kRandMax / std::max(n, 1));
}
}  // namespace

void CShadeButtonST::SetShade(UINT shadeID, BYTE granularity, BYTE highlight, BYTE coloring, COLORREF color,
                              COLORREF hotColor, COLORREF selectedColor)
{
    CRect rect;
    GetWindowRect(&rect);
    const int W = std::max(0, static_cast<int>(rect.Width()));
    const int H = std::max(0, static_cast<int>(rect.Height()));
    const int g = granularity;
    const int grain = std::max(2 * g, 1);
    auto noise = [g, grain]() { return RandScaled(grain) - g; };

    m_dNormal.Create(W, H, 8);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW), face = ::GetSysColor(COLOR_BTNFACE),
                   light = ::GetSysColor(COLOR_3DHILIGHT);
    for (int i = 0; i <= kPaletteHalf; ++i)
        m_dNormal.SetPaletteIndex(static_cast<BYTE>(i), Mix(GetRValue(shadow), GetRValue(face), i),
                                  Mix(GetGValue(shadow), GetGValue(face), i), Mix(GetBValue(shadow), GetBValue(face), i));
    for (int i = 1; i <= kPaletteHalf; ++i)
        m_dNormal.SetPaletteIndex(static_cast<BYTE>(127 + i), Mix(GetRValue(face), GetRValue(light), i),
                                  Mix(GetGValue(face), GetGValue(light), i), Mix(GetBValue(face), GetBValue(light), i));

    // Rows m count from the bottom line, as the rows lie in memory.
    auto fill = [&](auto value) {
        for (int m = 0; m < H; ++m) {
            BYTE* row = m_dNormal.GetRowFromBottom(m);
            for (int x = 0; x < W; ++x) row[x] = static_cast<BYTE>(value(m, x, row[x]));
        }
    };
    const int d = (255 - 2 * g) / 2;
    const bool sized = W > 0 && H > 0;
    switch (sized ? shadeID : 0) {
    case 0:
        break;  // an empty window has an empty face
    case SHS_DIAGONAL:
        fill([&](int m, int x, int) { return g + (m * d) / H + ((W - x) * d) / W + noise(); });
        break;
    case SHS_VGRADIENT:
        fill([&](int m, int, int) { return (m * (255 - 2 * g)) / H + g + noise(); });
        break;
    case SHS_HGRADIENT:
        fill([&](int, int x, int) { return ((W - x) * (255 - 2 * g)) / W + g + noise(); });
        break;
    case SHS_VBUMP:
        fill([&](int m, int, int) { return Bump((m * 255) / H - 127, 128 - g) + noise(); });
        break;
    case SHS_HBUMP:
        fill([&](int, int x, int) { return Bump(((W - x) * 255) / W - 127, 128 - g) + noise(); });
        break;
    case SHS_BOTHBUMPS:
        fill([&](int m, int x, int) {
            const int ty = (m * 255) / H - 127, tx = ((W - x) * 255) / W - 127;
            const int c = (ty * ty * ty / 128) / 128;
            const int v = 128 + ((tx * tx * tx / 128 / 128 + c) * (128 - g)) / 128;
            return std::clamp(v, g, 255 - g) + noise();
        });
        break;
    case SHS_SOFTBUMP: {
        fill([&](int m, int, int) { return Bump((m * 255) / H - 127, (64 - g) * 2) + noise(); });
        const int k = std::min(W / kSoftBumpBandDivisor, kSoftBumpMaxBand);
        const int q = H * H / 4;
        if (k <= 0 || q <= 0) break;  // too small for edge bands
        int j = -H / 2;
        for (int m = 0; m < H; ++m, ++j) {
            BYTE* row = m_dNormal.GetRowFromBottom(m);
            const int limit = (j * k * j) / q + W / 2 - k;
            for (int x = 0; x < W; ++x) {
                int v = row[x];
                if (x - W / 2 > limit)
                    v = (128 * (W - x)) / k + g;
                else if (x - W / 2 + limit < 0)
                    v = (255 - g) - (128 * x) / k;
                row[x] = static_cast<BYTE>(v + noise());
            }
        }
        break;
    }
    case SHS_METAL: {
        m_dNormal.Clear(0);
        for (int i = 0; i < kMetalScratches; ++i) {
            const int x = RandScaled(W), y = RandScaled(H);
            const int length = RandScaled(std::min(W, H)) / 2;
            const BYTE index = static_cast<BYTE>(rand() / kMetalIndexDivisor);
            for (int s = 0; s < length; ++s) {
                m_dNormal.SetPixelIndex(static_cast<DWORD>(x - s), static_cast<DWORD>(y + s), index);
                m_dNormal.SetPixelIndex(static_cast<DWORD>(W - x + s), static_cast<DWORD>(y - s), index);
            }
        }
        const int d8 = (kMetalRampRange - 2 * g) / 2;
        fill([&](int m, int x, int current) { return current + (m * d8) / H + ((W - x) * d8) / W + RandScaled(grain); });
        break;
    }
    default:
        m_dNormal.Clear(255);
        break;
    }

    m_dNormal.BlendPalette(color, coloring);
    m_dHot.Clone(m_dNormal);
    m_dHot.BlendPalette(hotColor, highlight);
    m_dSelected.Clone(m_dNormal);
    m_dSelected.BlendPalette(selectedColor, highlight);
    if (m_hWnd) Invalidate();
}

DWORD CShadeButtonST::DrawButtonBackground(CDC* pDC, CRect* pRect)
{
    if (m_bMouseOnButton && m_bIsPressed)
        m_dHot.Draw(pDC->m_hDC, pRect->left + 1, pRect->top + 1);
    else if (m_bMouseOnButton)
        m_dHot.Draw(pDC->m_hDC, pRect->left, pRect->top);
    else
        (m_bSelected ? m_dSelected : m_dNormal).Draw(pDC->m_hDC, pRect->left, pRect->top);
    return BTNST_OK;
}
