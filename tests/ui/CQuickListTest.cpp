#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "support/TestSupport.h"
#include "ui/CImageQuickList.h"
#include "ui/CQuickList.h"
#include "base/LanguageTable.h"
#include "ListHost.h"
#include "WindowCapture.h"
#include "DibCanvas.h"

#include <cstring>
#include <set>
#include <string>
#include <utility>

namespace {
constexpr int kRows = 1000;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kMagenta = RGB(255, 0, 255), kBlue = RGB(0, 0, 255);

COLORREF RowColor(int row)
{
    return RGB(20 + (row * 37) % 200, 40 + (row * 53) % 180, 30 + (row * 11) % 190);
}

// A cell's centre in the host's client coordinates.
POINT CellCentre(ListHost& host, int row, int column)
{
    CRect r;
    host.List().GetSubItemRect(row, column, LVIR_BOUNDS, r);
    if (column == 0) r.right = r.left + host.List().GetColumnWidth(0);
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ::MapWindowPoints(host.List().m_hWnd, host.m_hWnd, &p, 1);
    return p;
}

// The tool of the thread's tip, 0 when it has none.
UINT_PTR TipTool()
{
    HWND tip = CWnd::GetThreadToolTip();
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    return tip && ::SendMessageA(tip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&ti)) ? ti.uId : 0;
}

// The move is repeated while the tip holds another tool: the platform may queue moves of its own.
void MoveMouseUntilTipOf(CQuickList& list, CPoint at, UINT_PTR tool)
{
    testing_support::PostUntil(list.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y),
                               [&] { return TipTool() == tool; });
}

