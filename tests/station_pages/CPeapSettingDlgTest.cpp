// The one-time password prompt: texts by method, what OK accepts and writes, and its own
// modal loop on the window's thread and on a worker.
#include "station_dialogs/StationDialogsFixture.h"
#include "station/PeapSettingDlg.h"
#include "skin/KelvoPageUIDlg.h"

#include <atomic>
#include <cstring>
#include <thread>

using station_dialogs_test::StationDialogsTest;

namespace {
class PeapSettingDlgTest : public StationDialogsTest {
protected:
    void SetUp() override
    {
        StationDialogsTest::SetUp();
        Watch(MSG_PEAP_SETTING_DLG);
        front.ShowWindow(SW_SHOW);
        ASSERT_TRUE(dlg.Create(&front));
    }
    void TearDown() override
    {
        if (dlg.IsWindow()) dlg.DestroyWindow();
        StationDialogsTest::TearDown();
    }
    void Open(ULONG method)
    {
        dlg.m_Profile.enumAuthenProtocol = method;
        dlg.ShowWindow(SW_HIDE);
        dlg.ShowWindow(SW_SHOW);
    }
    HWND Item(int id) { return ::GetDlgItem(dlg.GetSafeHwnd(), id); }
    std::string Text(int id)
    {
        char text[256] = {};
        ::GetWindowTextA(id ? Item(id) : dlg.GetSafeHwnd(), text, sizeof text);
        return text;
    }
    void Type(int id, const char* text) { ::SetDlgItemTextA(dlg.GetSafeHwnd(), id, text); }
    void Ok(const char* identity, const char* password)
    {
        Type(IDC_PEAP_IDENTITY, identity);
        Type(IDC_PEAP_PASSWORD, password);
        ClickButton(dlg, IDC_CLASSIC_OK);
    }

    CPeapSettingDlg dlg;
};
}  // namespace

TEST_F(PeapSettingDlgTest, TextsAndIdentityFieldFollowTheEapMethod)
{
    Open(EAPMETHOD_PEAP);
    EXPECT_EQ("Peap Setting - One Time Password", Text(0));
    EXPECT_EQ("Description : Peap Setting - One Time Password", Text(IDC_PEAP_DESCRIPTION));
    EXPECT_EQ("Tunnel Identity", Text(IDC_PEAP_IDENTITY_LABEL));
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_PEAP_IDENTITY)));

    Open(EAPMETHOD_FAST);
    EXPECT_EQ("EapFast Setting - One Time Password", Text(0));
    EXPECT_EQ("Tunnel Password", Text(IDC_PEAP_PASSWORD_LABEL));
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_PEAP_IDENTITY)));

    dlg.m_strIdentity = "alice";
    Open(EAPMETHOD_TTLS);
    EXPECT_EQ("Enter your new password", Text(0));
    EXPECT_EQ("Description : Enter your new password", Text(IDC_PEAP_DESCRIPTION));
    EXPECT_EQ("Identity", Text(IDC_PEAP_IDENTITY_LABEL));
    EXPECT_EQ("Password", Text(IDC_PEAP_PASSWORD_LABEL));
    EXPECT_EQ("alice", Text(IDC_PEAP_IDENTITY));
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_PEAP_IDENTITY)));
}

TEST_F(PeapSettingDlgTest, AnEmptyIdentityIsRefusedButSpacesAreAccepted)
{
    testing_support::MessageBoxCapture boxes;
    Open(EAPMETHOD_PEAP);
    Ok("", "otp");
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Must input Identity", boxes.Boxes()[0].text.GetString());
    EXPECT_EQ(CPeapSettingDlg::kWaiting, G_nPeapPromptResult);
    EXPECT_TRUE(front.reports.empty());

    Ok("  ", "otp");
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_EQ(CPeapSettingDlg::kConfirmed, G_nPeapPromptResult);
    EXPECT_EQ(1u, Calls("QXWL_WriteIDnPasswd(  , password)").size());
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(0u, front.reports[0].wParam);
    EXPECT_EQ(0, front.reports[0].lParam);
}

