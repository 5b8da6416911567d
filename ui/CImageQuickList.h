// The skinned variant of the owner-data list: a header with a bitmap in each column and
// column widths the user cannot change.
#pragma once
#include "ui/CHeaderCtrlEx.h"
#include "ui/CQuickList.h"

class CImageQuickList : public CQuickList {
    DECLARE_DYNAMIC(CImageQuickList)
public:
    static constexpr BYTE kRussianCharSet = RUSSIAN_CHARSET;

    CImageQuickList();
    ~CImageQuickList() override;

    // Loads the bitmap from the resource module (the skin library when loaded) into the header and
    // makes every header item owner-drawn: 1, or 0 when there is no such bitmap.
    int SetHeaderBitmap(UINT nID);
    CHeaderCtrlEx& GetHeaderEx() { return m_header; }

protected:
    void PreSubclassWindow() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    CHeaderCtrlEx m_header;
    CFont m_font;
};