CRect CellInHost(ListHost& host, int row, int column)
{
    CQuickList& list = host.List();
    CQuickList::CListItemData empty;
    CRect r = list.GetCellRects(row, column, empty).cell;
    ::MapWindowPoints(list.m_hWnd, host.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Every row asked for lies (at least partly) in the list's client area; rows hidden under the
// header still lie in it.
void ExpectOnlyRowsInsideTheClientArea(ListHost& host)
{
    CRect client;
    host.List().GetClientRect(&client);
    for (const auto& request : host.requests) {
        CRect row, common;
        host.List().GetItemRect(request.first, &row, LVIR_BOUNDS);
        EXPECT_TRUE(common.IntersectRect(&row, &client)) << "row " << request.first;
    }
}

void FillRowColors(ListHost& host)
{
    host.fill = [](CQuickList::CListItemData& cell) {
        cell.m_strText.Format("Row %d", cell.GetItem());
        cell.m_crBack = RowColor(cell.GetItem());
    };
}

void SendKey(CWnd& wnd, UINT key)
{
    wnd.SendMessage(WM_KEYDOWN, key, 1);
}

// The character a key press stands for, as TranslateMessage hands it on.
void TypeChar(CWnd& wnd, char ch)
{
    wnd.SendMessage(WM_CHAR, static_cast<BYTE>(ch), 1);
}

// Makes GetMessagePos answer p (screen coordinates) for the messages handled next.
// (The cursor is shared with other programs: try again when one of them moved it meanwhile.)
void SetMessagePos(POINT p)
{
    for (int attempt = 0; attempt < 10; ++attempt) {
        ::SetCursorPos(p.x, p.y);
        ::PostThreadMessageA(::GetCurrentThreadId(), WM_NULL, 0, 0);
        MSG msg;
        ::PeekMessageA(&msg, reinterpret_cast<HWND>(-1), WM_NULL, WM_NULL, PM_REMOVE);
        const DWORD pos = ::GetMessagePos();
        if (static_cast<short>(LOWORD(pos)) == p.x && static_cast<short>(HIWORD(pos)) == p.y) return;
    }
}
}  // namespace

TEST(OwnerData, ThousandRowsDrawOnlyTheVisiblePage)
{
    ListHost host;
    FillRowColors(host);
    ASSERT_TRUE(host.Open(kRows, {120, 120}));
    host.ClearRequests();
    WindowCapture shot(host.m_hWnd);

    const int top = host.List().GetTopIndex();
    const int page = host.List().GetCountPerPage();
    ASSERT_EQ(0, top);
    ASSERT_GT(page, 5);
    ExpectOnlyRowsInsideTheClientArea(host);
    EXPECT_LE(host.RequestedRows().second, top + page);
    for (int row = top; row < top + page; ++row)
        EXPECT_EQ(RowColor(row), shot.At(CellCentre(host, row, 1))) << "row " << row;
}

TEST(OwnerData, ScrollingAsksOnlyForTheRowsThatComeIntoView)
{
    ListHost host;
    FillRowColors(host);
    ASSERT_TRUE(host.Open(kRows, {120, 120}));
    host.List().EnsureVisible(600, FALSE);
    const int top = host.List().GetTopIndex();
    ASSERT_GT(top, 500);
    host.ClearRequests();
    WindowCapture shot(host.m_hWnd);

    ExpectOnlyRowsInsideTheClientArea(host);
    EXPECT_GE(host.RequestedRows().first, top - 2);
    EXPECT_LE(host.RequestedRows().second, top + host.List().GetCountPerPage());
    EXPECT_EQ(RowColor(top), shot.At(CellCentre(host, top, 0)));
    EXPECT_EQ(RowColor(600), shot.At(CellCentre(host, 600, 1)));
}

TEST(OwnerData, EmptyListWithoutMessagePaintsOnlyTheBackground)
{
    ListHost host;
    ASSERT_TRUE(host.Open(0, {120, 120}));
    WindowCapture shot(host.m_hWnd);
    CRect body = shot.RectOf(host.List().m_hWnd);
    body.top += 40;
    EXPECT_EQ(0, shot.CountOther(host.List().GetBkColor(), body));
    EXPECT_TRUE(host.requests.empty());
}

TEST(OwnerData, EmptyListShowsItsMessageBelowTheHeader)
{
    ListHost host;
    ASSERT_TRUE(host.Open(0, {120, 120}));
    host.List().SetEmptyMessage("No networks in range");
    WindowCapture shot(host.m_hWnd);
    CRect header;
    host.List().GetHeaderCtrl()->GetItemRect(0, &header);
    CRect body = shot.RectOf(host.List().m_hWnd);
    CRect gap(body.left, body.top + header.bottom, body.right, body.top + header.bottom + 10);
    CRect text(body.left, body.top + header.bottom + 10, body.right, body.top + header.bottom + 40);
    EXPECT_EQ(0, shot.CountOther(host.List().GetBkColor(), gap));
    EXPECT_GT(shot.CountOther(host.List().GetBkColor(), text), 0);
}

TEST(CellDrawing, ProgressCellFillsByValueWithTheRedToGreenGradient)
{
    ListHost host;
    host.fill = [](CQuickList::CListItemData& cell) {
        if (cell.GetSubItem() != 1) return;
        cell.m_nProgressMax = 100;
        cell.m_nProgressValue = cell.GetItem() == 0 ? 0 : (cell.GetItem() == 1 ? 50 : 150);
        cell.m_nProgressEdge = 0;
    };
    ASSERT_TRUE(host.Open(3, {80, 200}));
    WindowCapture shot(host.m_hWnd);
    auto bar = [&](int row) {
        CRect r = CellInHost(host, row, 1);
        r.DeflateRect(1, 5, 2, 5);
        return r;
    };
    const CRect empty = bar(0), half = bar(1), full = bar(2);
    const int mid = (empty.top + empty.bottom) / 2;
    EXPECT_EQ(0, shot.Count(kRed, empty));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), shot.At(empty.left + 2, mid));

    const int halfMid = (half.top + half.bottom) / 2;
    EXPECT_EQ(kRed, shot.At(half.left, halfMid));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), shot.At(half.right - 2, halfMid));

    // A value above the maximum fills the whole bar, ending in green.
    const int fullMid = (full.top + full.bottom) / 2;
    EXPECT_EQ(kRed, shot.At(full.left, fullMid));
    const COLORREF end = shot.At(full.right - 1, fullMid);
    EXPECT_EQ(255, GetGValue(end));
    EXPECT_LT(GetRValue(end), 8);
}

TEST(CellDrawing, ProgressTextTakesTheBarColourOnlyOverTheFilledPart)
{
    ListHost host;
    host.fill = [](CQuickList::CListItemData& cell) {
        if (cell.GetSubItem() != 1) return;
        cell.m_strText = "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW";
        cell.m_nTextFormat = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
        cell.m_nProgressMax = 100;
        cell.m_nProgressValue = 30;
        cell.m_nProgressEdge = 0;
        cell.m_crProgressText = kMagenta;
        cell.m_crText = kBlue;
    };
    ASSERT_TRUE(host.Open(1, {60, 220}));
    WindowCapture shot(host.m_hWnd);
    CRect bar = CellInHost(host, 0, 1);
    bar.DeflateRect(1, 0, 2, 0);
    const int filledRight = bar.left + 30 * bar.Width() / 100;
    CRect filled(bar.left, bar.top, filledRight, bar.bottom);
    CRect rest(filledRight, bar.top, bar.right, bar.bottom);
    EXPECT_GT(shot.Count(kMagenta, filled), 0);
    EXPECT_EQ(0, shot.Count(kMagenta, rest));
    EXPECT_GT(shot.Count(kBlue, rest), 0);
    EXPECT_EQ(0, shot.Count(kBlue, filled));
}

