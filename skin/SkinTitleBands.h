// The white section titles of the station pages stand on the skin: behind each title the page
// shows, across its width, the band that the main window's strip draws there.
#pragma once
#include "framework/Afx.h"

#include <initializer_list>
#include <vector>

class CSkinTitleBands {
public:
    CSkinTitleBands(std::initializer_list<UINT> titleIds) : m_ids(titleIds) {}
    // After the page's own background: the strip behind each visible title's row.
    void Paint(CWnd& page, HDC dc) const;
    // The page's WM_CTLCOLOR for statics: the titles white and transparent over their band, the
    // other texts in the pages' label grey on `brush`.
    HBRUSH CtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor, HBRUSH brush) const;

private:
    bool IsTitle(UINT id) const;
    std::vector<UINT> m_ids;
};
