// Sets the background mode of a device context until restored.
#pragma once
#include "ui/CSelect.h"

class CSelBkMode : public CSelValue<int> {
public:
    explicit CSelBkMode(CDC* pDC, int mode = 0) : CSelValue(pDC) { if (mode) Select(mode); }
    ~CSelBkMode() override { RestoreValue(); }
    void Select(int mode) { SelectValue(mode); }
    void Restore() override { RestoreValue(); }

protected:
    int Apply(int value) override { return m_pDC->SetBkMode(value); }
};