TEST(CellDrawing, ProgressTextWhollyOverOrBesideTheFilledPartTakesOneColour)
{
    ListHost host;
    host.fill = [](CQuickList::CListItemData& cell) {
        if (cell.GetSubItem() != 1) return;
        cell.m_strText = "WW";
        cell.m_nTextFormat = DT_SINGLELINE | DT_VCENTER | (cell.GetItem() == 2 ? DT_RIGHT : DT_LEFT);
        cell.m_nProgressMax = 100;
        cell.m_nProgressValue = cell.GetItem() == 0 ? 100 : (cell.GetItem() == 1 ? 0 : 50);
        cell.m_nProgressEdge = 0;
        cell.m_crProgressText = kMagenta;
        cell.m_crText = kBlue;
    };
    ASSERT_TRUE(host.Open(3, {60, 220}));
    WindowCapture shot(host.m_hWnd);
    const CRect over = CellInHost(host, 0, 1), beside = CellInHost(host, 1, 1), rightOfHalf = CellInHost(host, 2, 1);
    EXPECT_GT(shot.Count(kMagenta, over), 0);
    EXPECT_EQ(0, shot.Count(kBlue, over));
    EXPECT_GT(shot.Count(kBlue, beside), 0);
    EXPECT_EQ(0, shot.Count(kMagenta, beside));
    // Half filled, the text at the right end lies beside the filled part.
    EXPECT_GT(shot.Count(kBlue, rightOfHalf), 0);
    EXPECT_EQ(0, shot.Count(kMagenta, rightOfHalf));
}

TEST(CellDrawing, CheckBoxAndImageComeBeforeTheText)
{
    ListHost host;
    CImageList images;
    images.Create(16, 16, ILC_COLOR32, 1, 1);
    ASSERT_TRUE(host.Open(2, {150, 100}));
    CQuickList& list = host.List();
    CQuickList::CListItemData cell;
    cell.m_bCheckBox = true;
    cell.m_nImage = 0;
    cell.m_pImageList = &images;
    const auto r = list.GetCellRects(1, 0, cell);
    EXPECT_EQ(r.cell.left, r.check.left);
    EXPECT_EQ(r.cell.Height(), r.check.Width());
    EXPECT_EQ(r.check.right, r.image.left);
    EXPECT_EQ(16, r.image.Width());
    EXPECT_EQ(r.image.right, r.text.left);
    EXPECT_TRUE(r.progress.IsRectEmpty());

    cell.m_bCheckBox = false;
    cell.m_bImageCenter = true;
    const auto centred = list.GetCellRects(1, 0, cell);
    EXPECT_EQ(centred.cell.CenterPoint().x - 8, centred.image.left);
}

TEST(CellDrawing, SelectedRowTakesTheSelectionColoursUnlessItsCellIgnoresThem)
{
    ListHost host;
    host.fill = [](CQuickList::CListItemData& cell) {
        cell.m_strText = "x";
        cell.m_bIgnoreSelection = cell.GetSubItem() == 2;
    };
    ASSERT_TRUE(host.Open(5, {80, 80, 80}));
    CQuickList& list = host.List();
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    list.EnableCellNavigation(false);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    list.SetFocus();
    ASSERT_EQ(list.m_hWnd, ::GetFocus());
    WindowCapture shot(host.m_hWnd);
    const CRect cell0 = CellInHost(host, 2, 0), cell1 = CellInHost(host, 2, 1), cell2 = CellInHost(host, 2, 2);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), shot.At(cell0.right - 3, cell0.top + 2));
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), shot.At(cell1.right - 3, cell1.top + 2));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), shot.At(cell2.right - 3, cell2.top + 2));
    const CRect other = CellInHost(host, 3, 1);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), shot.At(other.right - 3, other.top + 2));
}

// A painting places a row's cells by the header's items: scrolled sideways and with its columns
// in another order, every cell still fills the column the platform gives it, and the focused cell
// of the focused row takes its navigation colour and the focus frame.
TEST(CellDrawing, CellsKeepTheirColumnsWhenScrolledOrReorderedAndTheFocusedOneIsFramed)
{
    ListHost host;
    host.fill = [](CQuickList::CListItemData& cell) {
        cell.m_crBack = RowColor(10 + cell.GetSubItem());
        cell.m_crNavigatedBack = kMagenta;
    };
    ASSERT_TRUE(host.Open(20, {130, 150, 90, 160}));
    CQuickList& list = host.List();
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    int order[] = {2, 0, 3, 1};
    list.SendMessage(LVM_SETCOLUMNORDERARRAY, ARRAYSIZE(order), reinterpret_cast<LPARAM>(order));
    list.SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    list.SetFocus();
    ASSERT_EQ(list.m_hWnd, ::GetFocus());
    SendKey(list, VK_RIGHT);
    ASSERT_EQ(1, list.GetFocusColumn());
    // Reaching the last column scrolled the list to its end; back a little, every column shows a part.
    list.Scroll(CSize(-100, 0));
    CRect row;
    list.GetItemRect(1, &row, LVIR_BOUNDS);
    ASSERT_LT(row.left, 0);
    WindowCapture shot(host.m_hWnd);
    const CRect body = shot.RectOf(list.m_hWnd);
    auto visiblePart = [&](int row, int column) {
        CRect part;
        part.IntersectRect(&body, CellInHost(host, row, column));
        return part;
    };

    for (int column = 0; column < 4; ++column) {
        const CRect part = visiblePart(1, column);
        ASSERT_FALSE(part.IsRectEmpty()) << "column " << column;
        EXPECT_EQ(RowColor(10 + column), shot.At(part.CenterPoint())) << "column " << column;
    }
    const CRect focused = visiblePart(3, 1), other = visiblePart(3, 3);
    EXPECT_EQ(kMagenta, shot.At(focused.CenterPoint()));
    EXPECT_GT(shot.CountOther(kMagenta, CRect(focused.left, focused.top, focused.right, focused.top + 1)), 0);
    const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    EXPECT_EQ(0, shot.CountOther(highlight, CRect(other.left, other.top, other.right, other.top + 1)));
}

