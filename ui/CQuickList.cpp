#include "ui/CQuickList.h"

#include <windowsx.h>
#include <algorithm>
#include <string>

IMPLEMENT_DYNAMIC(CQuickList, CListCtrl)

namespace {
constexpr UINT kCellTextFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
static_assert(kCellTextFormat == 0x8024, "single line, vertically centred, end ellipsis");
constexpr UINT kDefaultBlendStyle = ILD_BLEND50;
constexpr UINT kDefaultProgressEdge = EDGE_SUNKEN;
constexpr int kTextIndent = 2;      // text starts this far right of its rectangle
constexpr int kEdgeInset = 2;       // a framed bar is drawn this far inside its rectangle
constexpr int kEmptyTextGap = 10;   // the empty-list text starts this far below the header
constexpr int kImageGap = 1;        // an image without a check box starts this far into the cell
constexpr int kProgressInsetLeft = 1, kProgressInsetTop = 5, kProgressInsetRight = 2, kProgressInsetBottom = 5;
constexpr UINT kFirstPrintableChar = 32;  // below: Tab, Enter, Backspace, Esc and the other controls
// The progress cells' gradient: red, yellow, yellow, green.
constexpr COLORREF kProgressRed = 0x0000FF, kProgressYellow = 0x00FFFF, kProgressGreen = 0x00FF00;

COLORREF Resolve(COLORREF color, int sysColor)
{
    return color == CQuickList::kSystemColor ? ::GetSysColor(sysColor) : color;
}

bool PrefixMatches(const CString& text, const CString& prefix)
{
    const int n = prefix.GetLength();
    return text.GetLength() >= n && text.Left(n).CompareNoCase(prefix) == 0;
}

CString WideToAnsi(LPCWSTR text)
{
    if (!text) return CString();
    int n = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return CString();
    CString s;
    ::WideCharToMultiByte(CP_ACP, 0, text, -1, s.GetBufferSetLength(n), n, nullptr, nullptr);
    s.ReleaseBuffer();
    return s;
}

// One line of a cell's text in the cell's format (single line, vertically centred, ellipsis at
// the end). A line that fits goes out in one ExtTextOut where DrawText would put it; DrawText,
// which measures the line again for the ellipsis, draws only the lines that need one.
class CellTextLine {
public:
    CellTextLine(CDC* pDC, const CString& text, const CRect& area, UINT format)
        : m_text(text), m_area(area), m_format(format)
    {
        constexpr UINT kPlainLine = DT_SINGLELINE | DT_VCENTER;
        constexpr UINT kNoMatterWhenItFits = kPlainLine | DT_LEFT | DT_CENTER | DT_RIGHT | DT_NOCLIP |
                                             DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS;
        SIZE size{};
        m_bFits = (format & kPlainLine) == kPlainLine && !(format & ~kNoMatterWhenItFits) &&
                  ::GetTextExtentPoint32A(pDC->m_hDC, text, text.GetLength(), &size) && size.cx <= area.Width();
        if (!m_bFits) return;
        int x = area.left;
        if (format & DT_CENTER) x = (area.left + area.right - size.cx) / 2;
        else if (format & DT_RIGHT) x = area.right - size.cx;
        const int y = area.top + area.Height() / 2 - size.cy / 2;
        m_box = CRect(CPoint(x, y), CSize(size));
    }

    // Where the glyphs go, a little wider for their overhang; the whole area when DrawText lays it out.
    CRect Reach() const
    {
        if (!m_bFits) return m_area;
        CRect reach = m_box;
        reach.InflateRect(kGlyphOverhang, 0);
        return reach;
    }

    void Draw(CDC* pDC) const
    {
        if (m_bFits) {
            ::ExtTextOutA(pDC->m_hDC, m_box.left, m_box.top, (m_format & DT_NOCLIP) ? 0 : ETO_CLIPPED, &m_area, m_text,
                          m_text.GetLength(), nullptr);
            return;
        }
        // No mnemonic prefix is shown: every "&" is doubled.
        CString shown = m_text;
        shown.Replace("&", "&&");
        CRect r = m_area;
        pDC->DrawText(shown, &r, m_format);
    }

private:
    static constexpr int kGlyphOverhang = 2;

    const CString& m_text;
    CRect m_area;
    UINT m_format;
    bool m_bFits = false;
    CRect m_box;
};

// Copies text, converted from the program's code page, into a wide buffer of size chars.
void CopyToWide(const CString& text, LPWSTR buffer, int size, int maxChars)
{
    if (!buffer || size <= 0) return;
    std::wstring wide;
    int n = ::MultiByteToWideChar(CP_ACP, 0, text, text.GetLength(), nullptr, 0);
    if (n > 0) {
        wide.resize(n);
        ::MultiByteToWideChar(CP_ACP, 0, text, text.GetLength(), wide.data(), n);
    }
    const size_t count = std::min<size_t>(wide.size(), static_cast<size_t>(std::min(size - 1, maxChars)));
    wide.copy(buffer, count);
    buffer[count] = L'\0';
}
}  // namespace

