// The bridge binding: the companion program's command lines, the bridge word, and the waiter for
// the answer of the stand-in "VarodiVevovi.exe".
#include <gtest/gtest.h>
#include "base/LanguageTable.h"
#include "softap/BridgeBinding.h"
#include "softap/BridgeStandIn.h"
#include "support/LangTableSnapshot.h"
#include "support/TestSupport.h"

#include <memory>
#include <string>

using namespace testing_support;
using softap_test::BridgeProgramDone;

TEST(BridgeCommands, FieldsAsTheyStandEachEndedByPlusAndPlusRefused)
{
    CString text;
    ASSERT_TRUE(BuildBindWin7Command(text, "02:4B:45:4C:56:4F", "LAN", reinterpret_cast<HWND>(4660)));
    EXPECT_STREQ(text, "BINDWIN7+02:4B:45:4C:56:4F+LAN+4660+");
    // Adapter names hold blanks: never quoted, the companion program reads the whole text.
    ASSERT_TRUE(BuildBindCommand(text, "Kelvo Wireless", "Realtek PCIe GBE Family Controller", nullptr));
    EXPECT_STREQ(text, "BIND+Kelvo Wireless+Realtek PCIe GBE Family Controller+0+");
    // No adapter to bridge: an empty field, two '+' in a row.
    ASSERT_TRUE(BuildBindWin7Command(text, "00:00:00:00:00:00", "", nullptr));
    EXPECT_STREQ(text, "BINDWIN7+00:00:00:00:00:00++0+");
    EXPECT_FALSE(BuildBindCommand(text, "AP", "Adapter+2", nullptr));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_FALSE(BuildBindCommand(text, "AP \"x", "LAN", nullptr));
    EXPECT_FALSE(BuildBindCommand(text, "AP", CString(std::string(kBindParameterBytes, 'n').c_str()), nullptr));
    EXPECT_STREQ(BuildUnbindAllCommand(), "UNBINDALL+");
}

TEST(BridgeWord, SignedByteSumInEachLayout)
{
    // 0xE9 counts as -23.
    EXPECT_EQ(BridgeNameSum("A\xE9"), static_cast<ULONG>(65 - 23));
    EXPECT_EQ(HostedBridgeWord("A\xE9", true), 0x1000000u | 42u);
    EXPECT_EQ(HostedBridgeWord("\xE9", true), 0x1000000u | (static_cast<ULONG>(-23) & 0xFFFFFF));
    EXPECT_EQ(SoftApBridgeWord("\xE9", true), 0x100u | (static_cast<ULONG>(-23) & 0xFF));
    EXPECT_EQ(HostedBridgeWord("LAN", false), 0u);
    EXPECT_EQ(SoftApBridgeWord("LAN", false), 0u);
}

TEST(BridgeWord, StoredAdapterIsTheFirstNameWithTheSum)
{
    // "AB" and "BA" have the same sum: the first in the list is taken.
    const std::vector<CString> names{"Other", "BA", "AB"};
    EXPECT_EQ(FindBridgeAdapterIndex(names, HostedBridgeWord("AB", true), kHostedBridgedBit, kHostedSumMask), 1);
    EXPECT_EQ(FindBridgeAdapterIndex(names, SoftApBridgeWord("Other", true), kSoftApBridgedBit, kSoftApSumMask), 0);
    EXPECT_EQ(FindBridgeAdapterIndex(names, HostedBridgeWord("Missing", true), kHostedBridgedBit, kHostedSumMask), -1);
    // Not bridged: no adapter, even with a matching sum.
    EXPECT_EQ(FindBridgeAdapterIndex(names, BridgeNameSum("AB") & kHostedSumMask, kHostedBridgedBit, kHostedSumMask), -1);
}

namespace {
// A window that counts the answers posted to it, and notes whether a wait still ran when one came.
class ResultWindow {
public:
    ResultWindow()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "BindResultTestWindow";
        ::RegisterClassA(&wc);
        m_hWnd = ::CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        Forget();
    }
    // The answers counted so far are forgotten.
    static void Forget()
    {
        s_results = 0;
        s_waitRanWhenTold = false;
    }
    ~ResultWindow() { Destroy(); }
    void Destroy()
    {
        if (m_hWnd) ::DestroyWindow(m_hWnd);
        m_hWnd = nullptr;
    }
    HWND Handle() const { return m_hWnd; }
    static int Results() { return s_results; }
    static bool WaitRanWhenTold() { return s_waitRanWhenTold; }

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == MSG_BIND_RESULT) {
            ++s_results;
            s_waitRanWhenTold = s_waitRanWhenTold || CBindResultWaiter::Get().Running();
        }
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
    HWND m_hWnd = nullptr;
    static inline int s_results = 0;
    static inline bool s_waitRanWhenTold = false;
};

