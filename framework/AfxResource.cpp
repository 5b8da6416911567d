#include "framework/AfxResource.h"
#include "framework/CWinApp.h"

#include <cstring>
#include <vector>

HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType)
{
    HINSTANCE chain[] = {AfxGetResourceHandle(), AfxGetInstanceHandle()};
    for (HINSTANCE hInst : chain)
        if (hInst && ::FindResourceA(hInst, lpszName, lpszType)) return hInst;
    return nullptr;
}

HBITMAP AfxLoadSysColorBitmap(HINSTANCE hInst, HRSRC hRsrc)
{
    HGLOBAL hGlobal = hRsrc ? ::LoadResource(hInst, hRsrc) : nullptr;
    auto* bits = hGlobal ? static_cast<const BYTE*>(::LockResource(hGlobal)) : nullptr;
    DWORD size = hGlobal ? ::SizeofResource(hInst, hRsrc) : 0;
    if (!bits || size < sizeof(BITMAPINFOHEADER)) return nullptr;
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bits);
    if (header->biSize < sizeof(BITMAPINFOHEADER) || header->biSize > size) return nullptr;
    int colours = header->biBitCount <= 8 ? (header->biClrUsed ? static_cast<int>(header->biClrUsed) : 1 << header->biBitCount) : 0;
    size_t tableEnd = header->biSize + static_cast<size_t>(colours) * sizeof(RGBQUAD);
    if (tableEnd > size || header->biCompression != BI_RGB) return nullptr;
    LONG height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    size_t stride = ((static_cast<size_t>(header->biWidth) * header->biBitCount + 31) / 32) * 4;
    if (header->biWidth <= 0 || stride * static_cast<size_t>(height) > size - tableEnd) return nullptr;

    // A private copy of header and colour table, so the mapping never touches the resource.
    std::vector<BYTE> info(bits, bits + tableEnd);
    if (header->biBitCount == 4) {
        struct { COLORREF from; int sysColor; } const map[] = {
            {RGB(0, 0, 0), COLOR_BTNTEXT},
            {RGB(128, 128, 128), COLOR_BTNSHADOW},
            {RGB(192, 192, 192), COLOR_BTNFACE},
            {RGB(255, 255, 255), COLOR_BTNHIGHLIGHT},
        };
        auto* table = reinterpret_cast<RGBQUAD*>(info.data() + header->biSize);
        for (int i = 0; i < colours; ++i) {
            COLORREF c = RGB(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue);
            for (const auto& m : map) {
                if (c != m.from) continue;
                COLORREF to = ::GetSysColor(m.sysColor);
                table[i] = RGBQUAD{GetBValue(to), GetGValue(to), GetRValue(to), 0};
                break;
            }
        }
    }
    HDC screen = ::GetDC(nullptr);
    HBITMAP hBitmap = ::CreateDIBitmap(screen, reinterpret_cast<const BITMAPINFOHEADER*>(info.data()), CBM_INIT,
                                       bits + tableEnd, reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    return hBitmap;
}
