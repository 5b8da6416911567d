// The look the Wi-Fi Direct pages share: white "Arial" 12 titles on the skin's blue band, dark
// grey "Tahoma" 11 labels, values on their own background, and buttons drawn from the skin
// library's bitmap pairs.
#pragma once
#include "framework/Afx.h"
#include "ui/FloatButton.h"

#include <initializer_list>
#include <vector>

class CWiFiDirectPageSkin {
public:
    static constexpr COLORREF kTitleColor = RGB(255, 255, 255);
    static constexpr COLORREF kLabelColor = RGB(0x4F, 0x4F, 0x4F);

    explicit CWiFiDirectPageSkin(CWnd& page) : m_page(page) {}
    CWiFiDirectPageSkin(const CWiFiDirectPageSkin&) = delete;
    CWiFiDirectPageSkin& operator=(const CWiFiDirectPageSkin&) = delete;

    // Fonts and colours by control: titles "Arial" 12/800 white, labels `face` `height`/800 dark
    // grey, values "Tahoma" 11/300 dark grey on `back`.
    void Titles(std::initializer_list<UINT> ids);
    void Labels(std::initializer_list<UINT> ids, LPCSTR face = "Tahoma", LONG height = 11);
    void Values(std::initializer_list<UINT> ids, COLORREF back);
    // The button takes the pair (normal, hover) and the bitmap's size; without the skin library
    // it stays a plain button with its caption. `shaped`: its window is cut to the bitmap's
    // outline (the corner colour is outside).
    static bool SkinButton(CFloatButton& button, CWnd& page, UINT id, UINT normal, UINT hover, bool shaped = false);
    // The page's WM_CTLCOLOR: colours for its titles, labels and values; `brush` otherwise.
    HBRUSH CtlColor(CDC* pDC, CWnd* pWnd, HBRUSH brush);
    // After the page's own erase: the band behind each visible title, across the page.
    void PaintBands(CDC* pDC);

private:
    static void SetFont(CWnd& page, UINT id, const LOGFONTA& lf);
    CWnd& m_page;
    std::vector<UINT> m_titles, m_labels, m_values;
    COLORREF m_valueBack = RGB(255, 255, 255);
    CBrush m_valueBrush;
};

// A Wi-Fi Direct page that wears the shared look: its colours and the bands behind its titles.
class CWiFiDirectSkinnedPage : public CDialog {
public:
    explicit CWiFiDirectSkinnedPage(UINT nIDTemplate) : CDialog(nIDTemplate) {}

protected:
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

    CWiFiDirectPageSkin m_skin{*this};
};
