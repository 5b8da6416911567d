// A static that paints itself entirely: on the screen, and into a device context it is given
// (WM_PRINTCLIENT, as a picture of the window is taken).
#pragma once
#include "framework/Afx.h"

class CPaintedStatic : public CStatic {
protected:
    // False: the static paints as a plain static (its pictures are missing, say).
    virtual bool HasOwnPainting() const { return true; }
    virtual void PaintTo(CDC* pDC) = 0;

    void OnPaint();
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
