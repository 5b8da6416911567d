// An etched line across a static (or down it, when the static is taller than wide), with the
// static's text as an optional caption over the line.
#pragma once
#include "ui/CPaintedStatic.h"

class CSeparator : public CPaintedStatic {
    DECLARE_DYNAMIC(CSeparator)
public:
    // The caption as drawn: padded with two blanks on the side or sides that touch the line.
    static CString PaddedCaption(const CString& caption, DWORD style);

protected:
    void PaintTo(CDC* pDC) override;
};