void CQuickList::CListItemData::Reset()
{
    m_strText.Empty();
    m_strToolTip.Empty();
    m_bIgnoreSelection = false;
    m_bBold = false;
    m_bItalic = false;
    m_nTextFormat = kCellTextFormat;
    m_nImage = -1;
    m_pImageList = nullptr;
    m_bImageIgnoreSelection = true;
    m_bImageCenter = false;
    m_nImageBlendStyle = kDefaultBlendStyle;
    m_nCheckState = 0;
    m_bCheckBox = false;
    m_bCheckBoxCenter = false;
    m_bCheckBoxIgnoreSelection = true;
    m_nProgressMax = -1;
    m_nProgressValue = 0;
    m_crProgressText = kSystemColor;
    m_nProgressEdge = kDefaultProgressEdge;
    m_crText = m_crBack = m_crHotText = m_crSelectedText = kSystemColor;
    m_crSelectedBack = m_crSelectedBackNoFocus = m_crNavigatedText = m_crNavigatedBack = kSystemColor;
    m_nItem = -1;
    m_nSubItem = -1;
    m_bSelected = false;
    m_bHot = false;
}

CQuickList::CQuickList() = default;

CQuickList::~CQuickList() = default;

BEGIN_MESSAGE_MAP(CQuickList, CListCtrl)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_REFLECT_EX(NM_CLICK, OnClick)
    ON_NOTIFY_REFLECT_EX(LVN_ODFINDITEMA, OnFindItemA)
    ON_NOTIFY_REFLECT_EX(LVN_ODFINDITEMW, OnFindItemW)
    ON_NOTIFY_REFLECT_EX(LVN_GETDISPINFOA, OnGetDispInfoA)
    ON_NOTIFY_REFLECT_EX(LVN_GETDISPINFOW, OnGetDispInfoW)
    ON_NOTIFY_REFLECT(LVN_HOTTRACK, OnHotTrack)
    ON_NOTIFY_EX(TTN_NEEDTEXTA, 0, OnToolTipText)
    ON_NOTIFY_EX(TTN_NEEDTEXTW, 0, OnToolTipText)
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

void CQuickList::PreSubclassWindow()
{
    CListCtrl::PreSubclassWindow();
    EnableToolTips(TRUE);
}

CQuickList::CListState CQuickList::ReadState() const
{
    CListState state;
    state.exStyle = GetExtendedStyle();
    state.style = CWnd::GetStyle();
    state.parent = ::GetParent(m_hWnd);
    state.pImages = GetImageList(LVSIL_SMALL);
    state.hotItem = GetHotItem();
    state.focusedItem = GetNextItem(-1, LVNI_FOCUSED);
    state.anySelected = GetSelectedCount() > 0;
    if (CHeaderCtrl* pHeader = GetHeaderCtrl()) {
        const int columns = pHeader->GetItemCount();
        for (int i = 0; i < columns; ++i) {
            CRect item;
            pHeader->GetItemRect(i, &item);
            state.headerItems.push_back(item);
            LVCOLUMNA column{};
            column.mask = LVCF_FMT;
            GetColumn(i, &column);
            switch (column.fmt & LVCFMT_JUSTIFYMASK) {
            case LVCFMT_RIGHT: state.alignments.push_back(DT_RIGHT); break;
            case LVCFMT_CENTER: state.alignments.push_back(DT_CENTER); break;
            default: state.alignments.push_back(DT_LEFT); break;
            }
        }
    }
    return state;
}

const CQuickList::CListState& CQuickList::State() const
{
    if (m_bStateHeld) return m_heldState;
    m_currentState = ReadState();
    return m_currentState;
}

bool CQuickList::HoldState()
{
    if (m_bStateHeld) return false;
    m_heldState = ReadState();
    m_readWhileHeld = CReadWhileHeld();
    m_bStateHeld = true;
    m_bCellHeld = false;
    return true;
}

bool CQuickList::HasFocus() const
{
    if (!m_bStateHeld) return ::GetFocus() == m_hWnd;
    if (m_readWhileHeld.focus < 0) m_readWhileHeld.focus = ::GetFocus() == m_hWnd;
    return m_readWhileHeld.focus != 0;
}

