// A dialog with a row of shaded tab buttons and one child page per button: a click on a tab
// button shows its page and hides the others. Clicks on forwarded buttons are passed on to
// the tab dialog's own parent as if the button were its child.
#pragma once
#include "ui/ResizeDlg.h"
#include "ui/ShadeButtonST.h"

class CTabDialog : public CResizeDlg {
    DECLARE_DYNAMIC(CTabDialog)
public:
    static constexpr UINT kMapHashSize = 17;

    CTabDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CTabDialog() override;

    // Once per page, in tab order, after the page (a child of this dialog) and its button exist.
    int AddPage(CDialog* pPage, CShadeButtonST* pButton);
    // A button whose click goes to this dialog's parent.
    int AddForwardedButton(CShadeButtonST* pButton);
    // Every page takes the rectangle (client coordinates); page nSelected is shown and its
    // button marked. The two middle arguments are not used.
    void PlacePages(int nLeft, int nTop, int nRight, int nBottom, int nUnused1, int nUnused2, int nSelected);

    int GetPageCount() const { return m_nPageCount; }
    CDialog* GetPage(int nIndex) const;
    CShadeButtonST* GetTabButton(int nIndex) const;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    CMap<int, int&, CDialog*, CDialog*> m_mapPages;
    CMap<int, int&, CShadeButtonST*, CShadeButtonST*> m_mapTabButtons;
    CMap<int, int&, CShadeButtonST*, CShadeButtonST*> m_mapForwardButtons;
    int m_nPageCount = 0;
    int m_nForwardCount = 0;
};
