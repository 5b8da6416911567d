// A graph of the most recent values of a quantity: each new value is a 2-pixel bar at one
// edge and the older bars move away from it; a black label column with white texts at a side.
#pragma once
#include "ui/CPaintedStatic.h"

#include <vector>

class CMorviStaticHistogram : public CPaintedStatic {
    DECLARE_DYNAMIC(CMorviStaticHistogram)
public:
    static constexpr int kLabels = 10;
    static constexpr int kBarWidth = 2;
    static constexpr COLORREF kGraphBack = RGB(0, 0, 0);
    static constexpr COLORREF kLabelText = RGB(255, 255, 255);

    // The value buffer holds as many values as the screen is wide.
    CMorviStaticHistogram();
    ~CMorviStaticHistogram() override;

    // All answer 1, or 0 while the control has no value buffer; the setters repaint at once.
    int AddValue(double value);
    int ClearValues();
    int SetLabelWidth(int width);
    int SetGridRows(int count);
    int SetRangeMax(double value);
    // Label i of the label column (0 to 9); shown with the next painting.
    int SetLabel(int index, LPCSTR text);
    int SetBarColor(COLORREF color);
    // 1: labels on the left, else on the right.
    int SetLabelSide(int side);
    // 1: the newest bar next to the label column; 0: the newest bar at the right edge.
    int SetDirection(int direction);
    int GetCapacity() const { return static_cast<int>(m_values.size()); }

protected:
    bool HasOwnPainting() const override { return m_bValid != FALSE; }
    void PaintTo(CDC* pDC) override;

    BOOL m_bValid = FALSE;
    CString m_labels[kLabels];
    int m_nRows = 0;
    int m_nLabelWidth = 0;
    std::vector<double> m_values;
    int m_nCurrent = 0;
    double m_dRangeMax = 1.0;
    int m_nLabelSide = 1;
    int m_nDirection = 1;
    BOOL m_bRepaintBackground = FALSE;
    COLORREF m_crBar = RGB(0, 255, 0);

private:
    void Redraw();
};