bool CQuickList::IsRowSelected(int item) const
{
    if (!m_bStateHeld) return (GetItemState(item, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    if (!m_heldState.anySelected) return false;
    if (m_readWhileHeld.selectionRow != item) {
        m_readWhileHeld.selected = (GetItemState(item, LVIS_SELECTED) & LVIS_SELECTED) != 0;
        m_readWhileHeld.selectionRow = item;
    }
    return m_readWhileHeld.selected;
}

bool CQuickList::IsFocusedRow(int item) const
{
    if (!m_bStateHeld) return (GetItemState(item, LVIS_FOCUSED) & LVIS_FOCUSED) != 0;
    return item >= 0 && item == m_heldState.focusedItem;
}

void CQuickList::ReleasePaintState()
{
    if (m_bPaintHolds) ReleaseState();
    m_bPaintHolds = false;
}

CQuickList::CListItemData& CQuickList::GetCellData(int item, int subItem)
{
    if (m_bCellHeld && m_cell.m_nItem == item && m_cell.m_nSubItem == subItem) return m_cell;
    const CListState& state = State();
    m_cell.Reset();
    m_cell.m_nItem = item;
    m_cell.m_nSubItem = subItem;
    bool selected = IsRowSelected(item);
    if (subItem != 0) selected = selected && (state.exStyle & LVS_EX_FULLROWSELECT);
    m_cell.m_bSelected = selected && ((state.style & LVS_SHOWSELALWAYS) || HasFocus());
    m_cell.m_bHot = item == state.hotItem;
    m_cell.m_pImageList = state.pImages;
    m_cell.m_bImageIgnoreSelection = !(state.exStyle & LVS_EX_FULLROWSELECT);
    if (subItem >= 0 && subItem < static_cast<int>(state.alignments.size()))
        m_cell.m_nTextFormat |= state.alignments[static_cast<size_t>(subItem)];
    if (state.parent)
        ::SendMessageA(state.parent, MSG_QUICKLIST_GET_ITEM_DATA, reinterpret_cast<WPARAM>(m_hWnd), reinterpret_cast<LPARAM>(&m_cell));
    m_bCellHeld = m_bStateHeld;
    return m_cell;
}

bool CQuickList::RowBounds(int item, CRect& bounds) const
{
    if (m_bStateHeld && item >= 0 && m_readWhileHeld.boundsRow == item) {
        bounds = m_readWhileHeld.bounds;
        return true;
    }
    if (!GetSubItemRect(item, 0, LVIR_BOUNDS, bounds)) return false;
    if (m_bStateHeld) {
        m_readWhileHeld.boundsRow = item;
        m_readWhileHeld.bounds = bounds;
    }
    return true;
}

CRect CQuickList::CellBounds(int item, int subItem) const
{
    // The bounds of column 0 are the whole row: the cell is its header item's extent on it. While
    // a painting holds the state, every column is placed so from the header items it read when it
    // began, and a row's bounds are asked for once for all its cells.
    auto platformBounds = [&] {
        CRect cell;
        GetSubItemRect(item, subItem, LVIR_BOUNDS, cell);
        return cell;
    };
    if (subItem != 0 && !m_bStateHeld) return platformBounds();
    const std::vector<CRect>& headerItems = State().headerItems;
    const bool known = subItem >= 0 && subItem < static_cast<int>(headerItems.size());
    if (subItem != 0 && !known) return platformBounds();
    CRect row;
    // (Column 0 of a row without bounds stays empty, where the platform left its answer.)
    if (!RowBounds(item, row) && subItem != 0) return platformBounds();
    const CRect header = known ? headerItems[static_cast<size_t>(subItem)] : CRect();
    return CRect(row.left + header.left, row.top, row.left + header.right, row.bottom);
}

CQuickList::CellRects CQuickList::GetCellRects(int item, int subItem, const CListItemData& data) const
{
    CellRects r;
    r.cell = CellBounds(item, subItem);
    const CRect& cell = r.cell;
    if (data.m_bCheckBox) {
        const int side = cell.Height();
        if (data.m_bCheckBoxCenter) {
            const int centre = cell.CenterPoint().x;
            r.check = CRect(centre - side / 2, cell.top, centre + (side + 1) / 2, cell.bottom);
        } else {
            r.check = CRect(cell.left, cell.top, cell.left + side, cell.bottom);
        }
    }
    if (data.m_nImage != -1 && data.m_pImageList && data.m_pImageList->m_hImageList && cell.Width() > 0) {
        int cx = 0, cy = 0;
        data.m_pImageList->GetIconSize(&cx, &cy);
        const int width = std::min(cx, cell.Width());
        const int height = std::min(cy, cell.Height() + 1);
        int left = r.check.IsRectEmpty() ? cell.left + kImageGap : r.check.right;
        if (data.m_bImageCenter) left = cell.CenterPoint().x - width / 2;
        const int top = std::max(static_cast<int>(cell.CenterPoint().y) - height / 2, static_cast<int>(cell.top));
        r.image = CRect(left, top, left + width, top + height);
    }
    r.text = cell;
    if (!r.image.IsRectEmpty()) r.text.left = r.image.right;
    else if (!r.check.IsRectEmpty()) r.text.left = r.check.right;
    if (data.m_nProgressMax >= 1) {
        r.progress = r.text;
        r.progress.DeflateRect(kProgressInsetLeft, kProgressInsetTop, kProgressInsetRight, kProgressInsetBottom);
    }
    return r;
}

COLORREF CQuickList::TextColor(const CListItemData& data, bool selected, bool focusedCell) const
{
    if (!selected) return data.m_bHot ? Resolve(data.m_crHotText, COLOR_HOTLIGHT) : Resolve(data.m_crText, COLOR_WINDOWTEXT);
    if (focusedCell) return Resolve(data.m_crNavigatedText, COLOR_HIGHLIGHTTEXT);
    if (data.m_crSelectedText != kSystemColor) return data.m_crSelectedText;
    return ::GetSysColor(HasFocus() ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
}

COLORREF CQuickList::BackColor(const CListItemData& data, bool selected, bool focusedCell) const
{
    if (!selected) return Resolve(data.m_crBack, COLOR_WINDOW);
    if (focusedCell) return Resolve(data.m_crNavigatedBack, COLOR_HOTLIGHT);
    const COLORREF chosen = HasFocus() ? data.m_crSelectedBack : data.m_crSelectedBackNoFocus;
    if (chosen != kSystemColor) return chosen;
    if (!m_bCellNavigation && data.m_bHot) return ::GetSysColor(COLOR_HOTLIGHT);
    return ::GetSysColor(HasFocus() ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
}

void CQuickList::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    switch (cd->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        m_bPaintHolds = HoldState();  // released when the painting returns
        m_fill.NewPainting();
        m_checkBox.NewPainting();
        m_barFrame.NewPainting();
        *pResult = CDRF_NOTIFYSUBITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT:
        *pResult = CDRF_NOTIFYSUBITEMDRAW;
        break;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        DrawCell(CDC::FromHandle(cd->nmcd.hdc), static_cast<int>(cd->nmcd.dwItemSpec), cd->iSubItem);
        *pResult = CDRF_SKIPDEFAULT;
        break;
    default:
        break;
    }
}

void CQuickList::DrawCell(CDC* pDC, int item, int subItem)
{
    const CListItemData data = GetCellData(item, subItem);
    const CellRects r = GetCellRects(item, subItem, data);
    const bool selected = data.m_bSelected && !data.m_bIgnoreSelection;
    // Only a selected cell is coloured by where the focus is.
    const bool focusedCell = selected && IsFocusedColumnCell(subItem) && HasFocus();
    const COLORREF back = BackColor(data, selected, focusedCell);
    const COLORREF plainBack = BackColor(data, false, false);
    const COLORREF text = TextColor(data, selected, focusedCell);

    if (!r.check.IsRectEmpty()) {
        const bool plain = data.m_bCheckBoxIgnoreSelection || data.m_bIgnoreSelection;
        const COLORREF boxBack = plain ? plainBack : back;
        if (r.check.left > r.cell.left)
            pDC->FillSolidRect(CRect(r.cell.left, r.cell.top, r.check.left, r.cell.bottom), boxBack);
        const UINT state = DFCS_BUTTONCHECK | data.m_nCheckState;
        const auto paintBox = [&](CDC& dc, const CRect& whole) {
            CRect box = whole;
            dc.FillSolidRect(&box, boxBack);
            dc.DrawFrameControl(&box, DFC_BUTTON, state);
        };
        // A picture holds no "no colour": such a cell is drawn in place.
        if (boxBack == CLR_NONE) paintBox(*pDC, r.check);
        else m_checkBox.Draw(pDC, r.check, {state, boxBack, 0}, paintBox);
    }

    if (!r.image.IsRectEmpty()) {
        CImageList* pImages = data.m_pImageList;
        const bool plain = data.m_bImageIgnoreSelection || data.m_bIgnoreSelection;
        const COLORREF imageBack = plain ? plainBack : back;
        const COLORREF previous = pImages->SetBkColor(imageBack);
        if (imageBack != CLR_NONE) {
            const int left = r.check.IsRectEmpty() ? r.cell.left : r.check.right;
            pDC->FillSolidRect(CRect(left, r.cell.top, r.image.right, r.cell.bottom), imageBack);
        }
        const bool blend = !data.m_bIgnoreSelection && data.m_bSelected && data.m_nImageBlendStyle != 0 && back != CLR_NONE;
        pImages->DrawIndirect(pDC, data.m_nImage, r.image.TopLeft(), r.image.Size(), CPoint(0, 0),
                              blend ? (ILD_TRANSPARENT | data.m_nImageBlendStyle) : ILD_NORMAL, SRCCOPY, CLR_DEFAULT,
                              blend ? back : CLR_DEFAULT);
        pImages->SetBkColor(previous);
    }

    if (back != CLR_NONE) m_fill.Fill(pDC, r.text, back);
    CRect filled;
    if (!r.progress.IsRectEmpty()) {
        CRect bar = r.progress;
        const UINT edge = data.m_nProgressEdge;
        // The frame and the empty bar inside it look alike in every cell of a column.
        const auto paintFrame = [&](CDC& dc, const CRect& whole) {
            CRect frame = whole;
            if (edge) {
                if (back != CLR_NONE) dc.FillSolidRect(&frame, back);
                dc.DrawEdge(&frame, edge, BF_RECT);
                frame.DeflateRect(kEdgeInset, kEdgeInset);
            }
            dc.FillSolidRect(&frame, plainBack);
        };
        if (back == CLR_NONE || plainBack == CLR_NONE) paintFrame(*pDC, bar);
        else m_barFrame.Draw(pDC, bar, {edge, plainBack, back}, paintFrame);
        if (edge) bar.DeflateRect(kEdgeInset, kEdgeInset);
        if (data.m_nProgressValue >= 1 && bar.Width() > 0) {
            const int width = data.m_nProgressValue >= data.m_nProgressMax
                                  ? bar.Width()
                                  : static_cast<int>(static_cast<long long>(data.m_nProgressValue) * bar.Width() / data.m_nProgressMax);
            m_gradient.SetColors(4, kProgressRed, kProgressYellow, kProgressYellow, kProgressGreen);
            m_gradient.SetOrientation(CGradient::kLeftToRight);
            m_gradient.Draw(pDC, bar, 0, width);
            filled = CRect(bar.left, bar.top, bar.left + width, bar.bottom);
        }
    }

    if (!data.m_strText.IsEmpty()) {
        const CString& shown = data.m_strText;
        HGDIOBJ oldFont = nullptr;
        if (data.m_bBold || data.m_bItalic) {
            if (HFONT styled = m_styledFont.For(pDC, data.m_bBold, data.m_bItalic)) oldFont = pDC->SelectObject(styled);
        }
        const int oldMode = pDC->GetBkMode();
        const COLORREF oldText = pDC->GetTextColor();
        const COLORREF oldBack = pDC->GetBkColor();
        if (!r.progress.IsRectEmpty()) {
            const CellTextLine line(pDC, shown, r.progress, data.m_nTextFormat);
            const COLORREF overBar = Resolve(data.m_crProgressText, COLOR_HIGHLIGHTTEXT);
            const CRect reach = line.Reach();
            CRect overlap;
            overlap.IntersectRect(&reach, &filled);
            pDC->SetBkMode(TRANSPARENT);
            if (overlap.IsRectEmpty() || overlap == reach) {
                // Wholly beside or wholly over the filled part: one colour, no clipping.
                pDC->SetTextColor(overlap.IsRectEmpty() ? text : overBar);
                line.Draw(pDC);
            } else {
                int saved = pDC->SaveDC();
                pDC->IntersectClipRect(&filled);
                pDC->SetTextColor(overBar);
                line.Draw(pDC);
                pDC->RestoreDC(saved);
                saved = pDC->SaveDC();
                pDC->ExcludeClipRect(&filled);
                pDC->SetTextColor(text);
                line.Draw(pDC);
                pDC->RestoreDC(saved);
            }
        } else {
            CRect area = r.text;
            area.left += kTextIndent;
            if (back != CLR_NONE) {
                pDC->SetBkMode(OPAQUE);
                pDC->SetBkColor(back);
            } else {
                pDC->SetBkMode(TRANSPARENT);
            }
            pDC->SetTextColor(text);
            CellTextLine(pDC, shown, area, data.m_nTextFormat).Draw(pDC);
        }
        pDC->SetBkMode(oldMode);
        pDC->SetTextColor(oldText);
        pDC->SetBkColor(oldBack);
        if (oldFont) pDC->SelectObject(oldFont);
    }

    if (IsFocusedColumnCell(subItem) && IsFocusedRow(item) && HasFocus()) pDC->DrawFocusRect(&r.text);
}

int CQuickList::ColumnCount() const
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    return pHeader ? pHeader->GetItemCount() : 0;
}

int CQuickList::ColumnLeftInClient(int column) const
{
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    CRect r;
    if (!pHeader || !pHeader->GetItemRect(column, &r)) return 0;
    ::MapWindowPoints(pHeader->m_hWnd, m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    return r.left;
}

bool CQuickList::NavigateToColumn(int column)
{
    if (!m_bCellNavigation || column < 0 || column >= ColumnCount()) return false;
    CNavigationTest test{m_nFocusColumn, column, TRUE};
    if (HWND parent = ::GetParent(m_hWnd))
        ::SendMessageA(parent, MSG_QUICKLIST_NAVIGATION_TEST, reinterpret_cast<WPARAM>(m_hWnd), reinterpret_cast<LPARAM>(&test));
    if (!test.m_bAllowChange || test.m_nNewColumn < 0 || test.m_nNewColumn >= ColumnCount()) return false;
    const int target = test.m_nNewColumn;

    CRect client;
    GetClientRect(&client);
    const int left = ColumnLeftInClient(target);
    const int right = left + GetColumnWidth(target);
    if (left < client.left || right > client.right) {
        Scroll(CSize(left - client.left, 0));
        UpdateWindow();
    }
    const int previous = m_nFocusColumn;
    m_nFocusColumn = target;
    RedrawFocusCells(previous, target);
    return previous != target;
}

void CQuickList::RedrawFocusCells(int oldColumn, int newColumn)
{
    const int top = GetTopIndex();
    const int last = std::min(GetItemCount() - 1, top + GetCountPerPage());
    for (int row = std::max(top, 0); row <= last; ++row) {
        if (!(GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED)) continue;
        RedrawCells(row, row, oldColumn);
        RedrawCells(row, row, newColumn);
    }
}

void CQuickList::RedrawCells(int firstRow, int lastRow, int column, BOOL bErase, CellPart part)
{
    const int count = GetItemCount();
    if (count == 0 || firstRow > lastRow) return;
    const int top = GetTopIndex();
    const int bottom = std::min(count - 1, top + GetCountPerPage());
    if (lastRow < top || firstRow > bottom) return;
    firstRow = std::max(firstRow, top);
    lastRow = std::min(lastRow, bottom);
    auto partRect = [&](int row) {
        CellRects r = GetCellRects(row, column, part == kCellPart ? CListItemData() : GetCellData(row, column));
        switch (part) {
        case kCheckPart: return r.check;
        case kImagePart: return r.image;
        case kTextPart: return r.text;
        default: return r.cell;
        }
    };
    CRect area;
    CRect first = partRect(firstRow);
    CRect last = partRect(lastRow);
    area.UnionRect(&first, &last);
    InvalidateRect(&area, bErase);
}

BOOL CQuickList::PreTranslateMessage(MSG* pMsg)
{
    // Enter goes to the list, not to the dialog's default button.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_RETURN && pMsg->hwnd == m_hWnd) {
        ::TranslateMessage(pMsg);
        ::DispatchMessageA(pMsg);
        return TRUE;
    }
    return CListCtrl::PreTranslateMessage(pMsg);
}

void CQuickList::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (HWND parent = ::GetParent(m_hWnd)) ::SendMessageA(parent, MSG_QUICKLIST_KEYDOWN, nChar, 0);
    if (m_bCellNavigation && (nChar == VK_LEFT || nChar == VK_RIGHT)) {
        const int previous = m_nFocusColumn;
        NavigateToColumn(previous + (nChar == VK_LEFT ? -1 : 1));
        const int row = GetNextItem(-1, LVNI_FOCUSED);
        if (m_nFocusColumn != previous && row >= 0) {
            RedrawCells(row, row, previous);
            RedrawCells(row, row, m_nFocusColumn);
        }
        return;
    }
    Default();
}

// Type-to-select reads the character the key stands for: a virtual-key code is no character
// (Down is 0x28, "(", and F1 0x70, "p").
void CQuickList::OnChar(UINT nChar, UINT, UINT)
{
    // A row found here is the answer: the platform's own search would move on from it.
    if (nChar < kFirstPrintableChar || !SelectByChar(static_cast<char>(nChar))) Default();
}

bool CQuickList::SelectByChar(char ch)
{
    const CString search(ch);
    const int count = GetItemCount();
    const int firstSelected = GetNextItem(-1, LVNI_SELECTED);
    int found = -1;
    const bool held = HoldState();
    for (int row = firstSelected + 1; row < count && found < 0; ++row)
        if (PrefixMatches(GetCellData(row, 0).m_strText.Left(1), search)) found = row;
    for (int row = 0; row < count && found < 0; ++row)
        if (PrefixMatches(GetCellData(row, 0).m_strText.Left(1), search)) found = row;
    if (held) ReleaseState();
    if (found < 0) return false;

    SetItemState(-1, 0, LVIS_SELECTED);
    SetItemState(found, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    // Bring the row to the top: the list scrolls whole rows, so by its own row height.
    CRect row;
    GetItemRect(GetTopIndex(), &row, LVIR_BOUNDS);
    Scroll(CSize(0, (found - GetTopIndex()) * row.Height()));
    return true;
}

void CQuickList::OnLButtonDown(UINT, CPoint)
{
    if (HWND parent = ::GetParent(m_hWnd)) ::SendMessageA(parent, MSG_QUICKLIST_LBUTTONDOWN, 0, 0);
    Default();
}

BOOL CQuickList::OnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* activate = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR);
    *pResult = 0;
    LVHITTESTINFO hit{};
    hit.pt = activate->ptAction;
    SubItemHitTest(&hit);
    if (hit.iItem < 0 || hit.iSubItem < 0) return FALSE;
    const CListItemData data = GetCellData(hit.iItem, hit.iSubItem);
    const CellRects r = GetCellRects(hit.iItem, hit.iSubItem, data);
    CListHitInfo info{hit.iItem, hit.iSubItem, r.image.PtInRect(hit.pt) != FALSE, r.check.PtInRect(hit.pt) != FALSE};
    NavigateToColumn(hit.iSubItem);
    if (HWND parent = ::GetParent(m_hWnd))
        ::SendMessageA(parent, MSG_QUICKLIST_CLICK, reinterpret_cast<WPARAM>(m_hWnd), reinterpret_cast<LPARAM>(&info));
    return FALSE;
}

