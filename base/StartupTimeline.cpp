#include "base/StartupTimeline.h"
#include "base/DebugLog.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int kMaxMarks = 64;
constexpr char kLinePrefix[] = "start-up step: ";
constexpr char kFieldSeparator[] = " | ";

struct Mark {
    LPCSTR step = nullptr;
    LARGE_INTEGER counter{};
};

// Only the user-interface thread marks, and only during start-up: no lock. Constant-initialised,
// so that a mark made while static objects are built is not wiped by the timeline's own start.
struct Timeline {
    Mark marks[kMaxMarks];
    int count = 0;
    bool finished = false;
    double originMs = 0;  // the first mark's distance from the process's creation
};
constinit Timeline g_timeline;

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
}  // namespace

void MarkStartupStep(LPCSTR step)
{
    Timeline& t = g_timeline;
    if (t.finished || t.count == kMaxMarks) return;
    for (int i = 0; i < t.count; ++i)
        if (t.marks[i].step == step) return;
    if (t.count == 0) t.originMs = SinceProcessCreationMs();
    t.marks[t.count].step = step;
    ::QueryPerformanceCounter(&t.marks[t.count].counter);
    ++t.count;
}

void FinishStartupTimeline()
{
    Timeline& t = g_timeline;
    if (t.finished) return;
    t.finished = true;
    LARGE_INTEGER frequency;
    if (t.count == 0 || !::QueryPerformanceFrequency(&frequency)) return;
    double previous = 0;
    for (int i = 0; i < t.count; ++i) {
        const double at = t.originMs + static_cast<double>(t.marks[i].counter.QuadPart - t.marks[0].counter.QuadPart) *
                                           1000.0 / static_cast<double>(frequency.QuadPart);
        char line[kDebugLineBytes];
        std::snprintf(line, sizeof line, "%s%s%s%.1f ms%s+%.1f ms", kLinePrefix, t.marks[i].step, kFieldSeparator, at,
                      kFieldSeparator, at - previous);
        if (!DebugLogText(line)) return;  // the log file is off: nothing is written
        previous = at;
    }
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
