// The start-up's steps, timed from the creation of the process. The marks are kept in memory
// (a clock read each) and written to the debug log file only when the debug switch opened it,
// once the first poll is over: the normal program writes nothing of them.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Marks the end of a start-up step, the first time only; step must be a literal (its address
// tells the steps apart).
void MarkStartupStep(LPCSTR step);
// Writes the marks to the debug log file when it is open, once; later marks are dropped.
void FinishStartupTimeline();

// Times the last step of the timeline (the first poll) while it lives, then writes the timeline.
class FinalStartupStep {
public:
    FinalStartupStep(bool active, LPCSTR started, LPCSTR done) : m_done(active ? done : nullptr)
    {
        if (active) MarkStartupStep(started);
    }
    ~FinalStartupStep()
    {
        if (!m_done) return;
        MarkStartupStep(m_done);
        FinishStartupTimeline();
    }
    FinalStartupStep(const FinalStartupStep&) = delete;
    FinalStartupStep& operator=(const FinalStartupStep&) = delete;

private:
    LPCSTR m_done;
};

struct StartupStep {
    std::string name;
    double atMs;  // since the process was created
};
// The timeline's lines, as the log file holds them, read back (for the start-up benchmark).
std::vector<StartupStep> ParseStartupTimeline(const std::string& logText);
