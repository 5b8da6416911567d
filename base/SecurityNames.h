// The program-wide table of security display names, read by the pages by index.
#pragma once
#include "framework/Afx.h"

class CSecurityNames {
public:
    static constexpr int kCount = 29;
    // Groups of the table: authentication names, cipher names, the site-survey lists' security
    // names, and the EAP method and inner-method names.
    static constexpr int kFirstAuthentication = 0;
    static constexpr int kFirstCipher = 9;
    static constexpr int kFirstSurveySecurity = 13;
    static constexpr int kFirstEapMethod = 20;

    // Fills the table; the three language texts come from the language table, so this runs
    // after the language file is read.
    void Fill();
    // The name at index; the empty text for an index outside the table.
    const CString& operator[](int index) const;

private:
    CString m_names[kCount];
};

extern CSecurityNames G_SecurityNames;

// Fills G_SecurityNames.
void FillSecurityNames();
