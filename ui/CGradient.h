// A multi-colour gradient painted as bands of solid colour along one direction of a
// rectangle; the colour engine of the progress bars and of the list's progress cells.
#pragma once
#include "framework/Afx.h"

#include <functional>

// One band: a colour over a length in pixels.
struct CGradBand {
    COLORREF color;
    int length;
};
using CGradBandArray = CArray<CGradBand, const CGradBand&>;
// The share of the bar, in percent, that one segment between two neighbouring colours takes.
using CGradElement = double;

class CGradient {
public:
    // Orientation of the gradient in the rectangle.
    enum { kLeftToRight = 0, kRightToLeft = 1, kBottomToTop = 2, kTopToBottom = 3 };

    static constexpr int kPaletteSteps = 236;  // colours of a palette screen the gradient may use
    static constexpr int kMinColorBits = 8;    // below this a screen gets the first colour only

    // What a drawing needs to know of the screen behind a device context.
    struct DisplayCaps {
        BOOL bPalette;   // palette-based screen
        int nColorBits;  // planes x bits per pixel
    };
    static DisplayCaps GetDisplayCaps(CDC* pDC);
    // Replaces the look-up (an empty function restores the real one).
    static void SetDisplayCapsSource(std::function<DisplayCaps(CDC*)> source);

    CGradient();
    virtual ~CGradient() = default;

    // Replaces the colours (count values follow) and gives every segment an equal share.
    void SetColors(int count, COLORREF first, ...);
    int GetColorCount() const { return static_cast<int>(m_colors.GetSize()); }
    COLORREF GetColor(int i) const { return m_colors.GetAt(i); }
    void SetOrientation(int orientation) { m_nOrientation = orientation; }
    void SetStretch(float stretch) { m_fStretch = stretch; }
    void SetCreatePalette(BOOL bCreate) { m_bCreatePalette = bCreate; }
    // Builds the palette (only when asked for and not built yet).
    void CreatePalette();

    // Paints the part [start, end) of the gradient (positions along the bar from the edge the
    // orientation starts at; end -1 = the whole length) into rect, shifted by offset pixels.
    virtual void Draw(CDC* pDC, const CRect& rect, int start, int end = -1, int offset = 0);

protected:
    // The bands of [start, end) of a gradient of that length, shifted by offset.
    virtual void MakeRotatedBands(CGradBandArray& bands, int length, int start, int end, int offset, int maxSteps);
    virtual void MakeBands(CGradBandArray& bands, int length, int start, int end, int maxSteps);
    // One segment from colour from to colour to over length pixels; only [start, end) is emitted.
    virtual void MakeSegmentBands(CGradBandArray& bands, COLORREF from, COLORREF to, int length, int start, int end,
                                  int maxSteps);

    CDWordArray m_colors;
    BOOL m_bCreatePalette = FALSE;
    CPalette m_palette;
    CArray<CGradElement, CGradElement> m_segments;
    int m_nOrientation = kLeftToRight;
    float m_fStretch = 1.0f;
};
