// Sets the text alignment of a device context until restored.
#pragma once
#include "ui/CSelect.h"

class CSelTextAlign : public CSelValue<UINT> {
public:
    explicit CSelTextAlign(CDC* pDC) : CSelValue(pDC) {}
    CSelTextAlign(CDC* pDC, UINT align) : CSelValue(pDC) { Select(align); }
    ~CSelTextAlign() override { RestoreValue(); }
    void Select(UINT align) { SelectValue(align); }
    void Restore() override { RestoreValue(); }

protected:
    UINT Apply(UINT value) override { return m_pDC->SetTextAlign(value); }
};
