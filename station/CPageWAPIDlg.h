// The page behind the security editor's WAPI tab: a tab host of its own over the page area
// with room for four certificate sub-pages. It shows no controls itself; no sub-page is built
// in, and it deletes whatever sub-pages it was given.
#pragma once
#include "ui/ResizeDlg.h"
#include "res/resource.h"

class CTabDialog;

class CPageWAPIDlg : public CResizeDlg {
public:
    enum { IDD = IDD_PAGE_WAPI };
    static constexpr int kSubPageSlots = 4;
    static constexpr LONG kFontHeight = 20;

    explicit CPageWAPIDlg(CWnd* pParent = nullptr) : CResizeDlg(IDD, pParent) {}
    ~CPageWAPIDlg() override;

    // The page in a slot, null when the slot is empty or out of range.
    CDialog* GetSubPage(int slot) const;
    CTabDialog* GetTabHost() const { return m_pTabHost; }

protected:
    BOOL OnInitDialog() override;

private:
    CTabDialog* m_pTabHost = nullptr;
    CDialog* m_pSubPages[kSubPageSlots] = {};
    CFont m_font;
};
