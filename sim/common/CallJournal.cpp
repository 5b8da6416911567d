#include "sim/common/CallJournal.h"

#include <cstdarg>
#include <cstdio>

namespace sim {

// A journal that nobody reads must not grow without end in a long run of the program.
constexpr size_t kMaxJournalLines = 100000;

void CallJournal::Add(const std::string& line)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_lines.size() >= kMaxJournalLines) m_lines.erase(m_lines.begin(), m_lines.begin() + kMaxJournalLines / 2);
    m_lines.push_back(line);
    if (!m_file.empty()) {
        if (FILE* file = fopen(m_file.c_str(), "a")) {
            fprintf(file, "%s\n", line.c_str());
            fclose(file);
        }
    }
}

void CallJournal::Clear()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_lines.clear();
}

std::string CallJournal::Text() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    std::string text;
    for (const std::string& line : m_lines) {
        if (!text.empty()) text += '\n';
        text += line;
    }
    return text;
}

void CallJournal::SetFile(const std::string& path)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_file = path;
}

std::string Format(const char* format, ...)
{
    char buffer[1024];
    va_list args;
    va_start(args, format);
    vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

}  // namespace sim
