// The font description the skinned pages and controls build their fonts from.
#pragma once
#include <windows.h>

inline LOGFONTA MakeLogFont(const char* face, LONG height, LONG weight)
{
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfCharSet = DEFAULT_CHARSET;
    if (face) lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);  // none: the system picks by the other fields
    return lf;
}

// The font of that description, created once per process and shared by every control that
// asks for it (it lives until the process ends): pages create many labels in few fonts.
HFONT SharedFont(const LOGFONTA& lf);
