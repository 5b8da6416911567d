// A tab label of the main window ("finger") whose text sits in its lower part, in a
// transparent inner static over the skin.
#pragma once
#include "ui/CFingerInnerStatic.h"

class CFingerStatic : public CStatic {
    DECLARE_DYNAMIC(CFingerStatic)
public:
    static constexpr UINT kInnerId = 0xFFFF;
    // The inner static covers the finger from 5/9 of its height down.
    static constexpr int kInnerTopNum = 5, kInnerTopDen = 9;
    // One centred line fits when the text is lower than 4/5 of the inner static.
    static constexpr int kOneLineNum = 4, kOneLineDen = 5;
    static constexpr BYTE kPitchAndFamily = 0x30;

    // Also run by the DPI layout after a resize.
    void SetText(LPCSTR text);
    void SetTextFont(const LOGFONTA* lf);
    void SetTextColor(COLORREF color) { m_inner.SetTextColor(color); }
    const CString& GetText() const { return m_strText; }
    CFingerInnerStatic& GetInner() { return m_inner; }

protected:
    void PreSubclassWindow() override;
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    CFingerInnerStatic m_inner;
    CString m_strText;
    CFont m_font;

private:
    CRect InnerRect() const;
};
