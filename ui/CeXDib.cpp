#include "ui/CeXDib.h"
#include "base/DebugLog.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr DWORD kMaxPercent = 100;
}

void CCeXDib::FreeDrawing()
{
    if (m_hMemDC) {
        ::SelectObject(m_hMemDC, m_hOldBitmap);
        ::DeleteDC(m_hMemDC);
    }
    if (m_hSection) ::DeleteObject(m_hSection);
    m_hMemDC = nullptr;
    m_hOldBitmap = nullptr;
    m_hSection = nullptr;
    m_pSectionBits = nullptr;
    m_bDirty = true;
}

BYTE* CCeXDib::Create(DWORD dwWidth, DWORD dwHeight, WORD wBitCount)
{
    FreeDrawing();
    m_block.clear();
    m_dwWidth = dwWidth;
    m_dwHeight = dwHeight;
    m_wBitCount = wBitCount;
    m_wColors = (wBitCount == 1 || wBitCount == 4 || wBitCount == 8) ? static_cast<WORD>(1u << wBitCount) : 0;
    m_dwLineWidth = ((wBitCount * dwWidth + 31) / 32) * 4;
    const size_t image = static_cast<size_t>(m_dwLineWidth) * dwHeight;
    m_block.assign(BitsOffset() + image, 0);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(m_block.data());
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = static_cast<LONG>(dwWidth);
    header->biHeight = static_cast<LONG>(dwHeight);
    header->biPlanes = 1;
    header->biBitCount = wBitCount;
    header->biCompression = BI_RGB;
    header->biSizeImage = static_cast<DWORD>(image);
    return m_block.data();
}

void CCeXDib::Clone(const CCeXDib& src)
{
    Create(src.m_dwWidth, src.m_dwHeight, src.m_wBitCount);
    std::copy(src.m_block.begin(), src.m_block.end(), m_block.begin());
}

void CCeXDib::SetPaletteIndex(BYTE byIndex, BYTE byRed, BYTE byGreen, BYTE byBlue)
{
    if (byIndex >= m_wColors) return;
    Palette()[byIndex] = RGBQUAD{byBlue, byGreen, byRed, 0};
    m_bDirty = true;
}

RGBQUAD CCeXDib::GetPaletteIndex(BYTE byIndex) const
{
    if (byIndex >= m_wColors) return RGBQUAD{};
    return reinterpret_cast<const RGBQUAD*>(m_block.data() + sizeof(BITMAPINFOHEADER))[byIndex];
}

void CCeXDib::BlendPalette(COLORREF color, DWORD dwPercent)
{
    const DWORD p = std::min(dwPercent, kMaxPercent);
    auto blend = [p](BYTE entry, BYTE with) { return static_cast<BYTE>((entry * (kMaxPercent - p) + with * p) / kMaxPercent); };
    RGBQUAD* palette = Palette();
    for (WORD i = 0; i < m_wColors; ++i) {
        palette[i].rgbRed = blend(palette[i].rgbRed, GetRValue(color));
        palette[i].rgbGreen = blend(palette[i].rgbGreen, GetGValue(color));
        palette[i].rgbBlue = blend(palette[i].rgbBlue, GetBValue(color));
    }
    m_bDirty = true;
}

void CCeXDib::Clear(BYTE byValue)
{
    if (BYTE* bits = GetBits()) memset(bits, byValue, static_cast<size_t>(m_dwLineWidth) * m_dwHeight);
    m_bDirty = true;
}

void CCeXDib::SetPixelIndex(DWORD x, DWORD y, BYTE byIndex)
{
    if (x >= m_dwWidth || y >= m_dwHeight || !m_wColors) return;
    BYTE* row = GetBits() + (m_dwHeight - y - 1) * m_dwLineWidth;
    m_bDirty = true;
    switch (m_wBitCount) {
    case 8:
        row[x] = byIndex;
        break;
    case 4: {
        BYTE& b = row[x / 2];
        b = (x % 2) ? static_cast<BYTE>((b & 0xF0) | (byIndex & 0x0F)) : static_cast<BYTE>((b & 0x0F) | (byIndex << 4));
        break;
    }
    default: {
        BYTE mask = static_cast<BYTE>(0x80 >> (x % 8));
        row[x / 8] = (byIndex & 1) ? (row[x / 8] | mask) : (row[x / 8] & ~mask);
        break;
    }
    }
}

BYTE CCeXDib::GetPixelIndex(DWORD x, DWORD y) const
{
    if (x >= m_dwWidth || y >= m_dwHeight || !m_wColors) return 0;
    const BYTE* row = GetBits() + (m_dwHeight - y - 1) * m_dwLineWidth;
    switch (m_wBitCount) {
    case 8: return row[x];
    case 4: return (x % 2) ? (row[x / 2] & 0x0F) : (row[x / 2] >> 4);
    default: return (row[x / 8] >> (7 - x % 8)) & 1;
    }
}

void CCeXDib::Draw(HDC hdc, int x, int y)
{
    if (m_block.empty() || !m_dwWidth || !m_dwHeight) return;
    if (!m_hSection) {
        const auto* info = reinterpret_cast<const BITMAPINFO*>(m_block.data());
        m_hSection = ::CreateDIBSection(hdc, info, DIB_RGB_COLORS, &m_pSectionBits, nullptr, 0);
        m_hMemDC = m_hSection ? ::CreateCompatibleDC(hdc) : nullptr;
        if (!m_hSection || !m_hMemDC) {
            DebugLog(1, "[QxUI] CCeXDib::Draw() CreateDIBSection fail, error code = %d\n", ::GetLastError());
            FreeDrawing();
            return;
        }
        m_hOldBitmap = ::SelectObject(m_hMemDC, m_hSection);
        m_bDirty = true;
    }
    if (m_bDirty) {
        ::GdiFlush();
        memcpy(m_pSectionBits, GetBits(), static_cast<size_t>(m_dwLineWidth) * m_dwHeight);
        if (m_wColors) ::SetDIBColorTable(m_hMemDC, 0, m_wColors, Palette());
        m_bDirty = false;
    }
    ::BitBlt(hdc, x, y, static_cast<int>(m_dwWidth), static_cast<int>(m_dwHeight), m_hMemDC, 0, 0, SRCCOPY);
}
