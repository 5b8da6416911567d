// The companion-program stand-ins "QxSwap.exe" and "SelectCard.exe": started as the program
// starts them (full path, quoted arguments), they record the command line they were given.
#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <string>

namespace {

using testing_support::BinFolder;
using testing_support::ChildProcess;

constexpr DWORD kExitWaitMs = 10000;

class CompanionProgram : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override { ::DeleteFileA(LogPath().c_str()); }
    void TearDown() override { ::DeleteFileA(LogPath().c_str()); }

    std::string Program() const { return BinFolder() + GetParam() + ".exe"; }
    std::string LogPath() const { return BinFolder() + GetParam() + ".log"; }

    void Run(const std::string& commandLine)
    {
        ChildProcess child(commandLine);
        ASSERT_TRUE(child.Started()) << commandLine;
        DWORD exitCode = 1;
        ASSERT_TRUE(child.WaitForExit(kExitWaitMs, &exitCode));
        EXPECT_EQ(0u, exitCode);
    }
};

TEST_P(CompanionProgram, RecordsTheCommandLineItWasGiven)
{
    // The mode-swap program's format: switch word, two names, then three quoted texts.
    const std::string line = "\"" + Program() +
                             "\" ON KPL4471 QxUI \"Quixen Wireless\" \"Quixen Wireless Utility\" "
                             "\"{5D624F94-8850-40C3-A3FA-A4FD2080BAF3}\\VWIFIMP\"";
    Run(line);
    EXPECT_EQ(line + "\r\n", testing_support::ReadWholeFile(LogPath()));
}

TEST_P(CompanionProgram, AppendsOneLinePerStart)
{
    const std::string first = "\"" + Program() + "\" OFF KPL4471 KPL4471 \"a b\" \"c\" \"d\"";
    const std::string second = "\"" + Program() + "\"";
    Run(first);
    Run(second);
    EXPECT_EQ(first + "\r\n" + second + "\r\n", testing_support::ReadWholeFile(LogPath()));
}

INSTANTIATE_TEST_SUITE_P(StandIns, CompanionProgram, ::testing::Values("QxSwap", "SelectCard"));

}  // namespace
