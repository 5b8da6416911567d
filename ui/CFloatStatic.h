// A picture of the skin that changes to its hover picture while the mouse is over it (the
// help and about buttons of the main window).
#pragma once
#include "ui/CPaintedStatic.h"

class CFloatStatic : public CPaintedStatic {
    DECLARE_DYNAMIC(CFloatStatic)
public:
    static constexpr UINT_PTR kLeaveTimerId = static_cast<UINT_PTR>(-1);
    enum Picture { kNormal = 0, kHover = 1 };

    CFloatStatic();
    ~CFloatStatic() override;

    // module null = the program's own resources.
    BOOL LoadBitmaps(UINT normalId, UINT hoverId, HMODULE module);
    void EnableHover(bool bHandCursor) { m_bHandCursor = bHandCursor; }
    // The control takes its bitmap's size (position unchanged).
    void SizeToBitmap();
    Picture GetPicture() const { return m_nPicture; }

protected:
    void PreSubclassWindow() override;
    void PaintTo(CDC* pDC) override;
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

    CRect m_rcSource;
    Picture m_nPicture = kNormal;
    CBitmap m_bmpNormal;
    CBitmap m_bmpHover;
    CRect m_rcClient;
    bool m_bHandCursor = false;

private:
    void SetPicture(Picture picture);
};
