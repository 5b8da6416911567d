#include "ui/ButtonST.h"
#include "ui/TopDownDib.h"
#include "base/DebugLog.h"

#include <algorithm>
#include <cstring>
#include <vector>

IMPLEMENT_DYNAMIC(CButtonST, CButton)

namespace {
constexpr int kTooltipToolId = 1;
constexpr int kTooltipMaxWidth = 400;
constexpr int kFocusInset = 3;
constexpr int kCaptionGap = 5;  // between a left-aligned icon and the caption
constexpr double kDarkerFactor = 0.25;
constexpr UINT kLowStyleBits = 0x0F;
constexpr UINT kStyleCheckBoxBit = 0x02;
constexpr UINT kStyleRadioBit = 0x04;
constexpr UINT kStyleAutoRadioBits = 0x01 | 0x08;

// The colour bitmap of an icon as 32-bit top-down pixels, changed by op and made into a new
// icon with the same mask; null on any failure.
template <class PixelOp>
HICON TransformIcon(HICON hIcon, PixelOp op)
{
    ICONINFO info{};
    if (!::GetIconInfo(hIcon, &info)) return nullptr;
    HICON result = nullptr;
    const int cx = static_cast<int>(info.xHotspot) * 2, cy = static_cast<int>(info.yHotspot) * 2;
    if (info.hbmColor && cx > 0 && cy > 0) {
        BITMAPINFO bi = TopDown32BitInfo(cx, cy);
        std::vector<DWORD> pixels(static_cast<size_t>(cx) * cy);
        HDC hdc = ::GetDC(nullptr);
        if (::GetDIBits(hdc, info.hbmColor, 0, cy, pixels.data(), &bi, DIB_RGB_COLORS)) {
            for (DWORD& p : pixels) {
                BYTE b = p & 0xFF, g = (p >> 8) & 0xFF, r = (p >> 16) & 0xFF;
                if (r == 0 && g == 0 && b == 0) continue;  // black stays black
                op(r, g, b);
                p = (p & 0xFF000000) | (r << 16) | (g << 8) | b;
            }
            // A DIB section keeps the alpha channel of the icon's pixels.
            void* bits = nullptr;
            const BITMAPINFO section = TopDown32BitInfo(cx, cy);
            HBITMAP color = ::CreateDIBSection(hdc, &section, DIB_RGB_COLORS, &bits, nullptr, 0);
            if (color) {
                memcpy(bits, pixels.data(), pixels.size() * sizeof(DWORD));
                ICONINFO made{TRUE, info.xHotspot, info.yHotspot, info.hbmMask, color};
                result = ::CreateIconIndirect(&made);
            }
            if (color) ::DeleteObject(color);
        }
        ::ReleaseDC(nullptr, hdc);
    }
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    return result;
}

HICON CreateGrayscaleIcon(HICON hIcon)
{
    return TransformIcon(hIcon, [](BYTE& r, BYTE& g, BYTE& b) {
        BYTE lum = static_cast<BYTE>(0.299 * r + 0.587 * g + 0.114 * b);
        r = g = b = lum;
    });
}

HICON CreateDarkerIcon(HICON hIcon)
{
    return TransformIcon(hIcon, [](BYTE& r, BYTE& g, BYTE& b) {
        r = static_cast<BYTE>(r - r * kDarkerFactor);
        g = static_cast<BYTE>(g - g * kDarkerFactor);
        b = static_cast<BYTE>(b - b * kDarkerFactor);
    });
}

bool IconSize(HICON hIcon, int& cx, int& cy)
{
    ICONINFO info{};
    if (!::GetIconInfo(hIcon, &info)) return false;
    cx = static_cast<int>(info.xHotspot) * 2;
    cy = static_cast<int>(info.yHotspot) * 2;
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    if (info.hbmMask) ::DeleteObject(info.hbmMask);
    return true;
}

HICON LoadIconResource(int nID, int cx, int cy)
{
    LPCSTR name = MAKEINTRESOURCEA(nID);
    HINSTANCE hInst = AfxFindResourceHandle(name, reinterpret_cast<LPCSTR>(RT_GROUP_ICON));
    return hInst ? static_cast<HICON>(::LoadImageA(hInst, name, IMAGE_ICON, cx, cy, 0)) : nullptr;
}
}  // namespace