class BindWaiter : public ::testing::Test {
protected:
    void SetUp() override
    {
        G_LangTable.IDS_AP_BIND_ERROR = "The bridge could not be bound.";
        G_LangTable.IDS_AP_FAIL_TO_RUN_BRIDGE = "The bridge program did not start.";
    }
    void TearDown() override
    {
        SetBridgeLauncher({});
        CBindResultWaiter::Get().Stop();
        CBindResultWaiter::Get().ForgetResult();
        // The companion program's objects go with it, before the next case starts one.
        EXPECT_TRUE(PumpUntil(BridgeProgramDone, kWaitBoundMs));
    }
    void World(int succeeds, int answers, DWORD holdMs = kHoldMs, DWORD answerAfterMs = 0)
    {
        m_world.reset();  // the old file goes before the new one is written
        m_world = std::make_unique<ScopedFile>(BinFolder() + "VarodiVevoviWorld.ini",
                                               "[Bind]\r\nSucceeds=" + std::to_string(succeeds) + "\r\nAnswers=" +
                                                   std::to_string(answers) + "\r\nHoldMs=" + std::to_string(holdMs) +
                                                   "\r\nAnswerAfterMs=" + std::to_string(answerAfterMs) + "\r\n");
    }
    static bool Bind(HWND page)
    {
        CString command;
        return BuildBindWin7Command(command, "02:4B:45:4C:56:4F", "Wired LAN", page) && BindThroughCompanion(page, command);
    }
    // A binding whose answer is awaited and handled as the page handles it.
    static LRESULT BindAndHandleTheAnswer(HWND page)
    {
        ResultWindow::Forget();
        EXPECT_TRUE(Bind(page));
        EXPECT_TRUE(PumpUntil(Answered, kWaitBoundMs));
        return HandleBindResult();
    }
    static bool Answered() { return ResultWindow::Results() > 0; }
    static constexpr DWORD kHoldMs = 1500;
    std::unique_ptr<ScopedFile> m_world;
    testing_support::LangTableSnapshot m_lang;  // the texts SetUp gives go back after each test
};
}  // namespace

TEST_F(BindWaiter, SuccessIsPostedAndShowsNothing)
{
    World(1, 1);
    ResultWindow page;
    ASSERT_TRUE(Bind(page.Handle()));
    ASSERT_TRUE(PumpUntil(Answered, kWaitBoundMs));
    EXPECT_FALSE(ResultWindow::WaitRanWhenTold());
    MessageBoxCapture boxes;
    EXPECT_EQ(HandleBindResult(), 0);
    EXPECT_EQ(boxes.Count(), 0u);
    const std::string log = ReadWholeFile(BinFolder() + "VarodiVevovi.log");
    EXPECT_NE(log.find(" BINDWIN7+02:4B:45:4C:56:4F+Wired LAN+"), std::string::npos) << log;
}

TEST_F(BindWaiter, FailureIsToldToTheUserOnce)
{
    World(0, 1);
    ResultWindow page;
    ASSERT_TRUE(Bind(page.Handle()));
    ASSERT_TRUE(PumpUntil(Answered, kWaitBoundMs));
    MessageBoxCapture boxes;
    EXPECT_EQ(HandleBindResult(), 0);
    EXPECT_EQ(HandleBindResult(), 100) << "a second look finds nothing new";
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_STREQ(boxes.Boxes()[0].text, G_LangTable.IDS_AP_BIND_ERROR);
}

TEST_F(BindWaiter, ACompanionThatEndsWithoutAnsweringIsToldToTheUser)
{
    World(1, 0, 300);
    ResultWindow page;
    ASSERT_TRUE(Bind(page.Handle()));
    // Long before the time limit: the program's end is the sign.
    ASSERT_TRUE(PumpUntil(Answered, kWaitBoundMs));
    MessageBoxCapture boxes;
    EXPECT_EQ(HandleBindResult(), 100);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_STREQ(boxes.Boxes()[0].text, G_LangTable.IDS_AP_BIND_ERROR);
}

TEST_F(BindWaiter, EachBindingHearsItsOwnAnswerHoweverSoonOrLateItComes)
{
    MessageBoxCapture boxes;
    ResultWindow page;
    // It answers and ends at once: its objects would go with it before a poll could see them.
    World(1, 1, 0);
    EXPECT_EQ(BindAndHandleTheAnswer(page.Handle()), 0);
    // A failure whose program still holds its answer, then a binding that succeeds a while later.
    World(0, 1, 3000);
    EXPECT_EQ(BindAndHandleTheAnswer(page.Handle()), 0);
    World(1, 1, 0, 300);
    EXPECT_EQ(BindAndHandleTheAnswer(page.Handle()), 0);
    EXPECT_EQ(boxes.Count(), 1u) << "only the failure is told";
    // Still at work long after the time limit: a program that runs is waited for.
    World(1, 1, 0, 1000);
    ResultWindow::Forget();
    HANDLE process = nullptr;
    ASSERT_TRUE(StartBridgeProgram("BINDWIN7+02:4B:45:4C:56:4F+Wired LAN+0+", &process));
    CBindResultWaiter::Get().Start(page.Handle(), 100);
    CBindResultWaiter::Get().Watch(process);
    ASSERT_TRUE(PumpUntil(Answered, kWaitBoundMs));
    EXPECT_EQ(HandleBindResult(), 0);
    EXPECT_EQ(boxes.Count(), 1u);
}