TEST_F(PeapSettingDlgTest, AnEmptyPasswordIsRefusedUnlessThePasswordIsLocked)
{
    testing_support::MessageBoxCapture boxes;
    Open(EAPMETHOD_PEAP);
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_PEAP_PASSWORD)));
    Ok("bob", "");
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Must input Password", boxes.Boxes()[0].text.GetString());
    EXPECT_TRUE(Calls("QXWL_WriteIDnPasswd").empty());

    dlg.m_bPasswordLocked = 1;
    std::memset(dlg.m_Profile.chPassword, 'x', sizeof dlg.m_Profile.chPassword);
    Open(EAPMETHOD_PEAP);
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_PEAP_PASSWORD)));
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_PEAP_PASSWORD_LABEL)));
    Ok("bob", "");
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_EQ(1u, Calls("QXWL_WriteIDnPasswd(bob, no password)").size());
    const char zeros[sizeof dlg.m_Profile.chPassword] = {};
    EXPECT_EQ(0, std::memcmp(zeros, dlg.m_Profile.chPassword, sizeof zeros));
}

TEST_F(PeapSettingDlgTest, MachineIdentityModeKeepsTheProfileIdentityButSendsTheTypedOne)
{
    std::strcpy(dlg.m_Profile.chID, "host/pc.corp");
    dlg.m_Profile.nIDModeIndex = 1;
    Open(EAPMETHOD_PEAP);
    Ok("carol", "123456");
    EXPECT_STREQ("host/pc.corp", dlg.m_Profile.chID);
    EXPECT_STREQ("123456", dlg.m_Profile.chPassword);
    EXPECT_EQ(1u, Calls("QXWL_WriteIDnPasswd(carol, password)").size());

    dlg.m_Profile.nIDModeIndex = 0;
    Ok("carol", "654321");
    EXPECT_STREQ("carol", dlg.m_Profile.chID);
}

TEST_F(PeapSettingDlgTest, AnOverlongEntryIsCutToTheRecordsField)
{
    Open(EAPMETHOD_PEAP);
    // Typing stops where the record's field ends.
    for (int id : {IDC_PEAP_IDENTITY, IDC_PEAP_PASSWORD})
        EXPECT_EQ(static_cast<LRESULT>(sizeof dlg.m_Profile.chID - 1), ::SendMessageA(Item(id), EM_GETLIMITTEXT, 0, 0));
    const std::string identity(300, 'i');
    Ok(identity.c_str(), "p");
    EXPECT_EQ(sizeof dlg.m_Profile.chID - 1, strnlen(dlg.m_Profile.chID, sizeof dlg.m_Profile.chID));
}