BEGIN_MESSAGE_MAP(CButtonST, CButton)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_KILLFOCUS()
    ON_WM_CANCELMODE()
    ON_WM_ACTIVATE()
    ON_WM_ENABLE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_GETDLGCODE()
    ON_WM_CTLCOLOR_REFLECT()
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
    ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
    ON_MESSAGE(BM_SETCHECK, OnSetCheck)
    ON_MESSAGE(BM_GETCHECK, OnGetCheck)
END_MESSAGE_MAP()

CButtonST::CButtonST()
{
    SetDefaultColors(FALSE);
}

CButtonST::~CButtonST()
{
    *m_pAlive = false;
    FreeIcons();
    m_menuPopup.DestroyMenuItems();
}

// Setters.

DWORD CButtonST::SetButtonColor(BYTE byColorIndex, COLORREF crColor, BOOL bRepaint)
{
    if (byColorIndex >= BTNST_MAX_COLORS) return BTNST_INVALIDINDEX;
    m_crColors[byColorIndex] = crColor;
    Repaint(bRepaint);
    return BTNST_OK;
}

DWORD CButtonST::ShiftButtonColor(BYTE byColorIndex, short shOffset, BOOL bRepaint)
{
    if (byColorIndex >= BTNST_MAX_COLORS) return BTNST_INVALIDINDEX;
    if (shOffset < -255 || shOffset > 255) return BTNST_BADPARAM;
    const COLORREF c = m_crColors[byColorIndex];
    const int channels[] = {GetRValue(c), GetGValue(c), GetBValue(c)};
    int offset = shOffset;
    for (int v : channels) offset = offset > 0 ? std::min(offset, 255 - v) : std::max(offset, -v);
    m_crColors[byColorIndex] = RGB(channels[0] + offset, channels[1] + offset, channels[2] + offset);
    Repaint(bRepaint);
    return BTNST_OK;
}

DWORD CButtonST::SetDefaultColors(BOOL bRepaint)
{
    m_crColors[BTNST_COLOR_BK_IN] = ::GetSysColor(COLOR_BTNFACE);
    m_crColors[BTNST_COLOR_FG_IN] = ::GetSysColor(COLOR_BTNTEXT);
    m_crColors[BTNST_COLOR_BK_OUT] = ::GetSysColor(COLOR_BTNFACE);
    m_crColors[BTNST_COLOR_FG_OUT] = ::GetSysColor(COLOR_BTNTEXT);
    m_crColors[BTNST_COLOR_BK_FOCUS] = ::GetSysColor(COLOR_BTNFACE);
    m_crColors[BTNST_COLOR_FG_FOCUS] = ::GetSysColor(COLOR_BTNTEXT);
    Repaint(bRepaint);
    return BTNST_OK;
}

DWORD CButtonST::SetContentAlign(BYTE byAlign, BOOL bRepaint)
{
    if (byAlign > ST_ALIGN_OVERLAP) return BTNST_INVALIDALIGN;
    m_byAlign = byAlign;
    Repaint(bRepaint);
    return BTNST_OK;
}

DWORD CButtonST::SetPressedStyle(BYTE byStyle, BOOL bRepaint)
{
    switch (byStyle) {
    case 0: m_ptPressedOffset = CPoint(1, 1); break;
    case 1: m_ptPressedOffset = CPoint(0, 2); break;
    default: return BTNST_INVALIDPRESSEDSTYLE;
    }
    Repaint(bRepaint);
    return BTNST_OK;
}

DWORD CButtonST::SetFlat(BOOL bFlat, BOOL bRepaint)
{
    m_bIsFlat = bFlat;
    Repaint(bRepaint);
    return BTNST_OK;
}

DWORD CButtonST::SetDrawBorder(BOOL bDrawBorder, BOOL bRepaint)
{
    m_bDrawBorder = bDrawBorder;
    Repaint(bRepaint);
    return BTNST_OK;
}

DWORD CButtonST::SetCheck(int nCheck, BOOL bRepaint)
{
    if (m_bIsCheckBox || m_bIsRadio) {
        m_nCheck = nCheck != 0;
        Repaint(bRepaint);
    }
    return BTNST_OK;
}

