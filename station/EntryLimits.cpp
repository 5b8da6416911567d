#include "station/EntryLimits.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "station/TextWithNumber.h"

bool EntriesFit(std::initializer_list<EntryLimit> entries)
{
    for (const EntryLimit& entry : entries) {
        if (entry.text.GetLength() <= entry.most) continue;
        const CString message = TextWithNumber(G_LangTable.IDS_ENTRY_TOO_LONG, entry.most);
        // An older language file's text names no entry: the label goes before it.
        ShowProductMessageBox(message.Find("%s") >= 0 ? TextWithName(message, entry.name) : entry.name + ": " + message);
        return false;
    }
    return true;
}