// One painting asks for each visible cell once (the platform's display-information request and
// the drawing share the answer); the next painting asks again and shows what the parent says then.
TEST(CellDrawing, APaintingAsksForEachCellOnceAndTheNextAsksAfresh)
{
    ListHost host;
    CString name = "First";
    host.fill = [&](CQuickList::CListItemData& cell) { cell.m_strText = name; };
    ASSERT_TRUE(host.Open(kRows, {120, 80}));
    CQuickList& list = host.List();
    CRect client;
    list.GetClientRect(&client);
    DibCanvas canvas(client.Width(), client.Height());
    auto paint = [&] {
        host.ClearRequests();
        list.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()->m_hDC), PRF_CLIENT);
    };
    paint();
    std::set<std::pair<int, int>> cells(host.requests.begin(), host.requests.end());
    EXPECT_EQ(cells.size(), host.requests.size());
    EXPECT_GE(cells.size(), static_cast<size_t>(2 * list.GetCountPerPage()));

    name = "Second";
    paint();
    EXPECT_EQ(cells.size(), host.requests.size());
    // Outside a painting the platform's question is answered from the parent, as it stands now.
    EXPECT_STREQ("Second", list.GetItemText(0, 1));
}

// Check boxes and bar frames are drawn once and copied: every cell must still look as if the
// system had drawn it there, on the cell's own background (selected or not).
TEST(CellDrawing, CopiedCheckBoxesAndBarFramesLookAsTheSystemDrawsThem)
{
    ListHost host;
    host.fill = [](CQuickList::CListItemData& cell) {
        if (cell.GetSubItem() == 0) {
            cell.m_bCheckBox = true;
            cell.m_bCheckBoxIgnoreSelection = false;
            cell.m_nCheckState = cell.GetItem() % 2 ? DFCS_CHECKED : 0;
        } else {
            cell.m_nProgressMax = 100;
            cell.m_nProgressValue = 0;
        }
    };
    ASSERT_TRUE(host.Open(4, {60, 120}));
    CQuickList& list = host.List();
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    list.EnableCellNavigation(false);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    list.SetFocus();
    ASSERT_EQ(list.m_hWnd, ::GetFocus());
    CRect client;
    list.GetClientRect(&client);
    DibCanvas shot(client.Width(), client.Height());
    list.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(shot.DC()->m_hDC), PRF_CLIENT);

    for (int row = 0; row < 4; ++row) {
        const COLORREF back = ::GetSysColor(row == 2 ? COLOR_HIGHLIGHT : COLOR_WINDOW);
        CQuickList::CListItemData boxCell;
        boxCell.m_bCheckBox = true;
        const CRect box = list.GetCellRects(row, 0, boxCell).check;
        DibCanvas expected(box.Width(), box.Height());
        CRect whole(0, 0, box.Width(), box.Height());
        expected.DC()->FillSolidRect(&whole, back);
        expected.DC()->DrawFrameControl(&whole, DFC_BUTTON, DFCS_BUTTONCHECK | (row % 2 ? DFCS_CHECKED : 0));
        EXPECT_EQ(0, shot.Differing(expected, box.TopLeft())) << "check box of row " << row;

        CQuickList::CListItemData barCell;
        barCell.m_nProgressMax = 100;
        const CRect bar = list.GetCellRects(row, 1, barCell).progress;
        DibCanvas frame(bar.Width(), bar.Height());
        CRect edge(0, 0, bar.Width(), bar.Height());
        frame.DC()->FillSolidRect(&edge, back);
        frame.DC()->DrawEdge(&edge, EDGE_SUNKEN, BF_RECT);
        edge.DeflateRect(2, 2);
        frame.DC()->FillSolidRect(&edge, ::GetSysColor(COLOR_WINDOW));
        EXPECT_EQ(0, shot.Differing(frame, bar.TopLeft())) << "bar frame of row " << row;
    }
}

