// Sets the text colour of a device context until restored.
#pragma once
#include "ui/CSelect.h"

class CSelTextColor : public CSelValue<COLORREF> {
public:
    explicit CSelTextColor(CDC* pDC) : CSelValue(pDC) {}
    CSelTextColor(CDC* pDC, COLORREF color) : CSelValue(pDC) { Select(color); }
    ~CSelTextColor() override { RestoreValue(); }
    void Select(COLORREF color) { SelectValue(color); }
    void Restore() override { RestoreValue(); }

protected:
    COLORREF Apply(COLORREF value) override { return m_pDC->SetTextColor(value); }
};
