// The owner-drawn combo box of the classic dialogs: per item a text colour, bold text, an
// icon from an image list and further column texts shown side by side.
#pragma once
#include "framework/Afx.h"

#include <map>
#include <vector>

class CComboBoxSuper : public CComboBox {
    DECLARE_DYNAMIC(CComboBoxSuper)
public:
    struct ItemRecord {
        COLORREF crTextColor = 0;
        int nImageIndex = -1;
        std::map<int, CString> mapColumnText;  // column 0 is the combo item's own text
        BOOL bBold = FALSE;
    };

    static constexpr int kInitialColumns = 100;
    static constexpr int kDefaultColumnWidth = 50;
    static constexpr COLORREF kSeparatorColor = RGB(0xC0, 0xC0, 0xC0);

    CComboBoxSuper();
    ~CComboBoxSuper() override;

    void SetColumnCount(int count);
    int GetColumnCount() const { return static_cast<int>(m_columnWidths.size()); }
    void SetColumnWidth(int column, int width);  // only an existing column
    int GetColumnWidth(int column) const;
    void SetImageList(CImageList* pImageList) { m_pImageList = pImageList; }
    void ShowImages(BOOL bShow) { m_bShowImages = bShow; }

    // The record of an item within the count, created and attached when missing; else null.
    ItemRecord* GetItemRecord(int item);
    CString GetItemText(int item, int column);
    void SetItemText(int item, int column, LPCSTR text);
    void SetItemColor(int item, COLORREF color);
    void SetItemBold(int item, BOOL bBold);
    void SetItemImage(int item, int image);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct) override;

private:
    void Repaint() { if (m_hWnd) Invalidate(); }

    std::vector<int> m_columnWidths;
    CImageList* m_pImageList = nullptr;
    BOOL m_bShowImages = TRUE;
};
