#include "base/StartupTimeline.h"
#include "base/DebugLog.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr char kLinePrefix[] = "start-up step: ";
constexpr char kFieldSeparator[] = " | ";

double FileTimeMs(const FILETIME& t)
{
    ULARGE_INTEGER v;
    v.LowPart = t.dwLowDateTime;
    v.HighPart = t.dwHighDateTime;
    return static_cast<double>(v.QuadPart) / 10000.0;
}

double SinceProcessCreationMs()
{
    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
    ::GetSystemTimeAsFileTime(&now);
    return FileTimeMs(now) - FileTimeMs(created);
}

// Only the user-interface thread marks, during start-up: no lock. Constant-initialised, so that
// a mark made while static objects are built is not wiped by the timeline's own construction.
constinit CStartupTimeline g_timeline;
}  // namespace

void CStartupTimeline::Mark(LPCSTR step)
{
    if (m_bFinished || m_nCount == kMaxMarks) return;
    for (int i = 0; i < m_nCount; ++i)
        if (m_marks[i].step == step) return;
    if (m_nCount == 0) m_originMs = SinceProcessCreationMs();
    m_marks[m_nCount].step = step;
    ::QueryPerformanceCounter(&m_marks[m_nCount].counter);
    ++m_nCount;
}

std::vector<StartupStep> CStartupTimeline::Steps() const
{
    std::vector<StartupStep> steps;
    LARGE_INTEGER frequency;
    if (m_nCount == 0 || !::QueryPerformanceFrequency(&frequency)) return steps;
    for (int i = 0; i < m_nCount; ++i) {
        const double sinceFirst = static_cast<double>(m_marks[i].counter.QuadPart - m_marks[0].counter.QuadPart) *
                                  1000.0 / static_cast<double>(frequency.QuadPart);
        steps.push_back({m_marks[i].step, m_originMs + sinceFirst});
    }
    return steps;
}

void CStartupTimeline::Finish(const std::function<int(LPCSTR line)>& write)
{
    if (m_bFinished) return;
    m_bFinished = true;
    double previous = 0;
    for (const StartupStep& step : Steps()) {
        char line[kDebugLineBytes];
        std::snprintf(line, sizeof line, "%s%s%s%.1f ms%s+%.1f ms", kLinePrefix, step.name.c_str(), kFieldSeparator,
                      step.atMs, kFieldSeparator, step.atMs - previous);
        if (!write(line)) return;
        previous = step.atMs;
    }
}

void MarkStartupStep(LPCSTR step)
{
    g_timeline.Mark(step);
}

void FinishStartupTimeline()
{
    // Written only when the debug switch opened the log file (DebugLogText answers 0 otherwise).
    g_timeline.Finish(DebugLogText);
}

std::vector<StartupStep> ParseStartupTimeline(const std::string& logText)
{
    std::vector<StartupStep> steps;
    for (size_t at = logText.find(kLinePrefix); at != std::string::npos; at = logText.find(kLinePrefix, at + 1)) {
        const size_t nameStart = at + std::strlen(kLinePrefix);
        const size_t nameEnd = logText.find(kFieldSeparator, nameStart);
        const size_t lineEnd = logText.find('\n', nameStart);
        if (nameEnd == std::string::npos || nameEnd > lineEnd) continue;
        const char* number = logText.c_str() + nameEnd + std::strlen(kFieldSeparator);
        char* end = nullptr;
        const double ms = std::strtod(number, &end);
        if (end == number) continue;
        steps.push_back({logText.substr(nameStart, nameEnd - nameStart), ms});
    }
    return steps;
}
