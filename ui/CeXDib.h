// A small device-independent bitmap in memory (1, 4 or 8 bits with a palette, bottom-up rows)
// that draws itself through a cached DIB section.
#pragma once
#include <windows.h>
#include <vector>

class CCeXDib {
public:
    CCeXDib() = default;
    ~CCeXDib() { FreeDrawing(); }
    CCeXDib(const CCeXDib&) = delete;
    CCeXDib& operator=(const CCeXDib&) = delete;

    // Header, palette and zeroed pixels; the block, or null when nothing could be made.
    BYTE* Create(DWORD dwWidth, DWORD dwHeight, WORD wBitCount);
    void Clone(const CCeXDib& src);
    void SetPaletteIndex(BYTE byIndex, BYTE byRed, BYTE byGreen, BYTE byBlue);
    RGBQUAD GetPaletteIndex(BYTE byIndex) const;
    // Every palette entry moves toward color by percent (above 100 counts as 100).
    void BlendPalette(COLORREF color, DWORD dwPercent);
    void Clear(BYTE byValue = 0);
    // y counts from the top; outside the bitmap nothing happens.
    void SetPixelIndex(DWORD x, DWORD y, BYTE byIndex);
    BYTE GetPixelIndex(DWORD x, DWORD y) const;
    // Pixel row m counted from the bottom line (the memory order of the rows).
    BYTE* GetRowFromBottom(DWORD m) { return m < m_dwHeight ? GetBits() + m * m_dwLineWidth : nullptr; }
    // Blits the whole bitmap at (x, y).
    void Draw(HDC hdc, int x, int y);

    DWORD GetWidth() const { return m_dwWidth; }
    DWORD GetHeight() const { return m_dwHeight; }
    DWORD GetLineWidth() const { return m_dwLineWidth; }  // bytes per row
    WORD GetNumColors() const { return m_wColors; }
    WORD GetBitCount() const { return m_wBitCount; }
    BYTE* GetBits() { return m_block.empty() ? nullptr : m_block.data() + BitsOffset(); }
    const BYTE* GetBits() const { return m_block.empty() ? nullptr : m_block.data() + BitsOffset(); }

private:
    size_t BitsOffset() const { return sizeof(BITMAPINFOHEADER) + m_wColors * sizeof(RGBQUAD); }
    RGBQUAD* Palette() { return reinterpret_cast<RGBQUAD*>(m_block.data() + sizeof(BITMAPINFOHEADER)); }
    void FreeDrawing();

    std::vector<BYTE> m_block;  // BITMAPINFOHEADER, palette, pixel rows
    DWORD m_dwWidth = 0;
    DWORD m_dwHeight = 0;
    DWORD m_dwLineWidth = 0;
    WORD m_wColors = 0;
    WORD m_wBitCount = 0;

    HBITMAP m_hSection = nullptr;
    void* m_pSectionBits = nullptr;
    HDC m_hMemDC = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
    bool m_bDirty = true;  // pixels or palette changed since the section was filled
};