TEST(Navigation, ArrowsMoveTheFocusedColumnWithTheParentsConsent)
{
    ListHost host;
    ASSERT_TRUE(host.Open(3, {60, 60, 60}));
    CQuickList& list = host.List();
    SendKey(list, VK_RIGHT);
    EXPECT_EQ(1, list.GetFocusColumn());
    ASSERT_EQ(1u, host.navigations.size());
    EXPECT_EQ(0, host.navigations[0].m_nPreviousColumn);
    EXPECT_EQ(1, host.navigations[0].m_nNewColumn);
    SendKey(list, VK_RIGHT);
    SendKey(list, VK_RIGHT);  // the last column: nothing to move to
    EXPECT_EQ(2, list.GetFocusColumn());
    EXPECT_EQ(2u, host.navigations.size());
    SendKey(list, VK_LEFT);
    EXPECT_EQ(1, list.GetFocusColumn());
    EXPECT_EQ(4u, host.keys.size());
}

TEST(Navigation, ParentRefusalOrRedirectionIsHonoured)
{
    ListHost host;
    ASSERT_TRUE(host.Open(3, {60, 60, 60}));
    CQuickList& list = host.List();
    host.onNavigate = [](CQuickList::CNavigationTest& test) { test.m_bAllowChange = 0; };
    SendKey(list, VK_RIGHT);
    EXPECT_EQ(0, list.GetFocusColumn());
    host.onNavigate = [](CQuickList::CNavigationTest& test) { test.m_nNewColumn = 2; };
    SendKey(list, VK_RIGHT);
    EXPECT_EQ(2, list.GetFocusColumn());
    list.EnableCellNavigation(false);
    SendKey(list, VK_LEFT);
    EXPECT_EQ(2, list.GetFocusColumn());
}

TEST(Navigation, ClickReportsTheCellAndWhetherItHitTheCheckBox)
{
    ListHost host;
    host.fill = [](CQuickList::CListItemData& cell) { cell.m_bCheckBox = cell.GetSubItem() == 1; };
    ASSERT_TRUE(host.Open(4, {60, 80, 60}));
    CQuickList& list = host.List();
    CRect cell;
    list.GetSubItemRect(2, 1, LVIR_BOUNDS, cell);

    NMITEMACTIVATE click{};
    click.hdr.hwndFrom = list.m_hWnd;
    click.hdr.idFrom = static_cast<UINT_PTR>(list.GetDlgCtrlID());
    click.hdr.code = static_cast<UINT>(NM_CLICK);
    click.ptAction = POINT{cell.left + 3, cell.top + cell.Height() / 2};
    host.SendMessage(WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
    click.ptAction = POINT{cell.right - 3, cell.top + cell.Height() / 2};
    host.SendMessage(WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));

    ASSERT_EQ(2u, host.clicks.size());
    EXPECT_EQ(2, host.clicks[0].m_nItem);
    EXPECT_EQ(1, host.clicks[0].m_nSubItem);
    EXPECT_TRUE(host.clicks[0].m_bOnCheck);
    EXPECT_FALSE(host.clicks[1].m_bOnCheck);
    EXPECT_FALSE(host.clicks[1].m_bOnImage);
    EXPECT_EQ(1, list.GetFocusColumn());
}

TEST(Keys, TypingALetterSelectsTheNextRowStartingWithItAndBringsItIntoView)
{
    ListHost host;
    host.fill = [](CQuickList::CListItemData& cell) {
        const int row = cell.GetItem();
        cell.m_strText = (row == 7 || row == 500) ? "kelvo" : "net";
    };
    ASSERT_TRUE(host.Open(kRows, {120, 60}));
    CQuickList& list = host.List();
    TypeChar(list, 'k');
    EXPECT_EQ(7, list.GetNextItem(-1, LVNI_SELECTED));
    TypeChar(list, 'K');
    EXPECT_EQ(500, list.GetNextItem(-1, LVNI_SELECTED));
    const int top = list.GetTopIndex();
    EXPECT_LE(top, 500);
    EXPECT_GT(top + list.GetCountPerPage(), 500);
    TypeChar(list, 'k');  // from the end back to the first match
    EXPECT_EQ(7, list.GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(1, list.GetSelectedCount());
}

TEST(Keys, DownAndFunctionKeysKeepTheirMeaningWhileTypedSymbolsSelect)
{
    ListHost host;
    host.fill = [](CQuickList::CListItemData& cell) {
        // The key codes of Down, F1 and the number pad's 3 are those of "(", "p" and "c".
        static const char* names[] = {"Alpha", "Bravo", "(paren)", "Papa", "Charlie"};
        cell.m_strText = names[cell.GetItem()];
    };
    ASSERT_TRUE(host.Open(5, {120}));
    CQuickList& list = host.List();
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    for (UINT key : {VK_DOWN, VK_F1, VK_NUMPAD3}) SendKey(list, key);
    EXPECT_EQ(1, list.GetNextItem(-1, LVNI_SELECTED));
    TypeChar(list, '(');
    EXPECT_EQ(2, list.GetNextItem(-1, LVNI_SELECTED));
}

TEST(Keys, EnterReachesTheListRatherThanTheDialog)
{
    ListHost host;
    ASSERT_TRUE(host.Open(3, {120}));
    host.List().SetFocus();
    host.List().PostMessage(WM_KEYDOWN, VK_RETURN, 1);
    testing_support::PumpUntil([&] { return !host.keys.empty(); }, testing_support::kWaitBoundMs);
    ASSERT_EQ(1u, host.keys.size());
    EXPECT_EQ(static_cast<UINT>(VK_RETURN), host.keys[0]);
    EXPECT_TRUE(host.IsWindowVisible());
}

TEST(Keys, ButtonPressIsReportedToTheParent)
{
    ListHost host;
    ASSERT_TRUE(host.Open(0, {120}));
    host.List().PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 40));
    host.List().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 40));
    EXPECT_EQ(1, host.buttonPresses);
}

