// The start-up's steps, timed from the creation of the process. The marks are kept in memory
// (a clock read each) and written to the debug log file only when the debug switch opened it,
// once the first poll is over: the normal program writes nothing of them.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct StartupStep {
    std::string name;
    double atMs;  // since the process was created
};

class CStartupTimeline {
public:
    static constexpr int kMaxMarks = 64;

    // Marks the end of a step, the first time only; step must be a literal (its address tells
    // the steps apart). Ignored once the timeline is finished or full.
    void Mark(LPCSTR step);
    std::vector<StartupStep> Steps() const;
    // Hands each step's line to write, once; stops at the first line write refuses (answers 0).
    void Finish(const std::function<int(LPCSTR line)>& write);
    bool IsFinished() const { return m_bFinished; }

private:
    struct Entry {
        LPCSTR step = nullptr;
        LARGE_INTEGER counter{};
    };
    Entry m_marks[kMaxMarks];
    int m_nCount = 0;
    bool m_bFinished = false;
    double m_originMs = 0;  // the first mark's distance from the process's creation
};

// The program's timeline.
void MarkStartupStep(LPCSTR step);
// Writes the program's timeline to the debug log file when it is open, once.
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

// The timeline's lines read back from the log file's text (for the start-up benchmark).
std::vector<StartupStep> ParseStartupTimeline(const std::string& logText);