void CButtonST::SetSelected(BOOL bSelected, BOOL bRepaint)
{
    m_bSelected = bSelected;
    Repaint(bRepaint);
}

void CButtonST::FreeIcons()
{
    for (ButtonIcon& icon : m_icons) {
        if (icon.hIcon) ::DestroyIcon(icon.hIcon);
        icon = ButtonIcon{};
    }
}

DWORD CButtonST::SetIcon(int nIconIn, int cxIn, int cyIn, int nIconOut, int cxOut, int cyOut)
{
    HICON in = LoadIconResource(nIconIn, cxIn, cyIn);
    HICON out = nullptr;
    if (nIconOut == BTNST_AUTO_GRAY || nIconOut == BTNST_AUTO_DARKER)
        out = reinterpret_cast<HICON>(static_cast<INT_PTR>(nIconOut));
    else if (nIconOut)
        out = LoadIconResource(nIconOut, cxOut, cyOut);
    if (!in || (nIconOut > 0 && !out)) {
        DebugLog(1, "[QxUI] CButtonST::SetIcon() LoadImage fail for icon %d or %d, error code = %d\n", nIconIn, nIconOut,
                 ::GetLastError());
        if (in) ::DestroyIcon(in);
        if (nIconOut > 0 && out) ::DestroyIcon(out);
        FreeIcons();
        return BTNST_INVALIDRESOURCE;
    }
    return SetIconHandles(in, out);
}

DWORD CButtonST::SetIconHandles(HICON hIconIn, HICON hIconOut)
{
    FreeIcons();
    if (!hIconIn) {
        Repaint(TRUE);
        return BTNST_OK;
    }
    const auto code = reinterpret_cast<INT_PTR>(hIconOut);
    if (code == BTNST_AUTO_GRAY)
        hIconOut = CreateGrayscaleIcon(hIconIn);
    else if (code == BTNST_AUTO_DARKER)
        hIconOut = CreateDarkerIcon(hIconIn);
    bool ok = (code != BTNST_AUTO_GRAY && code != BTNST_AUTO_DARKER) || hIconOut;
    m_icons[0].hIcon = hIconIn;
    m_icons[1].hIcon = hIconOut;
    ok = ok && IconSize(hIconIn, m_icons[0].cx, m_icons[0].cy) && (!hIconOut || IconSize(hIconOut, m_icons[1].cx, m_icons[1].cy));
    if (!ok) {
        DebugLog(1, "[QxUI] CButtonST::SetIconHandles() GetIconInfo fail\n");
        FreeIcons();
        return BTNST_INVALIDRESOURCE;
    }
    Repaint(TRUE);
    return BTNST_OK;
}

DWORD CButtonST::SetURL(LPCSTR lpszURL)
{
    memset(m_szURL, 0, sizeof m_szURL);
    if (lpszURL) lstrcpynA(m_szURL, lpszURL, kUrlBytes);
    return BTNST_OK;
}

void CButtonST::SetTooltipText(LPCSTR lpszText, BOOL bActivate)
{
    if (!lpszText || !m_hWnd) return;
    if (!m_ToolTip.m_hWnd) {
        if (!m_ToolTip.Create(this, m_dwToolTipStyle)) {
            DebugLog(1, "[QxUI] CButtonST::SetTooltipText() CreateWindowEx fail, error code = %d\n", ::GetLastError());
            return;
        }
        m_ToolTip.Activate(FALSE);
        m_ToolTip.SetMaxTipWidth(kTooltipMaxWidth);
    }
    m_strToolTip = lpszText;
    if (m_ToolTip.GetToolCount() == 0) {
        CRect client;
        GetClientRect(&client);
        m_ToolTip.AddTool(this, lpszText, &client, kTooltipToolId);
    }
    m_ToolTip.UpdateTipText(lpszText, this, kTooltipToolId);
    m_ToolTip.Activate(bActivate);
}

