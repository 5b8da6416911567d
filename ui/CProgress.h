// The state and drawing of a gradient progress bar, apart from any window: range, position,
// step, snake mode, text modes and colours.
#pragma once
#include "ui/CGradient.h"

// Style bits of the bar (in CProgressCtrlX the window's own style bits).
constexpr DWORD PBS_X_VERTICAL = 0x0004;
constexpr DWORD PBS_X_TEXT_LEFT = 0x0010;   // left and right together centre the text
constexpr DWORD PBS_X_TEXT_RIGHT = 0x0020;
constexpr DWORD PBS_X_TEXT_TOP = 0x0040;    // top and bottom together centre the text
constexpr DWORD PBS_X_TEXT_BOTTOM = 0x0080;
constexpr DWORD PBS_X_TEXT_CENTER = 0x00F0;
constexpr DWORD PBS_X_SHOW_PERCENT = 0x0100;
constexpr DWORD PBS_X_SHOW_POSITION = 0x0200;
constexpr DWORD PBS_X_TEXT_MODES = 0x0300;
constexpr DWORD PBS_X_TIED_TEXT = 0x1000;   // the text follows the end of the bar
constexpr DWORD PBS_X_RUBBER_BAR = 0x2000;  // the gradient is compressed into the filled part
constexpr DWORD PBS_X_REVERSE = 0x4000;
constexpr DWORD PBS_X_SNAKE = 0x8000;

constexpr COLORREF kProgressNoBackground = static_cast<COLORREF>(-1);

class CProgress : public CGradient {
public:
    CProgress();
    ~CProgress() override;

    virtual DWORD GetStyle() const { return m_dwStyle; }
    virtual BOOL ModifyStyle(DWORD remove, DWORD add);

    // Sorted into lower <= upper; the position is clamped again.
    void SetRange(int lower, int upper);
    void GetRange(int& lower, int& upper) const { lower = m_nLower; upper = m_nUpper; }
    // Answer the previous position (or step).
    virtual int SetPos(int pos);
    virtual int OffsetPos(int delta);
    int SetStep(int step);
    int StepIt() { return OffsetPos(m_nStep); }
    int GetPos() const { return m_nPos; }
    // A non-empty text with a non-zero mode (PBS_X_SHOW_PERCENT or PBS_X_SHOW_POSITION) sets the
    // text, a format of the value, and the mode; anything else clears both.
    void SetText(LPCSTR text, DWORD mode);
    // In snake mode moves the snake and answers TRUE; otherwise FALSE and nothing changes.
    virtual BOOL SetSnakePos(int value, BOOL bRelative);
    void SetSnakeLength(int length) { m_nSnakeLength = length; }
    int GetSnakeTail() const { return m_nTail; }

    void SetBarBrush(HBRUSH hBrush) { m_hbrBar = hBrush; }
    void SetBkColor(COLORREF color) { m_crBk = color; }
    void SetBkBrush(HBRUSH hBrush) { m_hbrBk = hBrush; }
    void SetTextColors(COLORREF overBar, COLORREF overBackground) { m_crTextOnBar = overBar; m_crTextOnBk = overBackground; }
    void SetBorders(int left, int top, int right, int bottom) { m_rcBorders = CRect(left, top, right, bottom); }
    void SetClipRgn(HRGN hRgn);
    int GetAnimationPhase() const { return m_nAnimPos; }

    // The value the text shows: the percentage in percent mode, else the position.
    virtual int GetValue() const;
    // The text of a value: the text member as a format, or "%d%%" / "%d" when it is empty.
    virtual CString FormatText(int value) const;

    // Paints the bar into rect through an off-screen context.
    void Paint(CDC* pDC, const CRect& rect);

protected:
    // Runs after a stored position change.
    virtual void OnPosChanged() {}
    virtual void DrawText(CDC* pDC, const CRect& rcBar, const CRect& rcFilled);
    virtual void DrawClippedText(CDC* pDC, const CRect& rcClip, const CString& text, const CPoint& origin);

    HBRUSH m_hbrBar = nullptr;
    COLORREF m_crBk;
    HBRUSH m_hbrBk = nullptr;
    COLORREF m_crTextOnBar;
    COLORREF m_crTextOnBk;
    int m_nTail = 0;
    int m_nSnakeLength = 40;
    int m_nStep = 10;
    int m_nLower = 0;
    int m_nUpper = 100;
    CRect m_rcBorders;
    CString m_strText;
    HFONT m_hFont = nullptr;
    DWORD m_dwStyle = PBS_X_TEXT_CENTER;
    CRgn m_rgnClip;
    int m_nPos = 0;
    int m_nAnimPos = 0;

private:
    void StorePos(int pos);
};
