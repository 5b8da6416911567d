// The owner-drawn popup menu: loaded from a menu template (with item texts replaced by
// command id), images from toolbar resources, and every item drawn in one of two looks,
// the flat XP look or the classic 3D look.
#pragma once
#include "framework/Afx.h"
#include "ui/DmMenuData.h"

#include <string>
#include <vector>

// Command id to the ANSI text that replaces the template's text of that item.
using DmMenuTexts = CMap<UINT, UINT, CString, LPCSTR>;

class DmMenu : public CMenu {
    DECLARE_DYNAMIC(DmMenu)
public:
    DmMenu();
    ~DmMenu() override;

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDIS);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMIS);
    // Build the menu from a template; FALSE (menu left empty) when the template is missing,
    // malformed or no menu could be created.
    virtual BOOL LoadMenuWithTexts(UINT nIDResource, DmMenuTexts texts);
    virtual BOOL LoadMenuWithTexts(LPCSTR lpszResourceName, DmMenuTexts texts);
    virtual BOOL LoadMenuTemplate(UINT nIDResource);
    virtual BOOL LoadMenuTemplate(LPCSTR lpszResourceName);
    // Deletes every item record and submenu object, then the menu itself.
    virtual BOOL DestroyMenuItems();

    // An id of 0 appends a separator; a popup item passes its submenu handle as the id.
    // nImageSource: below 0 the image already registered for the id; else a toolbar
    // resource whose button image of that id is registered.
    BOOL AppendItem(LPCWSTR lpszText, UINT nFlags, UINT_PTR nID, int nImageSource = -1);
    BOOL AppendItem(LPCSTR lpszText, UINT nFlags, UINT_PTR nID, int nImageSource = -1);
    // Every item of that command id (anywhere in the tree) takes the text when given and,
    // when images is given, image nImage of it.
    BOOL ModifyItemImage(LPCWSTR lpszText, UINT nID, CImageList* images, int nImage);
    // Images of a toolbar resource for the items whose command ids it holds: TRUE when added.
    BOOL LoadToolbarImages(UINT nToolbarID);
    // The size of the item images, for this menu and its submenus.
    void SetImageSize(int cx, int cy);
    void SetBitmapBackground(COLORREF color) { m_bitmapBackground = color; m_bUseBackground = TRUE; }
    CSize GetImageSize() const { return CSize(m_iconX, m_iconY); }

    // The WM_MENUCHAR answer for a popup menu of this class: executes the first item whose
    // text holds "&" and the character (ignoring case), else 0.
    static LRESULT FindMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    // The menu object of a handle with owner-drawn items, or null.
    static DmMenu* FromMenuHandle(HMENU hMenu);

    // Look: XP look on themed Windows XP / on every other system.
    static void SetMenuDrawMode(BOOL bXpOnThemedXp, BOOL bXpElsewhere);
    static void SetThreeImageMode(BOOL bThreeImages);
    static BOOL UseXpLook();
    static BOOL IsThemedXp();
    // 0 Windows 3.x-style, 2..4 the 9x family, 5 NT 4, 6 2000, 7 XP, 1 anything newer.
    static int WindowsVersionCode();
    // c moved toward white by factor (0, 1]; other factors leave it unchanged.
    static COLORREF LightenColor(COLORREF c, double factor);
    // text when it stands out from back, else black or white, whichever does.
    static COLORREF ReadableOn(COLORREF text, COLORREF back);

    const std::vector<DmMenuData*>& Items() const { return m_items; }

    static constexpr int kDefaultImageWidth = 16;
    static constexpr int kDefaultImageHeight = 15;
    static constexpr COLORREF kDefaultBitmapBackground = RGB(192, 192, 192);

private:
    BOOL LoadFromResource(LPCSTR lpszResourceName, const DmMenuTexts* texts);
    BOOL BuildFromTemplate(const BYTE* data, DWORD size, const DmMenuTexts* texts);
    void MakeTopLevelText();
    void AlignTabs();
    void SynchronizeMenu();
    void ReleaseItems();
    void FindItems(UINT nID, std::vector<std::pair<DmMenu*, DmMenuData*>>& found);
    int AddSharedImage(HICON hIcon, UINT nID);
    int RegisterToolbarImage(UINT nToolbarID, UINT nID);
    BOOL LoadToolbarList(UINT nToolbarID, class DmMenuToolBar& bar, CImageList& list);
    void DrawItemClassic(LPDRAWITEMSTRUCT lpDIS, const DmMenuData& data);
    void DrawItemXp(LPDRAWITEMSTRUCT lpDIS, const DmMenuData& data);
    void DrawItemText(CDC* pDC, const DmMenuData& data, CRect rect, COLORREF color);
    int ItemImage(const DmMenuData& data) const;

    std::vector<DmMenuData*> m_items;  // in menu position order
    std::vector<DmMenu*> m_subMenus;   // created for popup items, owned
    int m_iconX = kDefaultImageWidth;
    int m_iconY = kDefaultImageHeight;
    COLORREF m_bitmapBackground = kDefaultBitmapBackground;
    BOOL m_bUseBackground = FALSE;
    BOOL m_bTopLevelAsText = FALSE;
};
