// Entries a record keeps in fields of fixed size: the edits are limited, but a pasted or
// programmatically set text may be longer, and is refused rather than cut.
#pragma once
#include "framework/Afx.h"

#include <initializer_list>

struct EntryLimit {
    const CString& text;
    int most;  // characters the record's field keeps
};

// False, after the language file's message naming the limit, for the first entry longer than it.
bool EntriesFit(std::initializer_list<EntryLimit> entries);