TEST(Find, PlatformSearchAnswersTheFirstRowStartingWithTheTextInEitherForm)
{
    ListHost host;
    host.fill = [](CQuickList::CListItemData& cell) {
        cell.m_strText = cell.GetSubItem() == 0 ? (cell.GetItem() % 10 == 3 ? "Home-AP" : "Office") : "x";
    };
    ASSERT_TRUE(host.Open(50, {120, 60}));
    CQuickList& list = host.List();

    NMLVFINDITEMA findA{};
    findA.hdr.hwndFrom = list.m_hWnd;
    findA.hdr.idFrom = static_cast<UINT_PTR>(list.GetDlgCtrlID());
    findA.hdr.code = static_cast<UINT>(LVN_ODFINDITEMA);
    findA.iStart = 5;
    findA.lvfi.flags = LVFI_STRING | LVFI_PARTIAL;
    findA.lvfi.psz = "home";
    EXPECT_EQ(13, host.SendMessage(WM_NOTIFY, findA.hdr.idFrom, reinterpret_cast<LPARAM>(&findA)));
    findA.iStart = 44;  // wraps round to the start
    EXPECT_EQ(3, host.SendMessage(WM_NOTIFY, findA.hdr.idFrom, reinterpret_cast<LPARAM>(&findA)));
    findA.lvfi.psz = "Homeless";
    EXPECT_EQ(-1, host.SendMessage(WM_NOTIFY, findA.hdr.idFrom, reinterpret_cast<LPARAM>(&findA)));

    NMLVFINDITEMW findW{};
    findW.hdr = findA.hdr;
    findW.hdr.code = static_cast<UINT>(LVN_ODFINDITEMW);
    findW.iStart = 100;  // past the end: from the first row
    findW.lvfi.flags = LVFI_STRING;
    findW.lvfi.psz = L"OFF";
    EXPECT_EQ(0, host.SendMessage(WM_NOTIFY, findW.hdr.idFrom, reinterpret_cast<LPARAM>(&findW)));
}

TEST(Find, FindColumnMinusTwoLeavesTheRequestToTheParent)
{
    ListHost host;
    host.fill = [](CQuickList::CListItemData& cell) { cell.m_strText = "Home"; };
    ASSERT_TRUE(host.Open(5, {120}));
    host.List().SetFindColumn(CQuickList::kNoFindColumn);
    host.ClearRequests();
    NMLVFINDITEMA find{};
    find.hdr.hwndFrom = host.List().m_hWnd;
    find.hdr.code = static_cast<UINT>(LVN_ODFINDITEMA);
    find.lvfi.flags = LVFI_STRING;
    find.lvfi.psz = "Home";
    EXPECT_EQ(0, host.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&find)));
    EXPECT_TRUE(host.requests.empty());
}

