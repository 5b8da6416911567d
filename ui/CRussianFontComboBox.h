// The combo box of the skinned pages: in a Russian language table it takes the table's
// character set, and its list drops down as wide as its widest text.
#pragma once
#include "ui/ComboBoxSuper.h"

class CRussianFontComboBox : public CComboBoxSuper {
    DECLARE_DYNAMIC(CRussianFontComboBox)
public:
    // The width the list takes when it drops down.
    int DroppedWidth();

protected:
    void PreSubclassWindow() override;
    void OnDropDown();
    DECLARE_MESSAGE_MAP()

    CFont m_font;
};