BOOL CQuickList::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (pHeader && hdr->hwndFrom == pHeader->m_hWnd && hdr->code == static_cast<UINT>(NM_RCLICK)) {
        const DWORD pos = ::GetMessagePos();
        CHeaderRightClick info{-1, {GET_X_LPARAM(pos), GET_Y_LPARAM(pos)}};
        POINT inHeader = info.m_ptScreen;
        ::ScreenToClient(pHeader->m_hWnd, &inHeader);
        const int columns = pHeader->GetItemCount();
        for (int i = 0; i < columns; ++i) {
            CRect r;
            if (pHeader->GetItemRect(i, &r) && r.PtInRect(inHeader)) {
                info.m_nColumn = i;
                break;
            }
        }
        if (HWND parent = ::GetParent(m_hWnd))
            ::SendMessageA(parent, MSG_QUICKLIST_HEADER_NOTIFY, reinterpret_cast<WPARAM>(m_hWnd), reinterpret_cast<LPARAM>(&info));
    }
    return CListCtrl::OnNotify(wParam, lParam, pResult);
}

int CQuickList::FindRow(int start, int column, const CString& prefix)
{
    const int count = GetItemCount();
    if (count <= 0) return -1;
    if (start < 0 || start >= count) start = 0;
    const bool held = HoldState();
    int found = -1;
    for (int n = 0; n < count && found < 0; ++n) {
        const int row = (start + n) % count;
        if (PrefixMatches(GetCellData(row, column).m_strText, prefix)) found = row;
    }
    if (held) ReleaseState();
    return found;
}

