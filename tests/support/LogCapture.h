// Collects the program's debug lines at the given debug mode while alive.
#pragma once
#include "core/DebugLog.h"
#include "core/QXWLLIB.h"

#include <string>
#include <vector>

namespace testing_support {

class LogCapture {
public:
    explicit LogCapture(int debugMode = 5) : m_savedMode(QXWLAPI.nDebugMode)
    {
        QXWLAPI.nDebugMode = debugMode;
        SetDebugOutputSink([this](LPCSTR line) { m_lines.emplace_back(line); });
    }
    ~LogCapture()
    {
        SetDebugOutputSink(nullptr);
        QXWLAPI.nDebugMode = m_savedMode;
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const std::vector<std::string>& Lines() const { return m_lines; }
    void Clear() { m_lines.clear(); }
    // True when some line contains the text.
    bool Contains(const std::string& text) const
    {
        for (const std::string& line : m_lines)
            if (line.find(text) != std::string::npos) return true;
        return false;
    }

private:
    int m_savedMode;
    std::vector<std::string> m_lines;
};

}  // namespace testing_support
