#include <gtest/gtest.h>
#include "base/StartupTimeline.h"

#include <string>
#include <vector>

namespace {
double ProcessAgeMs()
{
    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    ::GetSystemTimeAsFileTime(&now);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(now) - ms(created);
}
}  // namespace

TEST(StartupTimeline, StepsKeepTheirOrderFromTheProcessStartAndAStepCountsOnce)
{
    static const char kFirst[] = "first", kSecond[] = "second";
    CStartupTimeline timeline;
    const double before = ProcessAgeMs();
    timeline.Mark(kFirst);
    timeline.Mark(kSecond);
    timeline.Mark(kFirst);  // a step run again (a page painted twice) keeps its first time
    const double after = ProcessAgeMs();
    const std::vector<StartupStep> steps = timeline.Steps();
    ASSERT_EQ(2u, steps.size());
    EXPECT_EQ("first", steps[0].name);
    EXPECT_EQ("second", steps[1].name);
    // Timed from the process's creation; the clock of that time is coarser than a millisecond.
    EXPECT_GE(steps[0].atMs, before - 20);
    EXPECT_LE(steps[1].atMs, after + 20);
    EXPECT_LE(steps[0].atMs, steps[1].atMs);
}

TEST(StartupTimeline, WrittenOnceAndNotAtAllWhileTheLogTakesNoLines)
{
    static const char kOne[] = "one", kTwo[] = "two", kLate[] = "late";
    CStartupTimeline off;
    off.Mark(kOne);
    off.Mark(kTwo);
    int offered = 0;
    off.Finish([&](LPCSTR) { ++offered; return 0; });  // the log file is not open
    EXPECT_EQ(1, offered);
    EXPECT_TRUE(off.IsFinished());

    CStartupTimeline on;
    on.Mark(kOne);
    std::vector<std::string> lines;
    const auto collect = [&](LPCSTR line) { lines.emplace_back(line); return 1; };
    on.Finish(collect);
    on.Mark(kLate);  // after the first poll: no longer part of the start-up
    on.Finish(collect);
    ASSERT_EQ(1u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find("one"));
    EXPECT_EQ(1u, on.Steps().size());
}

TEST(StartupTimeline, LinesInTheLogFileReadBackAsTheStepsTheyCameFrom)
{
    static const char kLoaded[] = "station library loaded", kShown[] = "main window shown";
    CStartupTimeline timeline;
    timeline.Mark(kLoaded);
    timeline.Mark(kShown);
    std::string log = "============== header ==============\n(10:00:00) <<<*** an engine line ***>>>\n";
    timeline.Finish([&](LPCSTR line) {
        log += std::string("(10:00:01) <<<*** ") + line + " ***>>>\n";  // as the log file frames them
        return 1;
    });
    log += "(10:00:02) <<<*** start-up step: no time here ***>>>\n";
    const std::vector<StartupStep> written = timeline.Steps();
    const std::vector<StartupStep> read = ParseStartupTimeline(log);
    ASSERT_EQ(2u, read.size());
    for (size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(written[i].name, read[i].name);
        EXPECT_NEAR(written[i].atMs, read[i].atMs, 0.051);
    }
}
