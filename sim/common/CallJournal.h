// The journal of calls made into the library: one line per call, the entry point and the
// arguments that matter ("QXWL_SetSSID(Cafe)"). Tests read it through SIM_GetJournal; with a
// journal file set every line is appended to that file as well (for tests across processes).
#pragma once
#include <windows.h>

#include <mutex>
#include <string>
#include <vector>

namespace sim {

class CallJournal {
public:
    void Add(const std::string& line);
    void Clear();
    std::string Text() const;  // lines joined by '\n'
    void SetFile(const std::string& path);

private:
    mutable std::mutex m_lock;
    std::vector<std::string> m_lines;
    std::string m_file;
};

// printf-style formatting for journal lines.
std::string Format(const char* format, ...);

}  // namespace sim
