// The look of the two access-point configuration pages (template 34517), which share their
// controls: labels in Tahoma 11/800 dark grey on their own light background, the two section
// titles in white Arial 12/800 on the skin's title band, skinned check boxes and radio buttons,
// and SAVE and Cancel drawn with the skin library's bitmaps.
#pragma once
#include "framework/Afx.h"
#include "ui/CDpiEdit.h"
#include "ui/CRadioButton.h"
#include "ui/CTransparentStatic.h"
#include "ui/FloatButton.h"

class CApConfigPageSkin {
public:
    static constexpr COLORREF kLabelBack = 0xFDFDFD;
    static constexpr COLORREF kButtonBack = 0xFCFCFC;  // behind check box and radio texts

    // The page's data exchange binds the skinned controls here.
    void Exchange(CDataExchange* pDX);
    // Fonts, colours and bitmaps; the texts may be set before or after.
    void Apply();
    // For the page's WM_ERASEBKGND, after its own erase: the band behind the two section titles.
    void PaintTitleBand(CWnd& page, CDC* pDC) const;

private:
    static constexpr int kLabels = 10;
    CTransparentStatic m_title[2];
    CTransparentStatic m_label[kLabels];
    CDpiEdit m_ssid;
    CRadioButton m_hideSsid, m_bridge, m_passPhrase, m_key;
    CFloatButton m_save, m_cancel;
};