BOOL CQuickList::OnFindItemA(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (m_nFindColumn == kNoFindColumn) return FALSE;
    auto* find = reinterpret_cast<NMLVFINDITEMA*>(pNMHDR);
    const int column = m_nFindColumn == kFindFocusColumn ? m_nFocusColumn : m_nFindColumn;
    const bool byText = (find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) && find->lvfi.psz;
    *pResult = byText ? FindRow(find->iStart, column, find->lvfi.psz) : -1;
    return TRUE;
}

BOOL CQuickList::OnFindItemW(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (m_nFindColumn == kNoFindColumn) return FALSE;
    auto* find = reinterpret_cast<NMLVFINDITEMW*>(pNMHDR);
    const int column = m_nFindColumn == kFindFocusColumn ? m_nFocusColumn : m_nFindColumn;
    const bool byText = (find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) && find->lvfi.psz;
    *pResult = byText ? FindRow(find->iStart, column, WideToAnsi(find->lvfi.psz)) : -1;
    return TRUE;
}

void CQuickList::FillDispInfo(LVITEMA* itemA, LVITEMW* itemW)
{
    const UINT mask = itemA ? itemA->mask : itemW->mask;
    if (!(mask & (LVIF_TEXT | LVIF_IMAGE))) return;
    const CListItemData& data = GetCellData(itemA ? itemA->iItem : itemW->iItem, itemA ? itemA->iSubItem : itemW->iSubItem);
    const UINT stateImage = INDEXTOSTATEIMAGEMASK((data.m_nCheckState & DFCS_CHECKED) ? 2 : 1);
    if (itemA) {
        if ((mask & LVIF_TEXT) && itemA->pszText && itemA->cchTextMax > 0)
            lstrcpynA(itemA->pszText, data.m_strText, itemA->cchTextMax);
        if (mask & LVIF_IMAGE) itemA->iImage = data.m_nImage;
        if (data.m_bCheckBox) {
            itemA->state = (itemA->state & ~LVIS_STATEIMAGEMASK) | stateImage;
            itemA->stateMask |= LVIS_STATEIMAGEMASK;
        }
    } else {
        if ((mask & LVIF_TEXT) && itemW->pszText && itemW->cchTextMax > 0)
            CopyToWide(data.m_strText, itemW->pszText, itemW->cchTextMax, itemW->cchTextMax - 1);
        if (mask & LVIF_IMAGE) itemW->iImage = data.m_nImage;
        if (data.m_bCheckBox) {
            itemW->state = (itemW->state & ~LVIS_STATEIMAGEMASK) | stateImage;
            itemW->stateMask |= LVIS_STATEIMAGEMASK;
        }
    }
}

