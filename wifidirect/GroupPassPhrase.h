// The pass phrase this device offers for its Wi-Fi Direct group when the library has none.
// A fixed phrase would be the same on every installation, so anyone could join any group: it is
// drawn once from the system's random source and kept in the program's profile settings.
#pragma once
#include "framework/Afx.h"

class CGroupPassPhrase {
public:
    static constexpr int kLength = 12;
    static constexpr char kSection[] = "WiFiDirect";
    static constexpr char kEntry[] = "GroupPassPhrase";

    // The kept phrase, made and kept on first use; empty only when the random source failed.
    static CString Get();
    // The library's default pass phrase (cut at its length and at its first zero), else the kept one.
    static CString Default();
    // A pass phrase a group can use: 8 to 63 printable characters.
    static bool IsUsable(const CString& phrase);
    // Forgets what this process holds (the kept setting stays).
    static void Forget();
};
