#include "station/EntryLimits.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "station/TextWithNumber.h"

bool EntriesFit(std::initializer_list<EntryLimit> entries)
{
    for (const EntryLimit& entry : entries) {
        if (entry.text.GetLength() <= entry.most) continue;
        ShowProductMessageBox(TextWithNumber(G_LangTable.IDS_ENTRY_TOO_LONG, entry.most));
        return false;
    }
    return true;
}
