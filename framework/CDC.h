// Device context wrappers. CDC owns a DC it created; CPaintDC, CClientDC and CWindowDC release theirs.
#pragma once
#include <windows.h>
#include "framework/Gdi.h"

class CWnd;

class CDC : public CObject {
public:
    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;

    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    ~CDC() override { if (m_hDC && m_bOwnsDC) ::DeleteDC(m_hDC); }

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    static CDC* FromHandle(HDC h);
    BOOL Attach(HDC h) { m_hDC = m_hAttribDC = h; m_bOwnsDC = false; return h != nullptr; }
    HDC Detach() { HDC h = m_hDC; m_hDC = m_hAttribDC = nullptr; return h; }
    BOOL CreateCompatibleDC(CDC* pDC) { return CreateOwned(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr)); }
    BOOL CreateCompatibleDC(HDC h) { return CreateOwned(::CreateCompatibleDC(h)); }
    BOOL DeleteDC() { if (!m_hDC) return FALSE; BOOL ok = m_bOwnsDC ? ::DeleteDC(m_hDC) : TRUE; m_hDC = m_hAttribDC = nullptr; return ok; }
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int n) { return ::RestoreDC(m_hDC, n); }

    // Selection answers the object that was selected before, as a non-owning wrapper.
    CPen* SelectObject(CPen* p) { return CPen_FromHandle(static_cast<HPEN>(Select(p))); }
    CBrush* SelectObject(CBrush* p) { return CBrush::FromHandle(static_cast<HBRUSH>(Select(p))); }
    CFont* SelectObject(CFont* p) { return CFont::FromHandle(static_cast<HFONT>(Select(p))); }
    CBitmap* SelectObject(CBitmap* p) { return CBitmap::FromHandle(static_cast<HBITMAP>(Select(p))); }
    HGDIOBJ SelectObject(HGDIOBJ h) { return ::SelectObject(m_hDC, h); }
    CGdiObject* SelectStockObject(int index);
    CPalette* SelectPalette(CPalette* p, BOOL bForceBackground);
    UINT RealizePalette() { return ::RealizePalette(m_hDC); }
    CFont* GetCurrentFont() const { return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT))); }
    CBitmap* GetCurrentBitmap() const { return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP))); }

    COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    int GetBkMode() const { return ::GetBkMode(m_hDC); }
    int SetROP2(int mode) { return ::SetROP2(m_hDC, mode); }
    int SetMapMode(int mode) { return ::SetMapMode(m_hDC, mode); }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }
    CPoint SetWindowOrg(int x, int y) { POINT p{}; ::SetWindowOrgEx(m_hDC, x, y, &p); return p; }
    CPoint SetViewportOrg(int x, int y) { POINT p{}; ::SetViewportOrgEx(m_hDC, x, y, &p); return p; }
    CPoint GetViewportOrg() const { POINT p{}; ::GetViewportOrgEx(m_hDC, &p); return p; }
    void DPtoLP(LPPOINT p, int n = 1) const { ::DPtoLP(m_hDC, p, n); }
    void DPtoLP(LPRECT r) const { ::DPtoLP(m_hDC, reinterpret_cast<LPPOINT>(r), 2); }
    void LPtoDP(LPPOINT p, int n = 1) const { ::LPtoDP(m_hDC, p, n); }
    void LPtoDP(LPRECT r) const { ::LPtoDP(m_hDC, reinterpret_cast<LPPOINT>(r), 2); }

    int IntersectClipRect(int l, int t, int r, int b) { return ::IntersectClipRect(m_hDC, l, t, r, b); }
    int IntersectClipRect(const RECT* r) { return ::IntersectClipRect(m_hDC, r->left, r->top, r->right, r->bottom); }
    int ExcludeClipRect(int l, int t, int r, int b) { return ::ExcludeClipRect(m_hDC, l, t, r, b); }
    int ExcludeClipRect(const RECT* r) { return ::ExcludeClipRect(m_hDC, r->left, r->top, r->right, r->bottom); }
    int SelectClipRgn(CRgn* rgn) { return ::SelectClipRgn(m_hDC, rgn ? static_cast<HRGN>(rgn->m_hObject) : nullptr); }
    int GetClipBox(LPRECT r) const { return ::GetClipBox(m_hDC, r); }

    CPoint MoveTo(int x, int y) { POINT p{}; ::MoveToEx(m_hDC, x, y, &p); return p; }
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    BOOL Polyline(const POINT* pts, int n) { return ::Polyline(m_hDC, pts, n); }
    BOOL Polygon(const POINT* pts, int n) { return ::Polygon(m_hDC, pts, n); }
    BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
    BOOL Rectangle(const RECT* r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
    BOOL RoundRect(const RECT* r, POINT p) { return ::RoundRect(m_hDC, r->left, r->top, r->right, r->bottom, p.x, p.y); }
    BOOL Ellipse(int l, int t, int r, int b) { return ::Ellipse(m_hDC, l, t, r, b); }
    BOOL Ellipse(const RECT* r) { return Ellipse(r->left, r->top, r->right, r->bottom); }
    COLORREF SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }

    void FillRect(const RECT* r, CBrush* b) { ::FillRect(m_hDC, r, static_cast<HBRUSH>(b->m_hObject)); }
    void FillRect(const RECT* r, HBRUSH b) { ::FillRect(m_hDC, r, b); }
    void FrameRect(const RECT* r, CBrush* b) { ::FrameRect(m_hDC, r, static_cast<HBRUSH>(b->m_hObject)); }
    void InvertRect(const RECT* r) { ::InvertRect(m_hDC, r); }
    void FillSolidRect(const RECT* r, COLORREF c);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF c);
    void Draw3dRect(const RECT* r, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    void DrawFocusRect(const RECT* r) { ::DrawFocusRect(m_hDC, r); }
    BOOL DrawEdge(RECT* r, UINT edge, UINT flags) { return ::DrawEdge(m_hDC, r, edge, flags); }
    BOOL DrawFrameControl(RECT* r, UINT type, UINT state) { return ::DrawFrameControl(m_hDC, r, type, state); }
    BOOL DrawIcon(int x, int y, HICON h) { return ::DrawIcon(m_hDC, x, y, h); }
    BOOL DrawState(POINT pt, SIZE size, HICON h, UINT flags, HBRUSH brush = nullptr)
    {
        return ::DrawStateA(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(h), 0, pt.x, pt.y, size.cx, size.cy, flags | DST_ICON);
    }
    BOOL DrawState(POINT pt, SIZE size, HBITMAP h, UINT flags, HBRUSH brush = nullptr)
    {
        return ::DrawStateA(m_hDC, brush, nullptr, reinterpret_cast<LPARAM>(h), 0, pt.x, pt.y, size.cx, size.cy, flags | DST_BITMAP);
    }

    BOOL BitBlt(int x, int y, int cx, int cy, CDC* src, int sx, int sy, DWORD rop)
    {
        return ::BitBlt(m_hDC, x, y, cx, cy, src ? src->m_hDC : nullptr, sx, sy, rop);
    }
    BOOL StretchBlt(int x, int y, int cx, int cy, CDC* src, int sx, int sy, int scx, int scy, DWORD rop)
    {
        return ::StretchBlt(m_hDC, x, y, cx, cy, src ? src->m_hDC : nullptr, sx, sy, scx, scy, rop);
    }
    BOOL PatBlt(int x, int y, int cx, int cy, DWORD rop) { return ::PatBlt(m_hDC, x, y, cx, cy, rop); }
    int SetStretchBltMode(int mode) { return ::SetStretchBltMode(m_hDC, mode); }

    int DrawText(LPCSTR text, int count, LPRECT r, UINT format) { return ::DrawTextA(m_hDC, text, count, r, format); }
    int DrawText(LPCSTR text, LPRECT r, UINT format) { return DrawText(text, -1, r, format); }
    BOOL TextOut(int x, int y, LPCSTR text, int count) { return ::TextOutA(m_hDC, x, y, text, count); }
    BOOL TextOut(int x, int y, LPCSTR text) { return TextOut(x, y, text, lstrlenA(text)); }
    BOOL ExtTextOut(int x, int y, UINT options, const RECT* r, LPCSTR text, UINT count, const INT* dx = nullptr)
    {
        return ::ExtTextOutA(m_hDC, x, y, options, r, text, count, dx);
    }
    CSize GetTextExtent(LPCSTR text, int count) const { SIZE s{}; ::GetTextExtentPoint32A(m_hDC, text, count, &s); return s; }
    CSize GetTextExtent(LPCSTR text) const { return GetTextExtent(text, lstrlenA(text)); }
    BOOL GetTextMetrics(TEXTMETRICA* tm) const { return ::GetTextMetricsA(m_hDC, tm); }
    UINT SetTextAlign(UINT flags) { return ::SetTextAlign(m_hDC, flags); }

protected:
    BOOL CreateOwned(HDC h) { if (m_hDC && m_bOwnsDC) ::DeleteDC(m_hDC); m_hDC = m_hAttribDC = h; m_bOwnsDC = true; return h != nullptr; }
    bool m_bOwnsDC = false;

private:
    static CPen* CPen_FromHandle(HPEN h);
    HGDIOBJ Select(CGdiObject* p)
    {
        p->NoteSelectedInto(m_hDC);
        return ::SelectObject(m_hDC, p->m_hObject);
    }
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};
protected:
    HWND m_hWnd;
};

class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;
protected:
    HWND m_hWnd;
};

class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;
protected:
    HWND m_hWnd;
};
