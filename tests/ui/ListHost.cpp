#include "ListHost.h"
#include "UiControlsTest.h"
#include "ui/CImageQuickList.h"

#include <algorithm>
#include <climits>

ListHost::ListHost(Kind kind)
    : CDialog(IDD_UI_LIST_FORM),
      m_pList(kind == Kind::Image ? std::make_unique<CImageQuickList>() : std::make_unique<CQuickList>())
{
}

ListHost::~ListHost()
{
    if (m_hWnd) DestroyWindow();
}

BEGIN_MESSAGE_MAP(ListHost, CDialog)
    ON_MESSAGE(MSG_QUICKLIST_GET_ITEM_DATA, OnGetItemData)
    ON_MESSAGE(MSG_QUICKLIST_NAVIGATION_TEST, OnNavigationTest)
    ON_MESSAGE(MSG_QUICKLIST_CLICK, OnClick)
    ON_MESSAGE(MSG_QUICKLIST_HEADER_NOTIFY, OnHeaderNotify)
    ON_MESSAGE(MSG_QUICKLIST_KEYDOWN, OnKeyDown)
    ON_MESSAGE(MSG_QUICKLIST_LBUTTONDOWN, OnButtonDown)
END_MESSAGE_MAP()

bool ListHost::Open(int rows, const std::vector<int>& widths)
{
    if (!Create(IDD_UI_LIST_FORM)) return false;
    for (size_t i = 0; i < widths.size(); ++i)
        List().InsertColumn(static_cast<int>(i), i == 0 ? "Name" : "Value", LVCFMT_LEFT, widths[i]);
    List().SetItemCount(rows);
    ShowWindow(SW_SHOW);
    return true;
}

BOOL ListHost::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_pList->SubclassDlgItem(IDC_UI_LIST, this);
    return TRUE;
}

std::pair<int, int> ListHost::RequestedRows() const
{
    std::pair<int, int> range{INT_MAX, INT_MIN};
    for (const auto& r : requests) {
        range.first = std::min(range.first, r.first);
        range.second = std::max(range.second, r.first);
    }
    return range;
}

LRESULT ListHost::OnGetItemData(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<CQuickList::CListItemData*>(lParam);
    requests.emplace_back(cell->GetItem(), cell->GetSubItem());
    if (fill) fill(*cell);
    return 0;
}

LRESULT ListHost::OnNavigationTest(WPARAM, LPARAM lParam)
{
    auto* test = reinterpret_cast<CQuickList::CNavigationTest*>(lParam);
    navigations.push_back(*test);
    if (onNavigate) onNavigate(*test);
    return 0;
}

LRESULT ListHost::OnClick(WPARAM, LPARAM lParam)
{
    clicks.push_back(*reinterpret_cast<CQuickList::CListHitInfo*>(lParam));
    return 0;
}

LRESULT ListHost::OnHeaderNotify(WPARAM, LPARAM lParam)
{
    headerClicks.push_back(*reinterpret_cast<CQuickList::CHeaderRightClick*>(lParam));
    return 0;
}

LRESULT ListHost::OnKeyDown(WPARAM wParam, LPARAM)
{
    keys.push_back(static_cast<UINT>(wParam));
    return 0;
}

LRESULT ListHost::OnButtonDown(WPARAM, LPARAM)
{
    ++buttonPresses;
    return 0;
}