TEST_F(PeapSettingDlgTest, LoopEndsWithTheAnswerOnlyCancelReportsToTheOwner)
{
    Open(EAPMETHOD_PEAP);
    dlg.PostConfirm("dave", "otp1");
    EXPECT_EQ(IDOK, dlg.RunModalLoop(MLF_SHOWONIDLE));
    EXPECT_STREQ("dave", dlg.m_Profile.chID);

    dlg.PostCancel();
    EXPECT_EQ(IDCANCEL, dlg.RunModalLoop(MLF_SHOWONIDLE));
    EXPECT_EQ(2u, front.reports.size());

    ::PostMessageA(dlg.GetSafeHwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(IDCANCEL, dlg.RunModalLoop(MLF_SHOWONIDLE));
    EXPECT_FALSE(dlg.IsWindow());
    EXPECT_EQ(2u, front.reports.size());  // closing the window reports nothing
}

TEST_F(PeapSettingDlgTest, ShowOnIdleShowsTheHiddenPromptOnce)
{
    ASSERT_FALSE(dlg.IsWindowVisible());
    std::atomic<bool> shown{false};
    std::thread answer([&] {
        const DWORD start = ::GetTickCount();
        while (!::IsWindowVisible(dlg.GetSafeHwnd()) && ::GetTickCount() - start < testing_support::kWaitBoundMs)
            ::Sleep(10);
        shown = ::IsWindowVisible(dlg.GetSafeHwnd()) != FALSE;
        ::PostMessageA(dlg.GetSafeHwnd(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(IDCANCEL, dlg.RunModalLoop(MLF_SHOWONIDLE));
    answer.join();
    EXPECT_TRUE(shown);
}

TEST_F(PeapSettingDlgTest, WorkerLoopWaitsForTheUserOnTheWindowsThread)
{
    Open(EAPMETHOD_FAST);
    Watch(WM_ENTERIDLE);
    std::atomic<int> result{0};
    std::atomic<bool> done{false};
    std::thread worker([&] {
        result = dlg.RunModalLoop(MLF_SHOWONIDLE);
        done = true;
    });
    // The loop tells its owner it waits, then wakes to look at its answer every poll period: it
    // still waits two of those later.
    const auto toldIdle = [&] {
        for (const auto& report : front.reports)
            if (report.message == WM_ENTERIDLE) return true;
        return false;
    };
    EXPECT_TRUE(testing_support::PumpUntil([&] { return done || toldIdle(); }, testing_support::kWaitBoundMs));
    testing_support::PumpFor(2 * CPeapSettingDlg::kLoopPollMs);
    EXPECT_FALSE(done);
    Ok("erin", "otp");
    EXPECT_TRUE(testing_support::PumpUntil([&] { return done.load(); }, testing_support::kWaitBoundMs));
    worker.join();
    EXPECT_EQ(IDOK, result);
}

TEST_F(PeapSettingDlgTest, HiddenByAnythingButItsOwnButtonsItAnswersCancel)
{
    Open(EAPMETHOD_PEAP);
    // Another classic dialog takes the prompt's place while the loop waits.
    std::thread other([&] {
        testing_support::PumpUntil([&] { return dlg.IsLoopRunning(); }, testing_support::kWaitBoundMs);
        ::ShowWindow(dlg.GetSafeHwnd(), SW_HIDE);
    });
    EXPECT_EQ(IDCANCEL, dlg.RunModalLoop(MLF_SHOWONIDLE));
    other.join();
    EXPECT_FALSE(dlg.IsLoopRunning());
    EXPECT_TRUE(front.reports.empty());  // whoever hid it knows already

    // Hidden with no loop waiting, it answers nobody: the next loop still waits for the user.
    Open(EAPMETHOD_PEAP);
    dlg.ShowWindow(SW_HIDE);
    Open(EAPMETHOD_PEAP);
    dlg.PostConfirm("frank", "otp2");
    EXPECT_EQ(IDOK, dlg.RunModalLoop(MLF_SHOWONIDLE));
}

namespace {
// A second request for the prompt, made from inside the first one's loop.
struct SecondPrompt {
    static inline CPeapSettingDlg* prompt = nullptr;
    static inline bool takeAwayFirst = false;
    static inline int result = 0;
    static void CALLBACK Run(HWND, UINT, UINT_PTR id, DWORD)
    {
        ::KillTimer(nullptr, id);
        // A survey connect hides the waiting prompt first; a password-change request does not.
        if (takeAwayFirst) prompt->ShowWindow(SW_HIDE);
        prompt->ShowWindow(SW_SHOW);
        prompt->PostConfirm("second", "otp2");
        result = prompt->RunModalLoop(MLF_SHOWONIDLE);
    }
};
}  // namespace

TEST_F(PeapSettingDlgTest, ALoopWhosePromptASecondRequestTookEndsCancelledNotWithItsAnswer)
{
    for (bool takeAwayFirst : {true, false}) {
        SCOPED_TRACE(takeAwayFirst ? "first prompt hidden" : "first prompt still shown");
        Open(EAPMETHOD_PEAP);
        SecondPrompt::prompt = &dlg;
        SecondPrompt::takeAwayFirst = takeAwayFirst;
        SecondPrompt::result = 0;
        ::SetTimer(nullptr, 0, 0, SecondPrompt::Run);
        EXPECT_EQ(IDCANCEL, dlg.RunModalLoop(MLF_SHOWONIDLE));
        EXPECT_EQ(IDOK, SecondPrompt::result);
        EXPECT_FALSE(dlg.IsLoopRunning());
    }
}

TEST_F(PeapSettingDlgTest, QuitEndsTheLoopAndIsPostedAgain)
{
    ::PostQuitMessage(7);
    EXPECT_EQ(CPeapSettingDlg::kLoopQuit, dlg.RunModalLoop(MLF_SHOWONIDLE));
    MSG msg;
    ASSERT_TRUE(::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
}

TEST(PeapSettingDlgWithoutWindow, LoopOfAPromptNeverCreatedEndsCancelled)
{
    CPeapSettingDlg prompt;
    EXPECT_EQ(IDCANCEL, prompt.RunModalLoop(MLF_SHOWONIDLE));
}