DWORD CButtonST::SetMenu(UINT nMenu, HWND hParentWnd, BOOL bXpLook, UINT nToolbarID, DmMenuTexts texts, int cx, int cy,
                         COLORREF crBackground, BOOL bRepaint)
{
    m_menuPopup.DestroyMenuItems();
    m_hParentWndMenu = nullptr;
    if (nMenu) {
        DmMenu::SetMenuDrawMode(bXpLook, bXpLook);
        if (!m_menuPopup.LoadMenuWithTexts(nMenu, std::move(texts))) return BTNST_INVALIDRESOURCE;
        if (nToolbarID) {
            m_menuPopup.SetBitmapBackground(crBackground);
            m_menuPopup.SetImageSize(cx, cy);
            if (!m_menuPopup.LoadToolbarImages(nToolbarID)) {
                m_menuPopup.DestroyMenuItems();
                return BTNST_INVALIDRESOURCE;
            }
        }
        m_hParentWndMenu = hParentWnd;
    }
    Repaint(bRepaint);
    return BTNST_OK;
}

DWORD CButtonST::SetMenuCallback(HWND hWnd, UINT nMessage, LPARAM lParam)
{
    m_hCallbackWnd = hWnd;
    m_nCallbackMessage = nMessage;
    m_lCallbackParam = lParam;
    return BTNST_OK;
}

// Subclassing and messages.

void CButtonST::PreSubclassWindow()
{
    UINT style = GetButtonStyle() & kLowStyleBits;
    if (style & kStyleCheckBoxBit) m_bIsCheckBox = TRUE;
    if ((style & kStyleRadioBit) || (style & kStyleAutoRadioBits) == kStyleAutoRadioBits) m_bIsRadio = TRUE;
    if (style == BS_DEFPUSHBUTTON) {
        m_bIsDefault = TRUE;
        style = BS_PUSHBUTTON;
    }
    m_nTypeStyle = style;
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, SWP_FRAMECHANGED);
    CButton::PreSubclassWindow();
}

BOOL CButtonST::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd == m_hWnd) {
        if (m_ToolTip.m_hWnd && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
            m_ToolTip.RelayEvent(pMsg);
        // A double click is a second press.
        if (pMsg->message == WM_LBUTTONDBLCLK) pMsg->message = WM_LBUTTONDOWN;
    }
    return CButton::PreTranslateMessage(pMsg);
}

void CButtonST::CancelHover()
{
    if (m_bIsFlat && m_bMouseOnButton) {
        m_bMouseOnButton = FALSE;
        Invalidate();
    }
}

void CButtonST::OnMouseMove(UINT nFlags, CPoint point)
{
    Default();
    if ((nFlags & MK_LBUTTON) && !m_bMouseOnButton) return;
    if (!m_bIsFlat) return;
    ClientToScreen(&point);
    HWND under = ::WindowFromPoint(point);
    if (under == m_hWnd && (m_bAlwaysTrack || ::GetActiveWindow())) {
        if (!m_bMouseOnButton) {
            m_bMouseOnButton = TRUE;
            Invalidate();
            TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, m_hWnd, 0};
            ::_TrackMouseEvent(&tme);
        } else if (m_ToolTip.m_hWnd && !m_strToolTip.IsEmpty()) {
            m_ToolTip.UpdateTipText(m_strToolTip, this, kTooltipToolId);
            m_ToolTip.Activate(TRUE);
        }
    } else {
        CancelHover();
    }
}

LRESULT CButtonST::OnMouseLeave(WPARAM, LPARAM)
{
    CancelHover();
    return 0;
}

void CButtonST::OnKillFocus(CWnd* pNewWnd)
{
    Default();
    // Disabling the focused window drops its focus before WM_ENABLE comes.
    m_bFocusDroppedByDisabling = (!pNewWnd || !pNewWnd->m_hWnd) && !IsWindowEnabled();
    CancelHover();
}

void CButtonST::OnCancelMode()
{
    Default();
    CancelHover();
}

void CButtonST::OnActivate(UINT nState, CWnd*, BOOL)
{
    Default();
    if (nState == WA_INACTIVE) CancelHover();
}

void CButtonST::OnEnable(BOOL bEnable)
{
    Default();
    if (bEnable) return;
    // Only the button's own focus moves on: a page greying it while the user types elsewhere
    // leaves the focus where it is.
    const bool hadFocus = ::GetFocus() == m_hWnd || m_bFocusDroppedByDisabling;
    m_bFocusDroppedByDisabling = false;
    CWnd* pParent = GetParent();
    if (hadFocus && pParent) {
        CWnd* pNext = pParent->GetNextDlgTabItem(this);
        if (pNext && pNext->m_hWnd != m_hWnd)
            pNext->SetFocus();
        else
            pParent->SetFocus();
    }
    CancelHover();
}