TEST_F(BindWaiter, TheTimeLimitEndsASilentWaitAndIsTold)
{
    ResultWindow page;
    CBindResultWaiter::Get().Start(page.Handle(), 500);  // nothing started: nothing will answer
    ASSERT_TRUE(PumpUntil(Answered, kWaitBoundMs));
    // The page that hears of the end finds the wait over.
    EXPECT_FALSE(ResultWindow::WaitRanWhenTold());
    EXPECT_FALSE(CBindResultWaiter::Get().Running());
    MessageBoxCapture boxes;
    EXPECT_EQ(HandleBindResult(), 100);
    EXPECT_EQ(boxes.Count(), 1u);
}

TEST_F(BindWaiter, TheWaiterIsArmedBeforeTheCompanionStarts)
{
    // An answer written the moment the program starts must find the waiter already looking.
    bool armedAtStart = false;
    SetBridgeLauncher([&](LPCSTR, HANDLE*) {
        armedAtStart = CBindResultWaiter::Get().Running();
        return true;
    });
    ResultWindow page;
    ASSERT_TRUE(Bind(page.Handle()));
    EXPECT_TRUE(armedAtStart);
}

TEST_F(BindWaiter, AStartThatFailsIsToldAndLeavesNothingWaiting)
{
    SetBridgeLauncher([](LPCSTR, HANDLE*) { return false; });
    ResultWindow page;
    MessageBoxCapture boxes;
    EXPECT_FALSE(Bind(page.Handle()));
    EXPECT_FALSE(CBindResultWaiter::Get().Running());
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_STREQ(boxes.Boxes()[0].text, G_LangTable.IDS_AP_FAIL_TO_RUN_BRIDGE);
    EXPECT_FALSE(UnbindThroughCompanion());
    EXPECT_EQ(boxes.Count(), 2u);
    MSG posted{};
    EXPECT_FALSE(::PeekMessageA(&posted, page.Handle(), MSG_BIND_RESULT, MSG_BIND_RESULT, PM_NOREMOVE));
}

TEST_F(BindWaiter, StopEndsTheWaitAndAGonePageGetsNothing)
{
    World(1, 0);
    ResultWindow page;
    ASSERT_TRUE(Bind(page.Handle()));
    CBindResultWaiter::Get().Stop(page.Handle());
    EXPECT_FALSE(CBindResultWaiter::Get().Running());
    EXPECT_EQ(HandleBindResult(), 100) << "a stopped wait has no outcome";
    ASSERT_TRUE(PumpUntil(BridgeProgramDone, kWaitBoundMs));

    // A page destroyed while its waiter runs: the answer comes, nobody is posted to.
    World(1, 1);
    ResultWindow gone;
    ASSERT_TRUE(Bind(gone.Handle()));
    gone.Destroy();
    EXPECT_TRUE(PumpUntil([] { return !CBindResultWaiter::Get().Running(); }, kWaitBoundMs));
    EXPECT_EQ(ResultWindow::Results(), 0);
}

TEST_F(BindWaiter, UnbindAllCreatesNothingAndAQuotedCommandIsNotTheContract)
{
    World(1, 1);
    ASSERT_TRUE(UnbindThroughCompanion());
    ResultWindow page;
    CBindResultWaiter::Get().Start(page.Handle(), 1500);
    EXPECT_TRUE(PumpUntil([] { return !CBindResultWaiter::Get().Running(); }, kWaitBoundMs));
    EXPECT_NE(ReadWholeFile(BinFolder() + "VarodiVevovi.log").find("UNBINDALL+"), std::string::npos);
    ULONG word0 = 0, word1 = 0;
    EXPECT_EQ(CBindResultWaiter::Get().Outcome(word0, word1), BindOutcome::Silent) << "nothing answered";

    // The stand-in holds the companion program to its contract: quoted parameters are refused.
    HANDLE process = nullptr;
    ASSERT_TRUE(StartBridgeProgram("\"BIND+Kelvo Wireless+LAN+1+\"", &process));
    ASSERT_NE(process, nullptr);
    EXPECT_EQ(::WaitForSingleObject(process, kWaitBoundMs), WAIT_OBJECT_0);
    DWORD code = 0;
    ::GetExitCodeProcess(process, &code);
    ::CloseHandle(process);
    EXPECT_EQ(code, 2u);
}