TEST(DisplayInfo, TextIsCopiedWithinTheBufferAndTheCheckBoxIsAStateImage)
{
    ListHost host;
    host.fill = [](CQuickList::CListItemData& cell) {
        cell.m_strText = "Wireless network";
        cell.m_nImage = 3;
        cell.m_bCheckBox = true;
        cell.m_nCheckState = DFCS_CHECKED;
    };
    ASSERT_TRUE(host.Open(2, {120}));
    CQuickList& list = host.List();
    char buffer[9];
    std::memset(buffer, 'z', sizeof buffer);
    NMLVDISPINFOA infoA{};
    infoA.hdr.hwndFrom = list.m_hWnd;
    infoA.hdr.code = static_cast<UINT>(LVN_GETDISPINFOA);
    infoA.item.mask = LVIF_TEXT | LVIF_IMAGE;
    infoA.item.iItem = 1;
    infoA.item.pszText = buffer;
    infoA.item.cchTextMax = 6;
    host.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&infoA));
    EXPECT_STREQ("Wirel", buffer);
    EXPECT_EQ('z', buffer[6]);
    EXPECT_EQ(3, infoA.item.iImage);
    EXPECT_EQ(INDEXTOSTATEIMAGEMASK(2), infoA.item.state & LVIS_STATEIMAGEMASK);

    wchar_t wide[32] = L"";
    NMLVDISPINFOW infoW{};
    infoW.hdr = infoA.hdr;
    infoW.hdr.code = static_cast<UINT>(LVN_GETDISPINFOW);
    infoW.item.mask = LVIF_TEXT;
    infoW.item.iItem = 0;
    infoW.item.pszText = wide;
    infoW.item.cchTextMax = 32;
    host.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&infoW));
    EXPECT_STREQ(L"Wireless network", wide);
}

TEST(ToolTips, MouseOverACellMakesItATool)
{
    ListHost host;
    ASSERT_TRUE(host.Open(10, {100, 100}));
    CQuickList& list = host.List();
    CRect cell;
    list.GetSubItemRect(3, 1, LVIR_BOUNDS, cell);
    const CPoint inside(cell.left + 5, cell.top + 2);

    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    EXPECT_EQ(3 * 1000 + 1 + 1, list.OnToolHitTest(inside, &ti));
    EXPECT_EQ(list.m_hWnd, ti.hwnd);
    EXPECT_EQ(LPSTR_TEXTCALLBACKA, ti.lpszText);
    CRect below;
    list.GetClientRect(&below);
    EXPECT_EQ(-1, list.OnToolHitTest(CPoint(5, below.bottom - 2), &ti));

    MoveMouseUntilTipOf(list, inside, 3002);
    HWND tip = CWnd::GetThreadToolTip();
    ASSERT_NE(nullptr, tip);
    TOOLINFOA shown{};
    shown.cbSize = sizeof shown;
    ASSERT_TRUE(::SendMessageA(tip, TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&shown)));
    EXPECT_EQ(list.m_hWnd, shown.hwnd);
    EXPECT_EQ(3002u, shown.uId);
}

TEST(ToolTips, TipTextIsCutTo79CharactersInBothForms)
{
    ListHost host;
    host.fill = [](CQuickList::CListItemData& cell) {
        cell.m_strToolTip = cell.GetItem() == 1 ? CString('T', 120) : CString();
    };
    ASSERT_TRUE(host.Open(5, {100, 100}));
    CQuickList& list = host.List();
    CRect cell;
    list.GetSubItemRect(1, 1, LVIR_BOUNDS, cell);
    MoveMouseUntilTipOf(list, CPoint(cell.left + 4, cell.top + 2), 1002);
    ASSERT_NE(nullptr, CWnd::GetThreadToolTip());
    POINT screen{cell.left + 4, cell.top + 2};
    list.ClientToScreen(&screen);
    SetMessagePos(screen);

    NMTTDISPINFOA a{};
    a.hdr.hwndFrom = CWnd::GetThreadToolTip();
    a.hdr.idFrom = 1002;
    a.hdr.code = TTN_NEEDTEXTA;
    list.SendMessage(WM_NOTIFY, a.hdr.idFrom, reinterpret_cast<LPARAM>(&a));
    EXPECT_EQ(std::string(79, 'T'), std::string(a.lpszText));

    NMTTDISPINFOW w{};
    w.hdr = a.hdr;
    w.hdr.code = TTN_NEEDTEXTW;
    list.SendMessage(WM_NOTIFY, w.hdr.idFrom, reinterpret_cast<LPARAM>(&w));
    EXPECT_EQ(std::wstring(79, L'T'), std::wstring(w.lpszText));

    CRect other;
    list.GetSubItemRect(2, 0, LVIR_BOUNDS, other);
    POINT otherScreen{other.left + 4, other.top + 2};
    list.ClientToScreen(&otherScreen);
    SetMessagePos(otherScreen);
    list.SendMessage(WM_NOTIFY, a.hdr.idFrom, reinterpret_cast<LPARAM>(&a));
    EXPECT_STREQ("", a.lpszText);
}

TEST(Header, RightClickNamesTheColumnUnderTheCursor)
{
    ListHost host;
    ASSERT_TRUE(host.Open(3, {70, 90}));
    CHeaderCtrl* header = host.List().GetHeaderCtrl();
    CRect second;
    header->GetItemRect(1, &second);
    POINT screen{second.left + 10, second.top + 3};
    header->ClientToScreen(&screen);
    SetMessagePos(screen);
    NMHDR click{header->m_hWnd, 0, static_cast<UINT>(NM_RCLICK)};
    host.List().SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    ASSERT_EQ(1u, host.headerClicks.size());
    EXPECT_EQ(1, host.headerClicks[0].m_nColumn);
    EXPECT_EQ(screen.x, host.headerClicks[0].m_ptScreen.x);
    EXPECT_EQ(screen.y, host.headerClicks[0].m_ptScreen.y);
}

