// A language text with a number or a name in place of its first "%d" or "%s". The text itself
// is never used as a format, so any other '%' in it (a translator's, or a stray one) is shown
// as it stands.
#pragma once
#include "framework/Afx.h"

inline CString TextWithInsert(const CString& text, LPCSTR marker, const CString& value)
{
    const int at = text.Find(marker);
    if (at < 0) return text;
    return text.Left(at) + value + text.Mid(at + 2);
}

inline CString TextWithNumber(const CString& text, int number)
{
    CString digits;
    digits.Format("%d", number);
    return TextWithInsert(text, "%d", digits);
}

inline CString TextWithName(const CString& text, const CString& name)
{
    return TextWithInsert(text, "%s", name);
}
