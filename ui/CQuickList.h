// The owner-data report list of the program's pages and dialogs. It keeps no cell contents:
// for every cell it draws, searches or explains in a tooltip it asks its parent, by sending
// MSG_QUICKLIST_GET_ITEM_DATA with its one cell record, and paints the cell itself (check
// box, image, gradient progress with two-colour text, bold or italic ellipsised text, focus).
#pragma once
#include "ui/CGradient.h"
#include "ui/CachedPicture.h"
#include "ui/SolidFill.h"
#include "ui/StyledFont.h"

#include <vector>

// Messages to the parent, all sent; wParam is the list's window unless said otherwise.
constexpr UINT MSG_QUICKLIST_GET_ITEM_DATA = WM_USER + 1979;  // lParam: CQuickList::CListItemData*
constexpr UINT MSG_QUICKLIST_NAVIGATION_TEST = 0xBBC;         // lParam: CQuickList::CNavigationTest*
constexpr UINT MSG_QUICKLIST_CLICK = 0xBBD;                   // lParam: CQuickList::CListHitInfo*
constexpr UINT MSG_QUICKLIST_HEADER_NOTIFY = 0xBBE;           // lParam: CQuickList::CHeaderRightClick*
constexpr UINT MSG_QUICKLIST_KEYDOWN = 0xBC0;                 // wParam: the virtual-key code, lParam 0
constexpr UINT MSG_QUICKLIST_LBUTTONDOWN = 0xBC1;             // wParam 0, lParam 0
static_assert(MSG_QUICKLIST_GET_ITEM_DATA == 0xBBB, "the cell request is message 3003");

class CQuickList : public CListCtrl {
    DECLARE_DYNAMIC(CQuickList)
public:
    // A colour of a cell record that stands for the system colour of its kind.
    static constexpr COLORREF kSystemColor = 0xFF000000;
    static constexpr int kNoFindColumn = -2;     // the list answers no type-to-find request
    static constexpr int kFindFocusColumn = -1;  // type-to-find searches the focused column
    static constexpr int kToolIdRowFactor = 1000;
    static constexpr int kToolTipChars = 79;

    // The record of one cell; the parent fills it in answer to MSG_QUICKLIST_GET_ITEM_DATA.
    class CListItemData {
    public:
        CListItemData() { Reset(); }
        void Reset();

        int GetItem() const { return m_nItem; }
        int GetSubItem() const { return m_nSubItem; }
        bool IsSelected() const { return m_bSelected; }
        bool IsHot() const { return m_bHot; }

        CString m_strText;
        CString m_strToolTip;  // empty: no tooltip
        bool m_bIgnoreSelection;  // drawn in the unselected colours even in a selected row
        bool m_bBold;
        bool m_bItalic;
        UINT m_nTextFormat;       // DrawText flags, the alignment taken from the column
        int m_nImage;             // index into the list's small image list, -1 none
        CImageList* m_pImageList; // filled by the list
        bool m_bImageIgnoreSelection;
        bool m_bImageCenter;
        UINT m_nImageBlendStyle;  // image-list style of an image in a selected cell
        UINT m_nCheckState;       // DrawFrameControl state of the check box (DFCS_CHECKED = ticked)
        bool m_bCheckBox;
        bool m_bCheckBoxCenter;
        bool m_bCheckBoxIgnoreSelection;
        int m_nProgressMax;       // 0 or less: no progress bar
        int m_nProgressValue;
        COLORREF m_crProgressText;  // text over the filled part
        UINT m_nProgressEdge;       // DrawEdge style of the bar's frame, 0 none
        COLORREF m_crText;
        COLORREF m_crBack;
        COLORREF m_crHotText;
        COLORREF m_crSelectedText;
        COLORREF m_crSelectedBack;         // the list has the focus
        COLORREF m_crSelectedBackNoFocus;
        COLORREF m_crNavigatedText;        // the focused cell of a focused list
        COLORREF m_crNavigatedBack;

    private:
        friend class CQuickList;
        int m_nItem;
        int m_nSubItem;
        bool m_bSelected;
        bool m_bHot;
    };

    // MSG_QUICKLIST_CLICK.
    struct CListHitInfo {
        int m_nItem;        // -1 none
        int m_nSubItem;
        bool m_bOnImage;
        bool m_bOnCheck;
    };
    // MSG_QUICKLIST_NAVIGATION_TEST: the parent may change the new column or refuse with 0.
    struct CNavigationTest {
        int m_nPreviousColumn;
        int m_nNewColumn;
        BOOL m_bAllowChange;
    };
    // MSG_QUICKLIST_HEADER_NOTIFY.
    struct CHeaderRightClick {
        int m_nColumn;      // -1 none
        POINT m_ptScreen;
    };

    // Rectangles of RedrawCells.
    enum CellPart { kCellPart = 0, kCheckPart = 1, kImagePart = 2, kTextPart = 3 };

