#include "station/EntryLimits.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "station/TextWithNumber.h"

bool EntriesFit(std::initializer_list<EntryLimit> entries)
{
    for (const EntryLimit& entry : entries) {
        if (entry.text.GetLength() <= entry.most) continue;
        const CString message = TextWithNumber(G_LangTable.IDS_ENTRY_TOO_LONG, entry.most);
        // The message speaks of "an entry": with several on a page the user is told which one.
        ShowProductMessageBox(entry.name.IsEmpty() ? message : entry.name + ": " + message);
        return false;
    }
    return true;
}