BOOL CQuickList::OnGetDispInfoA(NMHDR* pNMHDR, LRESULT*)
{
    FillDispInfo(&reinterpret_cast<NMLVDISPINFOA*>(pNMHDR)->item, nullptr);
    return TRUE;
}

BOOL CQuickList::OnGetDispInfoW(NMHDR* pNMHDR, LRESULT*)
{
    FillDispInfo(nullptr, &reinterpret_cast<NMLVDISPINFOW*>(pNMHDR)->item);
    return TRUE;
}

void CQuickList::OnHotTrack(NMHDR*, LRESULT* pResult)
{
    *pResult = 1;  // refused
}

INT_PTR CQuickList::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    LVHITTESTINFO hit{};
    hit.pt = point;
    SubItemHitTest(&hit);
    if (hit.iItem < 0 || hit.iSubItem < 0 || !(hit.flags & LVHT_ONITEM)) return -1;
    const INT_PTR id = static_cast<INT_PTR>(hit.iItem) * kToolIdRowFactor + hit.iSubItem + 1;
    if (pTI) {
        pTI->hwnd = m_hWnd;
        pTI->uId = static_cast<UINT_PTR>(id);
        pTI->lpszText = LPSTR_TEXTCALLBACKA;
        GetClientRect(&pTI->rect);
    }
    return id;
}