    CQuickList();
    ~CQuickList() override;

    // Resets the record, fills in what the list knows and asks the parent for the rest.
    virtual CListItemData& GetCellData(int item, int subItem);

    void EnableCellNavigation(bool bEnable) { m_bCellNavigation = bEnable; }
    bool IsCellNavigationEnabled() const { return m_bCellNavigation; }
    int GetFocusColumn() const { return m_nFocusColumn; }
    void SetFindColumn(int column) { m_nFindColumn = column; }
    void SetEmptyMessage(LPCSTR text) { m_strEmptyText = text ? text : ""; }

    void RedrawCells(int firstRow, int lastRow, int column, BOOL bErase = TRUE, CellPart part = kCellPart);
    void RedrawCellTexts(int firstRow, int lastRow, int column, BOOL bErase = TRUE)
    {
        RedrawCells(firstRow, lastRow, column, bErase, kTextPart);
    }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;

    // The rectangles of one cell, in list client coordinates; empty when the part is absent.
    struct CellRects {
        CRect cell, check, image, text, progress;
    };
    CellRects GetCellRects(int item, int subItem, const CListItemData& data) const;

protected:
    void PreSubclassWindow() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnFindItemA(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnFindItemW(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnGetDispInfoA(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnGetDispInfoW(NMHDR* pNMHDR, LRESULT* pResult);
    void OnHotTrack(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnToolTipText(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT, CPoint) {}
    void OnPaint();
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    // Paints one cell into the list's custom-draw context.
    virtual void DrawCell(CDC* pDC, int item, int subItem);
    void DrawEmptyText(CDC* pDC);
    // Moves the focused column (with the parent's consent); answers true when it moved.
    bool NavigateToColumn(int column);
    // Type-to-select of a typed character; answers true when a row was selected.
    bool SelectByChar(char ch);
    int FindRow(int start, int column, const CString& prefix);

    CGradient m_gradient;
    CCachedPicture m_checkBox;
    CCachedPicture m_barFrame;
    CStyledFont m_styledFont;
    CSolidFill m_fill;
    int m_nFindColumn = kFindFocusColumn;
    bool m_bCellNavigation = true;
    int m_nFocusColumn = 0;
    CString m_strEmptyText;
    CListItemData m_cell;

private:
    // What every cell of one painting (or one search) shares, read once when it starts.
    struct CListState {
        DWORD exStyle = 0;
        DWORD style = 0;
        HWND parent = nullptr;
        CImageList* pImages = nullptr;
        int hotItem = -1;
        int focusedItem = -1;
        bool anySelected = false;
        std::vector<CRect> headerItems;  // each column's header item
        std::vector<UINT> alignments;    // DrawText alignment of each column
    };
    // What a held painting (or search) reads only when a cell needs it: the focus, once, and the
    // selection and bounds of the row at hand (a row's cells come one after another).
    struct CReadWhileHeld {
        int selectionRow = -1;
        bool selected = false;
        int boundsRow = -1;
        CRect bounds;
        int focus = -1;  // the list has the focus: 1 or 0, -1 not asked yet
    };
    CListState ReadState() const;
    const CListState& State() const;
    // Answers whether this call took the hold (a nested one leaves it to the outer holder).
    bool HoldState();
    void ReleaseState() { m_bStateHeld = m_bCellHeld = false; }
    void ReleasePaintState();

    CListState m_heldState;
    mutable CReadWhileHeld m_readWhileHeld;
    bool m_bStateHeld = false;
    // While the state is held, m_cell is the parent's answer for its cell: the platform asks
    // for a cell's display information right before the cell is drawn, and one answer serves both.
    bool m_bCellHeld = false;
    bool m_bPaintHolds = false;
    mutable CListState m_currentState;

    COLORREF TextColor(const CListItemData& data, bool selected, bool focusedCell) const;
    COLORREF BackColor(const CListItemData& data, bool selected, bool focusedCell) const;
    // Asking the system for the focus is a trip to the window server: a painting asks once, and
    // only when a selected or focused cell needs to know.
    bool HasFocus() const;
    bool IsRowSelected(int item) const;
    bool IsFocusedRow(int item) const;
    // The sub-item's bounds; column 0 spans its header item on the row (whose bounds are the whole row).
    CRect CellBounds(int item, int subItem) const;
    bool RowBounds(int item, CRect& bounds) const;
    bool IsFocusedColumnCell(int subItem) const { return m_bCellNavigation && subItem == m_nFocusColumn; }
    void FillToolTip(NMHDR* pNMHDR, bool wide);
    void FillDispInfo(LVITEMA* itemA, LVITEMW* itemW);
    int ColumnLeftInClient(int column) const;
    int ColumnCount() const;
    void RedrawFocusCells(int oldColumn, int newColumn);
};
