// A picture with a scrolling line chart of a rate: one sample a second, newest on the right,
// on a logarithmic scale of six decades from the bottom to the top.
#pragma once
#include "ui/CPaintedStatic.h"

class CPictureStatic : public CPaintedStatic {
    DECLARE_DYNAMIC(CPictureStatic)
public:
    static constexpr int kPoints = 80;
    static constexpr UINT_PTR kTimerId = static_cast<UINT_PTR>(-1);
    static constexpr UINT kTimerMs = 1000;
    static constexpr int kDecades = 6;

    CPictureStatic();
    ~CPictureStatic() override;

    BOOL LoadBitmap(UINT nID, HMODULE module);
    // The marker goes to the height of log10(value) over six decades; values up to 1 on the base line.
    void SetRateLevel(double value);
    int GetMarker() const { return m_nMarker; }
    // One tick of the chart (the timer's work).
    void Tick();
    // After a resize: the points laid out again and the timer restarted.
    void Relayout();
    const POINT* GetPoints() const { return m_points; }

protected:
    void PreSubclassWindow() override;
    void PaintTo(CDC* pDC) override;
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    int m_nMarker = 0;
    CRect m_rcClient;
    int m_nPreviousMarker = 0;
    POINT m_points[kPoints + 1] = {};
    POINT* m_pNewest = &m_points[0];
    CPen m_pen;
    CBitmap m_bmpPicture;
    int m_nCount = kPoints;
    CRect m_rcPicture;

private:
    void LayoutPoints();
};
