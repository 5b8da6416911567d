// The owner-drawn button of the configuration pages: six colours, icons for the hot and the
// plain state, flat hover highlight, check-box and radio emulation by window style, a tooltip,
// and an owner-drawn popup menu whose chosen command goes to an owner window.
#pragma once
#include "framework/Afx.h"
#include "base/MainWindowClosing.h"
#include "ui/DmMenu.h"

#include <memory>

class CButtonST : public CButton {
    DECLARE_DYNAMIC(CButtonST)
public:
    CButtonST();
    ~CButtonST() override;

    // Colour slots.
    enum {
        BTNST_COLOR_BK_IN = 0,     // face when hot or pressed
        BTNST_COLOR_FG_IN = 1,     // text when hot or pressed
        BTNST_COLOR_BK_OUT = 2,    // face
        BTNST_COLOR_FG_OUT = 3,    // text
        BTNST_COLOR_BK_FOCUS = 4,  // face when focused
        BTNST_COLOR_FG_FOCUS = 5,  // text when focused
        BTNST_MAX_COLORS = 6
    };
    // Placement of the icon against the caption.
    enum {
        ST_ALIGN_HORIZ = 0,        // icon left, caption right of it
        ST_ALIGN_VERT = 1,         // icon above the caption
        ST_ALIGN_HORIZ_RIGHT = 2,  // icon right, caption left of it
        ST_ALIGN_OVERLAP = 3       // caption over the icon
    };
    // Results of the setters.
    enum {
        BTNST_OK = 0,
        BTNST_INVALIDRESOURCE = 1,
        BTNST_INVALIDINDEX = 3,
        BTNST_INVALIDALIGN = 4,
        BTNST_BADPARAM = 5,
        BTNST_INVALIDPRESSEDSTYLE = 6
    };
    // Out-icon ids that derive the out icon from the in icon.
    static constexpr int BTNST_AUTO_GRAY = -2;
    static constexpr int BTNST_AUTO_DARKER = -3;
    static constexpr int kUrlBytes = 260;

    DWORD SetButtonColor(BYTE byColorIndex, COLORREF crColor, BOOL bRepaint = TRUE);
    COLORREF GetButtonColor(BYTE byColorIndex) const { return byColorIndex < BTNST_MAX_COLORS ? m_crColors[byColorIndex] : 0; }
    // Adds the offset to red, green and blue, reduced (keeping its sign) so that no channel leaves 0..255.
    DWORD ShiftButtonColor(BYTE byColorIndex, short shOffset, BOOL bRepaint = TRUE);
    DWORD SetDefaultColors(BOOL bRepaint = TRUE);
    DWORD SetContentAlign(BYTE byAlign, BOOL bRepaint = TRUE);
    // 0: pressed content moves by (1, 1); 1: by (0, 2).
    DWORD SetPressedStyle(BYTE byStyle, BOOL bRepaint = TRUE);
    DWORD SetFlat(BOOL bFlat, BOOL bRepaint = TRUE);
    DWORD SetDrawBorder(BOOL bDrawBorder, BOOL bRepaint = TRUE);
    // Check-box and radio styles only.
    DWORD SetCheck(int nCheck, BOOL bRepaint = TRUE);
    int GetCheck() const { return m_nCheck; }
    void SetSelected(BOOL bSelected, BOOL bRepaint = TRUE);
    BOOL GetSelected() const { return m_bSelected; }
    void SetAlwaysTrack(BOOL bAlwaysTrack) { m_bAlwaysTrack = bAlwaysTrack; }

    // Icons from the resource module; sizes of 0 take the icon's own. nIconOut: 0 none,
    // BTNST_AUTO_GRAY a grey copy of the in icon, BTNST_AUTO_DARKER a darkened copy.
    DWORD SetIcon(int nIconIn, int cxIn, int cyIn, int nIconOut, int cxOut, int cyOut);
    DWORD SetIconPair(int nIconIn, int nIconOut = 0) { return SetIcon(nIconIn, 0, 0, nIconOut, 0, 0); }
    // The button owns the icons from here on; hIconOut may be BTNST_AUTO_GRAY or BTNST_AUTO_DARKER.
    DWORD SetIconHandles(HICON hIconIn, HICON hIconOut);
    HICON GetIconIn() const { return m_icons[0].hIcon; }
    HICON GetIconOut() const { return m_icons[1].hIcon; }

