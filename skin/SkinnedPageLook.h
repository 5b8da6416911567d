// The look the skinned pages of the main window share: the title in "Arial" 12 px weight 800,
// white on a band of the skin's blue (white on the light page alone cannot be read), labels in
// "Tahoma" 11 px weight 800 in dark grey, and push buttons drawn with pairs of the skin
// library's bitmaps (a button keeps its caption when the library lacks them).
#pragma once
#include "framework/Afx.h"
#include "ui/FloatButton.h"

#include <initializer_list>
#include <memory>
#include <vector>

class CSkinnedPageLook {
public:
    static constexpr COLORREF kTitleColor = RGB(255, 255, 255);
    static constexpr COLORREF kLabelColor = RGB(79, 79, 79);
    // The skin library's bitmap pairs of the pages' push buttons.
    struct ButtonBitmaps {
        UINT normal, hover;
    };
    static constexpr ButtonBitmaps kBackButton{1017, 1016}, kNextButton{1035, 1034}, kExitButton{1031, 1030},
        kSaveButton{1039, 1038}, kScanButton{1041, 1040}, kSelectButton{1043, 1042}, kCancelButton{1021, 1020};

    // Fonts of the title and the labels; the title's id is kept for the colours and the band.
    void Apply(CDialog& page, UINT titleId, std::initializer_list<UINT> labelIds);
    // One more title in the title font, with its colours and band.
    void AddTitle(CDialog& page, UINT id);
    // The band behind a title the page draws itself (a skinned static with its own font).
    void BandBehind(UINT titleId) { m_titleIds.push_back(titleId); }
    // One more label in the label font.
    void AddLabel(CDialog& page, UINT id);
    // The page's push button drawn with a pair of the skin library's bitmaps.
    void SkinButton(CDialog& page, UINT id, ButtonBitmaps bitmaps);
    // The page's WM_CTLCOLOR for statics: the titles white on the band, the other texts grey.
    HBRUSH CtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor, HBRUSH brush) const;
    // After the page's background is erased: the band behind each visible title.
    void EraseTitleBand(CDialog& page, CDC* pDC) const;

private:
    void CreateFonts();
    std::vector<UINT> m_titleIds;
    CFont m_titleFont, m_labelFont;
    std::vector<std::unique_ptr<CFloatButton>> m_buttons;
};

// The band behind the pages' white titles (the skin's blue), kept for the process.
HBRUSH TitleBandBrush();
// Fills that band across the page behind a visible title, a little above and below its box.
void FillTitleBand(CWnd& page, CWnd* title, HDC dc);
