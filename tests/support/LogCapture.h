// Collects the program's debug lines at the given debug mode while alive; worker threads of the
// program may log while the test reads.
#pragma once
#include "base/DebugLog.h"
#include "core/QXWLLIB.h"

#include <mutex>
#include <string>
#include <vector>

namespace testing_support {

class LogCapture {
public:
    explicit LogCapture(int debugMode = 5) : m_savedMode(QXWLAPI.nDebugMode)
    {
        QXWLAPI.nDebugMode = debugMode;
        SetDebugOutputSink([this](LPCSTR line) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_lines.emplace_back(line);
        });
    }
    ~LogCapture()
    {
        SetDebugOutputSink(nullptr);
        QXWLAPI.nDebugMode = m_savedMode;
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    std::vector<std::string> Lines() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_lines;
    }
    void Clear()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lines.clear();
    }
    // True when some line contains the text.
    bool Contains(const std::string& text) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const std::string& line : m_lines)
            if (line.find(text) != std::string::npos) return true;
        return false;
    }

private:
    int m_savedMode;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_lines;
};

}  // namespace testing_support
