// A language text with a number in place of its first "%d". The text itself is never used as
// a format, so any other '%' in it (a translator's, or a stray one) is shown as it stands.
#pragma once
#include "framework/Afx.h"

inline CString TextWithNumber(const CString& text, int number)
{
    const int at = text.Find("%d");
    if (at < 0) return text;
    CString digits;
    digits.Format("%d", number);
    return text.Left(at) + digits + text.Mid(at + 2);
}