void CButtonST::OnSysColorChange()
{
    Default();
    SetDefaultColors(TRUE);
}

UINT CButtonST::OnGetDlgCode()
{
    UINT code = static_cast<UINT>(Default());
    if (m_bIsRadio) return code | DLGC_RADIOBUTTON;
    return code | (m_bIsDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

HBRUSH CButtonST::CtlColor(CDC*, UINT)
{
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

LRESULT CButtonST::OnSetStyle(WPARAM wParam, LPARAM lParam)
{
    UINT style = static_cast<UINT>(wParam) & BS_TYPEMASK;
    if (style == BS_DEFPUSHBUTTON) m_bIsDefault = TRUE;
    if (style == BS_PUSHBUTTON) m_bIsDefault = FALSE;
    return DefWindowProc(BM_SETSTYLE, (wParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW, lParam);
}

LRESULT CButtonST::OnSetCheck(WPARAM wParam, LPARAM lParam)
{
    if (!m_bIsCheckBox && !m_bIsRadio) return DefWindowProc(BM_SETCHECK, wParam, lParam);
    m_nCheck = (wParam == BST_CHECKED || wParam == BST_INDETERMINATE);
    Invalidate();
    return 0;
}

LRESULT CButtonST::OnGetCheck(WPARAM wParam, LPARAM lParam)
{
    if (!m_bIsCheckBox && !m_bIsRadio) return DefWindowProc(BM_GETCHECK, wParam, lParam);
    return m_nCheck;
}

// Every other control of the radio group, before and after this one, is unchecked.
void CButtonST::UncheckGroupSiblings()
{
    if (!(GetStyle() & WS_GROUP)) {
        for (HWND h = ::GetWindow(m_hWnd, GW_HWNDPREV); h; h = ::GetWindow(h, GW_HWNDPREV)) {
            ::SendMessageA(h, BM_SETCHECK, BST_UNCHECKED, 0);
            if (::GetWindowLongPtrA(h, GWL_STYLE) & WS_GROUP) break;
        }
    }
    for (HWND h = ::GetWindow(m_hWnd, GW_HWNDNEXT); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (::GetWindowLongPtrA(h, GWL_STYLE) & WS_GROUP) break;
        ::SendMessageA(h, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

BOOL CButtonST::OnClicked()
{
    SetFocus();
    if (m_bIsCheckBox) {
        m_nCheck = !m_nCheck;
    } else if (m_bIsRadio) {
        SendMessage(BM_SETCHECK, BST_CHECKED);
        UncheckGroupSiblings();
    } else if (m_menuPopup.m_hMenu) {
        // A button that went while its menu was open keeps the click to itself.
        return OpenMenu() ? FALSE : TRUE;
    } else {
        if (m_szURL[0]) {
            SHELLEXECUTEINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = SEE_MASK_FLAG_NO_UI;
            info.lpVerb = "open";
            info.lpFile = m_szURL;
            info.nShow = SW_SHOWMAXIMIZED;
            if (!::ShellExecuteExA(&info))
                DebugLog(1, "[QxUI] CButtonST::OnClicked() ShellExecuteEx fail, error code = %d\n", ::GetLastError());
        }
        return FALSE;
    }
    Invalidate();
    return FALSE;
}

bool CButtonST::OpenMenu()
{
    HMENU hSubMenu = ::GetSubMenu(m_menuPopup.m_hMenu, 0);
    if (!hSubMenu) return true;
    m_bMenuDisplayed = TRUE;
    Invalidate();
    if (m_hCallbackWnd)
        ::SendMessageA(m_hCallbackWnd, m_nCallbackMessage, reinterpret_cast<WPARAM>(hSubMenu), m_lCallbackParam);
    CRect rect;
    GetWindowRect(&rect);
    // Tracking runs a message loop in which the button and its owner may be destroyed.
    const std::shared_ptr<bool> alive = m_pAlive;
    const HWND hSelf = m_hWnd;
    const UINT command = static_cast<UINT>(::TrackPopupMenu(
        hSubMenu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_NONOTIFY | TPM_RETURNCMD, rect.left, rect.bottom, 0, m_hWnd, nullptr));
    if (!*alive || !::IsWindow(hSelf)) return false;
    if (G_bMainWindowClosing) return true;
    m_bMenuDisplayed = FALSE;
    Invalidate();
    if (command && m_hParentWndMenu) ::PostMessageA(m_hParentWndMenu, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return true;
}

// Drawing.

void CButtonST::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    if (m_bIsCheckBox || m_bIsRadio)
        m_bIsPressed = (lpDIS->itemState & ODS_SELECTED) || m_nCheck;
    else
        m_bIsPressed = (lpDIS->itemState & ODS_SELECTED) || m_bMenuDisplayed;
    m_bIsFocused = (lpDIS->itemState & ODS_FOCUS) != 0;
    m_bIsDisabled = (lpDIS->itemState & ODS_DISABLED) != 0;

    HGDIOBJ oldFont = nullptr;
    if (HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT))) oldFont = pDC->SelectObject(font);
    pDC->SetBkMode(TRANSPARENT);
    CRect item(lpDIS->rcItem);
    DrawButtonBackground(pDC, &item);
    DrawButtonBorder(pDC, &item);

    CString title = GetWindowText();
    CRect caption(lpDIS->rcItem);
    if (m_icons[0].hIcon) DrawButtonIcon(pDC, &item, &caption);
    if (!title.IsEmpty()) DrawButtonText(pDC, &caption, title);

    if (m_bIsFocused && (!m_bIsFlat || m_bDrawFlatFocus)) {
        CRect focus(lpDIS->rcItem);
        focus.DeflateRect(kFocusInset, kFocusInset);
        pDC->DrawFocusRect(&focus);
    }
    if (oldFont) pDC->SelectObject(oldFont);
}

DWORD CButtonST::DrawButtonBackground(CDC* pDC, CRect* pRect)
{
    if (!m_bIsFlat && (m_bIsFocused || m_bIsDefault)) {
        CBrush black(RGB(0, 0, 0));
        pDC->FrameRect(pRect, &black);
        pRect->DeflateRect(1, 1);
    }
    COLORREF face = m_crColors[BTNST_COLOR_BK_OUT];
    if (m_bMouseOnButton || m_bIsPressed)
        face = m_crColors[BTNST_COLOR_BK_IN];
    else if (m_bIsFocused)
        face = m_crColors[BTNST_COLOR_BK_FOCUS];
    pDC->FillSolidRect(pRect, face);
    return BTNST_OK;
}

DWORD CButtonST::DrawButtonBorder(CDC* pDC, CRect* pRect)
{
    if (m_bIsPressed) {
        if (m_bIsFlat) {
            if (m_bDrawBorder) pDC->Draw3dRect(pRect, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_3DHILIGHT));
        } else {
            CBrush shadow(::GetSysColor(COLOR_BTNSHADOW));
            pDC->FrameRect(pRect, &shadow);
        }
        return BTNST_OK;
    }
    if (!m_bIsFlat) {
        const int l = pRect->left, t = pRect->top, r = pRect->right, b = pRect->bottom;
        struct Line {
            int color;
            POINT pts[3];
        } const lines[] = {
            {COLOR_3DHILIGHT, {{l, b - 1}, {l, t}, {r, t}}},
            {COLOR_3DLIGHT, {{l + 1, b - 1}, {l + 1, t + 1}, {r, t + 1}}},
            {COLOR_3DDKSHADOW, {{l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1}}},
            {COLOR_BTNSHADOW, {{l + 1, b - 2}, {r - 2, b - 2}, {r - 2, t}}},
        };
        for (const Line& line : lines) {
            CPen pen(PS_SOLID, 1, ::GetSysColor(line.color));
            CPen* old = pDC->SelectObject(&pen);
            pDC->Polyline(line.pts, 3);
            pDC->SelectObject(old);
        }
    } else if (m_bMouseOnButton && m_bDrawBorder) {
        pDC->Draw3dRect(pRect, ::GetSysColor(COLOR_3DHILIGHT), ::GetSysColor(COLOR_BTNSHADOW));
    }
    return BTNST_OK;
}

void CButtonST::PlaceImage(bool bHasTitle, const CRect& item, CRect* pCaption, int cx, int cy, CRect* pImage) const
{
    *pImage = item;
    const int centredLeft = item.left + (item.Width() - cx) / 2;
    const int centredTop = item.top + (item.Height() - cy) / 2;
    switch (m_byAlign) {
    case ST_ALIGN_HORIZ:
        pImage->left = bHasTitle ? item.left + m_nMarginX : centredLeft;
        if (bHasTitle) pCaption->left += m_nMarginX + cx + kCaptionGap;
        pImage->top = centredTop;
        break;
    case ST_ALIGN_HORIZ_RIGHT:
        if (bHasTitle) {
            pImage->left = item.right - cx - m_nMarginX;
            pCaption->right = pImage->left;
            pCaption->left = item.left + m_nMarginX;
        } else {
            pImage->left = centredLeft;
        }
        pImage->top = centredTop;
        break;
    case ST_ALIGN_VERT:
        pImage->left = centredLeft;
        if (bHasTitle) {
            pImage->top = item.top + m_nMarginY;
            pCaption->top = pImage->top + cy;
        } else {
            pImage->top = centredTop;
        }
        break;
    default:  // ST_ALIGN_OVERLAP
        pImage->left = centredLeft;
        pImage->top = centredTop;
        break;
    }
    pImage->right = pImage->left + cx;
    pImage->bottom = pImage->top + cy;
    if (m_bIsPressed && MovesWhenPressed()) pImage->OffsetRect(m_ptPressedOffset.x, m_ptPressedOffset.y);
}

void CButtonST::DrawButtonIcon(CDC* pDC, CRect* pItem, CRect* pCaption)
{
    // The in icon shows while pressed (and, but for check boxes, while hot); else the out icon.
    const bool showIn = m_bIsCheckBox ? m_bIsPressed : (m_bIsPressed || m_bMouseOnButton);
    const ButtonIcon& icon = (showIn || !m_icons[1].hIcon) ? m_icons[0] : m_icons[1];
    CRect image;
    PlaceImage(GetWindowTextLength() > 0, *pItem, pCaption, m_icons[0].cx, m_icons[0].cy, &image);
    pDC->DrawState(image.TopLeft(), CSize(icon.cx, icon.cy), icon.hIcon, m_bIsDisabled ? DSS_DISABLED : DSS_NORMAL);
}

void CButtonST::DrawButtonText(CDC* pDC, CRect* pCaption, LPCSTR lpszText)
{
    const bool pushButton = !m_bIsCheckBox && !m_bIsRadio;
    const UINT format = DT_WORDBREAK | ((pushButton && !m_bTextLeftAligned) ? DT_CENTER : DT_LEFT);
    if (m_bIsPressed && MovesWhenPressed()) pCaption->OffsetRect(m_ptPressedOffset.x, m_ptPressedOffset.y);
    CRect area(*pCaption);
    pDC->DrawText(lpszText, -1, pCaption, format | DT_CALCRECT);
    const int dx = (format & DT_CENTER) ? (area.Width() - pCaption->Width()) / 2 : 0;
    pCaption->OffsetRect(dx, (area.Height() - pCaption->Height()) / 2);
    pDC->SetBkMode(TRANSPARENT);
    if (m_bIsDisabled) {
        pCaption->OffsetRect(1, 1);
        pDC->SetTextColor(::GetSysColor(COLOR_3DHILIGHT));
        pDC->DrawText(lpszText, -1, pCaption, format);
        pCaption->OffsetRect(-1, -1);
        pDC->SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
        pDC->DrawText(lpszText, -1, pCaption, format);
        return;
    }
    int text = BTNST_COLOR_FG_OUT, back = BTNST_COLOR_BK_OUT;
    if (m_bMouseOnButton || m_bIsPressed) {
        text = BTNST_COLOR_FG_IN;
        back = BTNST_COLOR_BK_IN;
    } else if (m_bIsFocused) {
        text = BTNST_COLOR_FG_FOCUS;
        back = BTNST_COLOR_BK_FOCUS;
    }
    pDC->SetTextColor(m_crColors[text]);
    pDC->SetBkColor(m_crColors[back]);
    pDC->DrawText(lpszText, -1, pCaption, format);
}