void CQuickList::FillToolTip(NMHDR* pNMHDR, bool wide)
{
    const DWORD pos = ::GetMessagePos();
    POINT pt{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
    ScreenToClient(&pt);
    LVHITTESTINFO hit{};
    hit.pt = pt;
    SubItemHitTest(&hit);
    CString tip;
    if (hit.iItem >= 0 && hit.iSubItem >= 0) tip = GetCellData(hit.iItem, hit.iSubItem).m_strToolTip;
    if (wide) {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
        CopyToWide(tip, info->szText, ARRAYSIZE(info->szText), kToolTipChars);
        info->lpszText = info->szText;
        info->hinst = nullptr;
    } else {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
        static_assert(ARRAYSIZE(info->szText) == kToolTipChars + 1, "the tip buffer holds 79 characters");
        lstrcpynA(info->szText, tip, kToolTipChars + 1);
        info->lpszText = info->szText;
        info->hinst = nullptr;
    }
}

BOOL CQuickList::OnToolTipText(UINT id, NMHDR* pNMHDR, LRESULT* pResult)
{
    if (id == 0 || pNMHDR->hwndFrom != GetThreadToolTip()) return FALSE;
    FillToolTip(pNMHDR, pNMHDR->code == TTN_NEEDTEXTW);
    *pResult = 0;
    return TRUE;
}

void CQuickList::OnPaint()
{
    Default();
    ReleasePaintState();
    if (GetItemCount() == 0 && !m_strEmptyText.IsEmpty()) {
        CClientDC dc(this);
        DrawEmptyText(&dc);
    }
}

LRESULT CQuickList::OnPrintClient(WPARAM wParam, LPARAM)
{
    LRESULT result = Default();
    ReleasePaintState();
    if (GetItemCount() == 0 && !m_strEmptyText.IsEmpty()) DrawEmptyText(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return result;
}

void CQuickList::DrawEmptyText(CDC* pDC)
{
    CRect area;
    GetClientRect(&area);
    CRect header;
    if (CHeaderCtrl* pHeader = GetHeaderCtrl()) pHeader->GetItemRect(0, &header);
    area.top = header.bottom + kEmptyTextGap;
    const COLORREF oldColor = pDC->SetTextColor(static_cast<COLORREF>(SendMessage(LVM_GETTEXTCOLOR)));
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    HGDIOBJ oldFont = pDC->SelectObject(::GetStockObject(ANSI_VAR_FONT));
    pDC->DrawText(m_strEmptyText, &area, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_NOCLIP);
    pDC->SelectObject(oldFont);
    pDC->SetBkMode(oldMode);
    pDC->SetTextColor(oldColor);
}
