// Entries a record keeps in fields of fixed size: the edits are limited, but a pasted or
// programmatically set text may be longer, and is refused rather than cut.
#pragma once
#include "framework/Afx.h"

#include <initializer_list>

struct EntryLimit {
    const CString& text;
    int most;             // characters the record's field keeps
    const CString& name;  // the entry's label, as its page shows it
};

// False, after the language file's message naming the entry and its limit, for the first entry
// longer than it.
bool EntriesFit(std::initializer_list<EntryLimit> entries);
