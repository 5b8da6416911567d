#include <gtest/gtest.h>
#include "base/DebugLog.h"
#include "core/QXWLLIB.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {
class DebugOutput : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDebugOutputSink([this](LPCSTR line) { lines.emplace_back(line); });
    }
    void TearDown() override
    {
        SetDebugOutputSink(nullptr);
        QXWLAPI.nDebugMode = 0;
    }
    std::vector<std::string> lines;
};
}  // namespace

TEST_F(DebugOutput, LevelsPassUpToTheDebugMode)
{
    QXWLAPI.nDebugMode = 3;
    for (int level = 0; level <= 5; ++level) DebugLog(level, "[QxUI] level %d\n", level);
    EXPECT_EQ((std::vector<std::string>{"[QxUI] level 0\n", "[QxUI] level 1\n", "[QxUI] level 2\n", "[QxUI] level 3\n"}),
              lines);
    lines.clear();
    QXWLAPI.nDebugMode = 0;
    DebugLog(0, "zero");
    DebugLog(1, "one");
    EXPECT_EQ((std::vector<std::string>{"zero"}), lines);
}

TEST_F(DebugOutput, LinesTakeCountedNamesAndFractions)
{
    QXWLAPI.nDebugMode = 4;
    const char name[] = {'p', 'e', 'e', 'r', 'X'};  // a device name without its terminator
    DebugLog(3, "%.*s=%.3f", 4, name, 1.5);
    EXPECT_EQ(std::vector<std::string>{"peer=1.500"}, lines);
}

// A sink's owner may go away as soon as it has replaced the sink: no other thread may still be
// inside the old one then.
TEST_F(DebugOutput, ReplacingTheSinkWaitsForLinesBeingWrittenOnOtherThreads)
{
    QXWLAPI.nDebugMode = 3;
    std::atomic<int> inside{0};
    std::atomic<bool> entered{false}, stop{false};
    // A slow sink, so that most replacements find a line being written: here the time spent
    // inside is the point, not a wait for something.
    constexpr DWORD kLineWriteMs = 20;
    const auto slowSink = [&](LPCSTR) {
        ++inside;
        entered = true;
        ::Sleep(kLineWriteMs);
        --inside;
    };
    SetDebugOutputSink(slowSink);
    std::thread writer([&] {
        while (!stop) DebugLog(1, "[QxUI] from another thread\n");
    });
    EXPECT_TRUE(testing_support::PumpUntil([&] { return entered.load(); }, testing_support::kWaitBoundMs));
    int stillInside = 0;
    for (int round = 0; round < 5; ++round) {
        SetDebugOutputSink(nullptr);
        stillInside = std::max<int>(stillInside, inside);
        SetDebugOutputSink(slowSink);
    }
    SetDebugOutputSink(nullptr);
    stillInside = std::max<int>(stillInside, inside);
    stop = true;
    writer.join();
    EXPECT_EQ(0, stillInside);
}

TEST_F(DebugOutput, NegativeModeSilencesEveryLine)
{
    QXWLAPI.nDebugMode = -1;
    DebugLog(0, "zero");
    DebugLogIfEnabled("[ApUI] soft-AP line");
    EXPECT_EQ(1u, lines.size());  // the soft-AP log writes whenever the mode is not 0
    EXPECT_EQ("[ApUI] soft-AP line", lines[0]);
}

TEST_F(DebugOutput, SoftApLogWritesOnlyWhenModeIsNotZero)
{
    QXWLAPI.nDebugMode = 0;
    DebugLogIfEnabled("[ApUI] off");
    EXPECT_TRUE(lines.empty());
    QXWLAPI.nDebugMode = 2;
    DebugLogIfEnabled("[ApUI] %s %d", "on", 5);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ("[ApUI] on 5", lines[0]);
}

TEST_F(DebugOutput, OverLongLineIsCutTo511Characters)
{
    QXWLAPI.nDebugMode = 5;
    std::string big(2000, 'q');
    DebugLog(1, "[QxUI] %s", big.c_str());
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(511u, lines[0].size());
    EXPECT_EQ(0u, lines[0].find("[QxUI] qqq"));
}

class DebugLogFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetDebugOutputSink([](LPCSTR) {});
        ASSERT_EQ(1, OpenDebugLogFile());
        path = DebugLogFilePath();
    }
    void TearDown() override { SetDebugOutputSink(nullptr); }
    void Reopen() { ASSERT_EQ(1, OpenDebugLogFile()); }
    std::string path;
};

TEST_F(DebugLogFile, LiesOnTheDesktopAndStartsWithItsHeader)
{
    EXPECT_NE(std::string::npos, path.find("\\KPL4471.LOG"));
    std::string content = testing_support::ReadWholeFile(path);
    EXPECT_NE(std::string::npos, content.find("Log FileName=" + path + " =============="));
}

// The file is written in text mode: line breaks land as CR LF.
TEST_F(DebugLogFile, TextAndValueLinesAreTimestamped)
{
    EXPECT_EQ(1, DebugLogText("connect"));
    EXPECT_EQ(1, DebugLogValue("channel", -6));
    std::string content = testing_support::ReadWholeFile(path);
    EXPECT_NE(std::string::npos, content.find(") <<<*** connect ***>>>\r\n"));
    EXPECT_NE(std::string::npos, content.find(") channel = -6\r\n"));
}

TEST_F(DebugLogFile, FileOfExactlyTheLimitIsAppendedOneByteMoreIsEmptied)
{
    {
        testing_support::ScopedFile keep(path, std::string(51200, 'a'));
        Reopen();
        std::string content = testing_support::ReadWholeFile(path);
        EXPECT_EQ(std::string(51200, 'a'), content.substr(0, 51200));
        EXPECT_GT(content.size(), 51200u);
    }
    testing_support::ScopedFile big(path, std::string(51201, 'b'));
    Reopen();
    std::string content = testing_support::ReadWholeFile(path);
    EXPECT_EQ(std::string::npos, content.find('b'));
    EXPECT_EQ(0u, content.find("=============="));
}

TEST_F(DebugLogFile, TwoOpeningsAddTwoHeadersOnOneRun)
{
    testing_support::ScopedFile fresh(path, "");
    Reopen();
    DebugLogText("first run");
    Reopen();
    std::string content = testing_support::ReadWholeFile(path);
    size_t headers = 0;
    for (size_t at = content.find("Log FileName="); at != std::string::npos; at = content.find("Log FileName=", at + 1))
        ++headers;
    EXPECT_EQ(2u, headers);
    // The header carries no line break: the second one follows the last line directly.
    EXPECT_NE(std::string::npos, content.find("***>>>\r\n=============="));
}