TEST(ImageHeader, BitmapHeaderDrawsItsMarkAtEachColumnButTheFirst)
{
    HMODULE skin = ::LoadLibraryA("KelvoIMG.dll");
    ASSERT_NE(nullptr, skin);
    AfxSetResourceHandle(skin);
    ListHost host(ListHost::Kind::Image);
    ASSERT_TRUE(host.Open(3, {70, 90, 90}));
    auto& list = static_cast<CImageQuickList&>(host.List());
    EXPECT_EQ(1, list.SetHeaderBitmap(320));
    EXPECT_EQ(0, list.SetHeaderBitmap(4711));
    AfxSetResourceHandle(nullptr);

    HDITEMA item{};
    item.mask = HDI_FORMAT;
    list.GetHeaderEx().GetItem(2, &item);
    EXPECT_TRUE(item.fmt & HDF_OWNERDRAW);

    WindowCapture shot(host.m_hWnd);
    CRect first, second;
    list.GetHeaderEx().GetItemRect(0, &first);
    list.GetHeaderEx().GetItemRect(1, &second);
    const CRect inHost = shot.RectOf(list.GetHeaderEx().m_hWnd);
    // The mark is a gradient of the skin's header colour; look for its first row's hue.
    auto markPixels = [&](const CRect& item) {
        CRect r(inHost.left + item.right - 12, inHost.top + item.top, inHost.left + item.right, inHost.top + item.bottom);
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const COLORREF c = shot.At(x, y);
                if (GetBValue(c) > GetRValue(c) + 30) ++n;  // bluish
            }
        return n;
    };
    EXPECT_EQ(0, markPixels(first));
    EXPECT_GT(markPixels(second), 0);
    ::FreeLibrary(skin);
}

TEST(ImageHeader, ColumnsCannotBeResizedInEitherCharacterSet)
{
    ListHost host(ListHost::Kind::Image);
    ASSERT_TRUE(host.Open(3, {70, 90}));
    HWND header = host.List().GetHeaderCtrl()->m_hWnd;
    for (UINT code : {static_cast<UINT>(HDN_BEGINTRACKA), static_cast<UINT>(HDN_BEGINTRACKW),
                      static_cast<UINT>(HDN_DIVIDERDBLCLICKA), static_cast<UINT>(HDN_DIVIDERDBLCLICKW)}) {
        NMHEADERA notice{};
        notice.hdr = NMHDR{header, 0, code};
        notice.iItem = 0;
        EXPECT_EQ(1, host.List().SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notice))) << code;
    }
    // A user's drag of the first divider and a double-click on it, as the header sees them.
    auto dragDivider = [](HWND headerWindow) {
        RECT item{};
        ::SendMessageA(headerWindow, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
        const int y = (item.top + item.bottom) / 2;
        ::SendMessageA(headerWindow, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.right, y));
        ::SendMessageA(headerWindow, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(item.right + 60, y));
        ::SendMessageA(headerWindow, WM_LBUTTONUP, 0, MAKELPARAM(item.right + 60, y));
        ::SendMessageA(headerWindow, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(item.right, y));
        ::SendMessageA(headerWindow, WM_LBUTTONUP, 0, MAKELPARAM(item.right, y));
    };
    dragDivider(header);
    EXPECT_EQ(70, host.List().GetColumnWidth(0));
    EXPECT_EQ(90, host.List().GetColumnWidth(1));

    // The same gestures do resize a plain list: they reach the header as a user's would.
    HWND plain = ::CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 300, 200,
                                   ::GetParent(host.List().m_hWnd), nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(plain);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH | LVCF_TEXT;
    column.cx = 70;
    column.pszText = const_cast<char*>("A");
    ::SendMessageA(plain, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    dragDivider(reinterpret_cast<HWND>(::SendMessageA(plain, LVM_GETHEADER, 0, 0)));
    EXPECT_NE(70, static_cast<int>(::SendMessageA(plain, LVM_GETCOLUMNWIDTH, 0, 0)));
    ::DestroyWindow(plain);
}

TEST(ImageHeader, RussianLanguageGivesTheListACyrillicFont)
{
    G_LangTable.IDS_UI_LANGUAGE = "russian";
    ListHost host(ListHost::Kind::Image);
    const bool opened = host.Open(1, {70});
    G_LangTable.IDS_UI_LANGUAGE.Empty();
    ASSERT_TRUE(opened);
    LOGFONTA lf{};
    ASSERT_TRUE(host.List().GetFont()->GetLogFont(&lf));
    EXPECT_EQ(RUSSIAN_CHARSET, lf.lfCharSet);
}