    // Opened with the shell when a push button without a menu is clicked (cut to 259 characters).
    DWORD SetURL(LPCSTR lpszURL);
    LPCSTR GetURL() const { return m_szURL; }
    void SetTooltipText(LPCSTR lpszText, BOOL bActivate = TRUE);
    void SetTooltipStyle(DWORD dwStyle) { m_dwToolTipStyle = dwStyle; }
    CToolTipCtrl& Tooltip() { return m_ToolTip; }

    // Menu nMenu (0: none) with its texts replaced by command id, the look (XP or classic)
    // for every menu, images from toolbar nToolbarID (0: none) of cx x cy on crBackground.
    // The chosen command is posted to hParentWnd.
    DWORD SetMenu(UINT nMenu, HWND hParentWnd, BOOL bXpLook, UINT nToolbarID, DmMenuTexts texts, int cx, int cy,
                  COLORREF crBackground, BOOL bRepaint = TRUE);
    // nMessage is sent to hWnd just before the menu opens, with the submenu handle as wParam.
    DWORD SetMenuCallback(HWND hWnd, UINT nMessage, LPARAM lParam = 0);
    DmMenu& PopupMenu() { return m_menuPopup; }

protected:
    virtual DWORD DrawButtonBackground(CDC* pDC, CRect* pRect);
    virtual DWORD DrawButtonBorder(CDC* pDC, CRect* pRect);
    virtual void DrawButtonIcon(CDC* pDC, CRect* pItem, CRect* pCaption);
    virtual void DrawButtonText(CDC* pDC, CRect* pCaption, LPCSTR lpszText);

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    BOOL OnClicked();
    void OnMouseMove(UINT nFlags, CPoint point);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    void OnKillFocus(CWnd* pNewWnd);
    void OnCancelMode();
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnEnable(BOOL bEnable);
    void OnSysColorChange();
    UINT OnGetDlgCode();
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    void CancelHover();
    void Repaint(BOOL bRepaint) { if (bRepaint && m_hWnd) Invalidate(); }
    // Where an image of cx x cy goes; the caption rectangle makes room for it.
    void PlaceImage(bool bHasTitle, const CRect& item, CRect* pCaption, int cx, int cy, CRect* pImage) const;
    bool MovesWhenPressed() const { return !(m_bIsCheckBox && m_bIsRadio); }
    void FreeIcons();
    void UncheckGroupSiblings();
    // Tracks the menu; false when the button went meanwhile.
    bool OpenMenu();

    BOOL m_bIsFlat = TRUE;
    BOOL m_bMouseOnButton = FALSE;  // hot
    BOOL m_bIsPressed = FALSE;
    BOOL m_bIsFocused = FALSE;
    BOOL m_bIsDisabled = FALSE;
    bool m_bFocusDroppedByDisabling = false;
    BOOL m_bIsDefault = FALSE;
    BOOL m_bIsCheckBox = FALSE;
    BOOL m_bIsRadio = FALSE;
    int m_nCheck = 0;
    BOOL m_bDrawBorder = TRUE;
    BOOL m_bDrawFlatFocus = FALSE;
    BYTE m_byAlign = ST_ALIGN_HORIZ;
    int m_nMarginX = 3;
    int m_nMarginY = 3;
    CPoint m_ptPressedOffset{1, 1};
    BOOL m_bTextLeftAligned = FALSE;
    BOOL m_bSelected = FALSE;
    COLORREF m_crColors[BTNST_MAX_COLORS] = {};

    struct ButtonIcon {
        HICON hIcon = nullptr;
        int cx = 0;
        int cy = 0;
    };
    ButtonIcon m_icons[2];  // in (hot or pressed), out

    char m_szURL[kUrlBytes] = {};
    CString m_strToolTip;
    CToolTipCtrl m_ToolTip;
    DWORD m_dwToolTipStyle = 0;
    BOOL m_bAlwaysTrack = FALSE;

    DmMenu m_menuPopup;
    HWND m_hParentWndMenu = nullptr;
    BOOL m_bMenuDisplayed = FALSE;
    HWND m_hCallbackWnd = nullptr;
    UINT m_nCallbackMessage = 0;
    LPARAM m_lCallbackParam = 0;

    UINT m_nTypeStyle = 0;  // the low four style bits found at subclassing

private:
    // Cleared when the object goes, so that code still on the stack can tell.
    std::shared_ptr<bool> m_pAlive = std::make_shared<bool>(true);
};
