// A dialog that owns an owner-data list and answers its requests, for the list's tests and
// its benchmark: cells come from `fill`, and every notice the list sends is recorded.
#pragma once
#include "framework/Afx.h"
#include "ui/CQuickList.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class ListHost : public CDialog {
public:
    // The list's class: the plain list or the one with a bitmap header.
    enum class Kind { Plain, Image };

    explicit ListHost(Kind kind = Kind::Plain);
    ~ListHost() override;

    // Creates the dialog with the list (columns of those widths) and that many rows, shown.
    bool Open(int rows, const std::vector<int>& widths);
    CQuickList& List() { return *m_pList; }

    std::function<void(CQuickList::CListItemData&)> fill;
    std::function<void(CQuickList::CNavigationTest&)> onNavigate;
    std::vector<std::pair<int, int>> requests;  // (row, column) of every cell request
    std::vector<CQuickList::CListHitInfo> clicks;
    std::vector<CQuickList::CNavigationTest> navigations;
    std::vector<CQuickList::CHeaderRightClick> headerClicks;
    std::vector<UINT> keys;
    int buttonPresses = 0;

    // The rows asked for since the last ClearRequests, lowest and highest.
    std::pair<int, int> RequestedRows() const;
    void ClearRequests() { requests.clear(); }

protected:
    BOOL OnInitDialog() override;
    LRESULT OnGetItemData(WPARAM, LPARAM lParam);
    LRESULT OnNavigationTest(WPARAM, LPARAM lParam);
    LRESULT OnClick(WPARAM, LPARAM lParam);
    LRESULT OnHeaderNotify(WPARAM, LPARAM lParam);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM);
    LRESULT OnButtonDown(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    std::unique_ptr<CQuickList> m_pList;
};
