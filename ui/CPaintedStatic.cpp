#include "ui/CPaintedStatic.h"

BEGIN_MESSAGE_MAP(CPaintedStatic, CStatic)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

void CPaintedStatic::OnPaint()
{
    if (!HasOwnPainting()) {
        Default();
        return;
    }
    CPaintDC dc(this);
    PaintTo(&dc);
}

LRESULT CPaintedStatic::OnPrintClient(WPARAM wParam, LPARAM)
{
    if (!HasOwnPainting()) return Default();
    PaintTo(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 0;
}
