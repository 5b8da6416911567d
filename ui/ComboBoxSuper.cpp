#include "ui/ComboBoxSuper.h"

IMPLEMENT_DYNAMIC(CComboBoxSuper, CComboBox)

CComboBoxSuper::CComboBoxSuper() : m_columnWidths(kInitialColumns, kDefaultColumnWidth)
{
}

CComboBoxSuper::~CComboBoxSuper()
{
    // The records live in the items' data; free them while the window still answers.
    if (m_hWnd) {
        for (int i = 0, n = GetCount(); i < n; ++i) {
            delete static_cast<ItemRecord*>(GetItemDataPtr(i));
            SetItemDataPtr(i, nullptr);
        }
    }
}

void CComboBoxSuper::SetColumnCount(int count)
{
    m_columnWidths.resize(count > 0 ? static_cast<size_t>(count) : 0, kDefaultColumnWidth);
    Repaint();
}

void CComboBoxSuper::SetColumnWidth(int column, int width)
{
    if (column < 0 || column >= GetColumnCount()) return;
    m_columnWidths[column] = width;
    Repaint();
}

int CComboBoxSuper::GetColumnWidth(int column) const
{
    return (column >= 0 && column < GetColumnCount()) ? m_columnWidths[column] : 0;
}

CComboBoxSuper::ItemRecord* CComboBoxSuper::GetItemRecord(int item)
{
    if (item < 0 || item >= GetCount()) return nullptr;
    auto* record = static_cast<ItemRecord*>(GetItemDataPtr(item));
    if (!record) {
        record = new ItemRecord;
        SetItemDataPtr(item, record);
    }
    return record;
}

CString CComboBoxSuper::GetItemText(int item, int column)
{
    if (column == 0) {
        CString text;
        GetLBText(item, text);
        return text;
    }
    ItemRecord* record = GetItemRecord(item);
    if (!record) return CString();
    auto it = record->mapColumnText.find(column);
    return it == record->mapColumnText.end() ? CString() : it->second;
}

void CComboBoxSuper::SetItemText(int item, int column, LPCSTR text)
{
    if (ItemRecord* record = GetItemRecord(item)) {
        record->mapColumnText[column] = text;
        Repaint();
    }
}

void CComboBoxSuper::SetItemColor(int item, COLORREF color)
{
    if (ItemRecord* record = GetItemRecord(item)) record->crTextColor = color;
}

void CComboBoxSuper::SetItemBold(int item, BOOL bBold)
{
    if (ItemRecord* record = GetItemRecord(item)) record->bBold = bBold;
}

void CComboBoxSuper::SetItemImage(int item, int image)
{
    if (ItemRecord* record = GetItemRecord(item)) record->nImageIndex = image;
}

void CComboBoxSuper::DeleteItem(LPDELETEITEMSTRUCT dis)
{
    // No Default(): the combo hands WM_DELETEITEM back to its parent, which would reflect it
    // here again and free the record over and over.
    delete reinterpret_cast<ItemRecord*>(dis->itemData);
}

void CComboBoxSuper::DrawItem(LPDRAWITEMSTRUCT dis)
{
    const int count = GetCount();
    if (count <= 0 || static_cast<int>(dis->itemID) < 0 || static_cast<int>(dis->itemID) >= count) return;
    const int item = static_cast<int>(dis->itemID);
    CDC* pDC = CDC::FromHandle(dis->hDC);
    CString text;
    GetLBText(item, text);
    auto* record = reinterpret_cast<ItemRecord*>(dis->itemData);
    if (reinterpret_cast<LRESULT>(record) == CB_ERR) record = nullptr;

    const int savedDC = pDC->SaveDC();
    const bool selected = (dis->itemState & ODS_SELECTED) != 0;
    CRect rect(dis->rcItem);
    if (selected) {
        pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
        pDC->SetBkColor(::GetSysColor(COLOR_HIGHLIGHT));
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_HIGHLIGHT));
    } else {
        pDC->FillSolidRect(&rect, pDC->GetBkColor());
    }
    rect.DeflateRect(1, 0);

    if (m_bShowImages && m_pImageList && m_pImageList->GetSafeHandle()) {
        int cx = 0, cy = 0;
        m_pImageList->GetIconSize(&cx, &cy);
        if (record && record->nImageIndex != -1) {
            HICON icon = m_pImageList->ExtractIcon(record->nImageIndex);
            ::DrawIconEx(dis->hDC, rect.left, rect.top, icon, 0, 0, 0, nullptr, DI_NORMAL);
            ::DestroyIcon(icon);
        }
        rect.left += cx;
    }

    // Made here, so that they outlive RestoreDC: Windows does not delete an object still selected.
    CFont boldFont;
    CPen separator;
    if (record && record->bBold) {
        LOGFONTA lf{};
        pDC->GetCurrentFont()->GetLogFont(&lf);
        lf.lfWeight = FW_BOLD;
        boldFont.CreateFontIndirect(&lf);
        pDC->SelectObject(&boldFont);
    }
    if (record && (!selected || record->crTextColor != 0)) pDC->SetTextColor(record->crTextColor);
    pDC->SetBkMode(TRANSPARENT);

    const int columns = GetColumnCount();
    if (columns < 2) {
        pDC->DrawText(text, &rect, DT_SINGLELINE | DT_VCENTER);
    } else {
        separator.CreatePen(PS_SOLID, 1, kSeparatorColor);
        pDC->SelectObject(&separator);
        int left = rect.left;
        int edge = rect.left;
        for (int column = 0; column < columns; ++column) {
            edge += m_columnWidths[column];
            const bool last = column == columns - 1;
            if (!last) {
                pDC->MoveTo(edge, rect.top);
                pDC->LineTo(edge, rect.bottom);
            }
            CRect cell(left + (column ? 1 : 0), rect.top, last ? rect.right : edge, rect.bottom);
            if (column == 0) {
                pDC->DrawText(text, &cell, DT_SINGLELINE | DT_VCENTER);
            } else if (record) {
                auto it = record->mapColumnText.find(column);
                if (it != record->mapColumnText.end()) pDC->DrawText(it->second, &cell, DT_SINGLELINE | DT_VCENTER);
            }
            left = edge;
            if (left >= rect.right) break;
        }
    }
    pDC->RestoreDC(savedDC);
}
