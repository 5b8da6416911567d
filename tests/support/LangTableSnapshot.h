// The texts of the process-wide language table, taken when made and put back when it goes: a
// fixture that gives texts their own values for its checks leaves the next test the table it had.
#pragma once
#include "base/LanguageTable.h"

#include <vector>

namespace testing_support {

class LangTableSnapshot {
public:
    LangTableSnapshot()
    {
        size_t count = 0;
        const CLanguageTable::KeyInfo* keys = CLanguageTable::Keys(&count);
        m_texts.reserve(count);
        for (size_t i = 0; i < count; ++i) m_texts.push_back(G_LangTable.*(keys[i].text));
    }
    ~LangTableSnapshot()
    {
        size_t count = 0;
        const CLanguageTable::KeyInfo* keys = CLanguageTable::Keys(&count);
        for (size_t i = 0; i < count && i < m_texts.size(); ++i) G_LangTable.*(keys[i].text) = m_texts[i];
    }
    LangTableSnapshot(const LangTableSnapshot&) = delete;
    LangTableSnapshot& operator=(const LangTableSnapshot&) = delete;

private:
    std::vector<CString> m_texts;
};

}  // namespace testing_support
