// The label of the skinned pages: text without a background of its own, over the skin that
// its ancestors paint; a text cut to a maximum length shows in full in a balloon tooltip.
#pragma once
#include "framework/Afx.h"

class CTransparentStatic : public CStatic {
    DECLARE_DYNAMIC(CTransparentStatic)
public:
    static constexpr int kDefaultMaxShownLength = 20;
    static constexpr DWORD kToolTipStyle = 0xE1;  // always tip, no fade, balloon, close button
    static constexpr int kToolTipDelayMs = 150;

    CTransparentStatic();
    ~CTransparentStatic() override;

    // Call before the control is subclassed: texts of maxLength characters or more are cut.
    void EnableToolTip(int maxLength);
    void SetSkinText(LPCSTR text);
    // The font from lf (left unchanged) or, when null, "Arial" 14/600.
    void SetTextFont(COLORREF color, const LOGFONTA* lf);
    void SetBackColor(COLORREF color);

    CToolTipCtrl& GetToolTip() { return m_toolTip; }
    // How many bytes of text stay shown when it is cut to maxLength characters: a double-byte
    // character of the code page is never split.
    static int CutLength(LPCSTR text, int maxLength, UINT codePage = CP_ACP);

protected:
    void PreSubclassWindow() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    BOOL OnToolTipText(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    COLORREF m_crText = 0;
    CString m_strLastText;
    CString m_strShownText;
    BOOL m_bToolTipEnabled = FALSE;
    CToolTipCtrl m_toolTip;
    int m_nMaxShownLength = kDefaultMaxShownLength;
    BOOL m_bHasBackground = FALSE;
    CBrush m_brBackground;

private:
    void SetOwnFont(const LOGFONTA& lf, BOOL bRedraw);
    void InvalidateAncestors();

    CString m_strToolTipText;
};
