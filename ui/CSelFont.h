// Selects a font into a device context until restored.
#pragma once
#include "ui/CSelect.h"

class CSelFont : public CSelValue<HGDIOBJ> {
public:
    explicit CSelFont(CDC* pDC, HFONT hFont = nullptr) : CSelValue(pDC) { if (hFont) Select(hFont); }
    ~CSelFont() override { RestoreValue(); }
    void Select(HFONT hFont) { SelectValue(hFont); }
    void Select(CFont* pFont) { if (pFont) SelectValue(pFont->m_hObject); }
    void Restore() override { RestoreValue(); }

protected:
    HGDIOBJ Apply(HGDIOBJ value) override { return m_pDC->SelectObject(value); }
};
