// The bridge binding: the companion program's command lines, the bridge word, and the waiter for
// the answer of the stand-in "VarodiVevovi.exe".
#include <gtest/gtest.h>
#include "base/LanguageTable.h"
#include "softap/BridgeBinding.h"
#include "support/TestSupport.h"

#include <memory>
#include <string>

using namespace testing_support;

TEST(BridgeCommands, FieldsEndedByPlusBlanksQuotedAndPlusRefused)
{
    CString text;
    ASSERT_TRUE(BuildBindWin7Command(text, "02:4B:45:4C:56:4F", "LAN", reinterpret_cast<HWND>(4660)));
    EXPECT_STREQ(text, "BINDWIN7+02:4B:45:4C:56:4F+LAN+4660+");
    // A name with blanks reaches the companion program as one argument.
    ASSERT_TRUE(BuildBindCommand(text, "Kelvo Wireless", "Realtek PCIe GBE Family Controller", nullptr));
    EXPECT_STREQ(text, "\"BIND+Kelvo Wireless+Realtek PCIe GBE Family Controller+0+\"");
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
// A window that counts the answers posted to it.
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
        s_results = 0;
    }
    ~ResultWindow() { Destroy(); }
    void Destroy()
    {
        if (m_hWnd) ::DestroyWindow(m_hWnd);
        m_hWnd = nullptr;
    }
    HWND Handle() const { return m_hWnd; }
    static int Results() { return s_results; }

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == MSG_BIND_RESULT) ++s_results;
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
    HWND m_hWnd = nullptr;
    static inline int s_results = 0;
};

class BindWaiter : public ::testing::Test {
protected:
    void TearDown() override
    {
        CBindResultWaiter::Get().Stop();
        CBindResultWaiter::Get().ForgetResult();
        // Let the companion program's objects go before the next case.
        PumpFor(kHoldMs + 300);
    }
    void World(int succeeds, int answers)
    {
        m_world.reset();  // the old file goes before the new one is written
        m_world = std::make_unique<ScopedFile>(BinFolder() + "VarodiVevoviWorld.ini",
                                               "[Bind]\r\nSucceeds=" + std::to_string(succeeds) + "\r\nAnswers=" +
                                                   std::to_string(answers) + "\r\nHoldMs=" + std::to_string(kHoldMs) +
                                                   "\r\n");
    }
    bool Bind(HWND page, DWORD limitMs = CBindResultWaiter::kDefaultLimitMs)
    {
        CString command;
        if (!BuildBindWin7Command(command, "02:4B:45:4C:56:4F", "Wired LAN", page)) return false;
        if (!StartBridgeProgram(command)) return false;
        CBindResultWaiter::Get().Start(page, limitMs);
        return true;
    }
    static constexpr DWORD kHoldMs = 1500;
    std::unique_ptr<ScopedFile> m_world;
};
}  // namespace

TEST_F(BindWaiter, SuccessIsPostedAndShowsNothing)
{
    World(1, 1);
    ResultWindow page;
    ASSERT_TRUE(Bind(page.Handle()));
    ASSERT_TRUE(PumpUntil([] { return ResultWindow::Results() > 0; }, 10000));
    MessageBoxCapture boxes;
    EXPECT_EQ(HandleBindResult(), 0);
    EXPECT_EQ(boxes.Count(), 0u);
    const std::string log = ReadWholeFile(BinFolder() + "VarodiVevovi.log");
    EXPECT_NE(log.find("BINDWIN7+02:4B:45:4C:56:4F+Wired LAN+"), std::string::npos) << log;
}

TEST_F(BindWaiter, FailureIsToldToTheUser)
{
    World(0, 1);
    ResultWindow page;
    ASSERT_TRUE(Bind(page.Handle()));
    ASSERT_TRUE(PumpUntil([] { return ResultWindow::Results() > 0; }, 10000));
    MessageBoxCapture boxes;
    EXPECT_EQ(HandleBindResult(), 0);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_STREQ(boxes.Boxes()[0].text, G_LangTable.IDS_AP_BIND_ERROR);
}

TEST_F(BindWaiter, NoAnswerEndsAtTheTimeLimitWithoutPosting)
{
    World(1, 0);
    ResultWindow page;
    ASSERT_TRUE(Bind(page.Handle(), 1000));
    EXPECT_TRUE(PumpUntil([] { return !CBindResultWaiter::Get().Running(); }, 5000));
    PumpFor(200);
    EXPECT_EQ(ResultWindow::Results(), 0);
    EXPECT_EQ(HandleBindResult(), 100);
}

TEST_F(BindWaiter, StopEndsTheWaitAndAGonePageGetsNothing)
{
    World(1, 0);
    ResultWindow page;
    ASSERT_TRUE(Bind(page.Handle()));
    PumpFor(300);
    const ULONGLONG before = ::GetTickCount64();
    CBindResultWaiter::Get().Stop(page.Handle());
    EXPECT_LT(::GetTickCount64() - before, 1000u);
    EXPECT_FALSE(CBindResultWaiter::Get().Running());

    // A page destroyed while its waiter runs: the answer comes, nobody is posted to.
    World(1, 1);
    PumpFor(kHoldMs + 300);
    ResultWindow gone;
    ASSERT_TRUE(Bind(gone.Handle()));
    gone.Destroy();
    EXPECT_TRUE(PumpUntil([] { return !CBindResultWaiter::Get().Running(); }, 10000));
    EXPECT_EQ(ResultWindow::Results(), 0);
}

TEST_F(BindWaiter, UnbindAllCreatesNothing)
{
    World(1, 1);
    ASSERT_TRUE(StartBridgeProgram(BuildUnbindAllCommand()));
    ResultWindow page;
    CBindResultWaiter::Get().Start(page.Handle(), 1500);
    EXPECT_TRUE(PumpUntil([] { return !CBindResultWaiter::Get().Running(); }, 5000));
    EXPECT_EQ(ResultWindow::Results(), 0);
    EXPECT_NE(ReadWholeFile(BinFolder() + "VarodiVevovi.log").find("UNBINDALL+"), std::string::npos);
}
