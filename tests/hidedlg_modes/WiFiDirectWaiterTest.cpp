// The Wi-Fi Direct status event: created at card start, announced to the library, its signals
// turned into a message for the main window, and its waiter stopped without being killed.
#include "ModesFixture.h"

namespace hidedlg_testing {
namespace {

// Counts the Wi-Fi Direct messages that reach a window.
class WiFiDirectTap {
public:
    explicit WiFiDirectTap(HWND window) : m_hwnd(window)
    {
        s_self = this;
        m_previous = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
    }
    ~WiFiDirectTap()
    {
        if (::IsWindow(m_hwnd)) ::SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
        s_self = nullptr;
    }
    int count = 0;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == MSG_WIFIDIRECT_EVENET && wParam == 0) {
            ++s_self->count;
            return 0;
        }
        return ::CallWindowProcA(s_self->m_previous, hwnd, message, wParam, lParam);
    }
    static inline WiFiDirectTap* s_self = nullptr;
    HWND m_hwnd;
    WNDPROC m_previous = nullptr;
};

class WiFiDirectWaiter : public ModesFixture {
protected:
    bool EventSignalled()
    {
        HANDLE event = ::OpenEventA(SYNCHRONIZE, FALSE, "WDStatusEvent");
        const bool signalled = event && ::WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
        if (signalled) ::SetEvent(event);  // put back what the look took
        if (event) ::CloseHandle(event);
        return signalled;
    }
};

TEST_F(WiFiDirectWaiter, SignalReachesTheOpenMainWindow)
{
    CHideDlg& d = Start("");
    ASSERT_TRUE(d.m_hWiFiDirectThread);
    EXPECT_TRUE(Called("QXWL_InitWifiDirect(event)"));
    d.ShowConfigUI();
    ASSERT_TRUE(d.m_pQxUI && CKelvoPageUIDlg::From(d.m_pQxUI)->IsWindow());
    WiFiDirectTap tap(CKelvoPageUIDlg::From(d.m_pQxUI)->m_hWnd);
    // Each signal as soon as the last one's message arrived: none may be lost while the waiter
    // is still between its post and its next wait.
    for (int i = 1; i <= 20; ++i) {
        ASSERT_TRUE(sim.SignalWifiDirectEvent());
        ASSERT_TRUE(PumpUntil([&] { return tap.count == i; }, kWaitBoundMs)) << "signal " << i;
    }
}

TEST_F(WiFiDirectWaiter, SignalWithoutTheMainWindowIsOnlyConsumed)
{
    CHideDlg& d = Start("");
    if (d.m_pQxUI) CKelvoPageUIDlg::From(d.m_pQxUI)->DestroyWindow();  // start-up opened it
    testing_support::LogCapture log(1);
    ASSERT_TRUE(sim.SignalWifiDirectEvent());
    EXPECT_TRUE(PumpUntil([&] { return log.Contains("FindWindow"); }, kWaitBoundMs));
    EXPECT_FALSE(EventSignalled());
}

TEST_F(WiFiDirectWaiter, StopBeforeAnySignalEndsTheWaiterAtOnceAndLeavesNoThread)
{
    CHideDlg& d = Start("");
    d.ShowConfigUI();
    WiFiDirectTap tap(CKelvoPageUIDlg::From(d.m_pQxUI)->m_hWnd);
    HANDLE thread = nullptr;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), d.m_hWiFiDirectThread, ::GetCurrentProcess(), &thread,
                                  SYNCHRONIZE, FALSE, 0));
    sim.ClearJournal();
    testing_support::LogCapture log(4);
    EXPECT_EQ(1u, d.CreateEventAndStartThread(1));
    // Entry and exit are written with the same line.
    const std::vector<std::string> lines = log.Lines();
    EXPECT_EQ(2, std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
                  return line == "[QxUI] ---> TFormMain::CreateEventAndStartThread\n";
              }));
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(thread, 0));
    ::CloseHandle(thread);
    EXPECT_EQ(nullptr, d.m_hWiFiDirectThread);
    EXPECT_EQ(nullptr, d.m_hWiFiDirectStatusEvent);
    EXPECT_EQ(1u, sim.JournalLines("QXWL_OIDSetInfo(0xFFF101D6, 4,").size());
    EXPECT_TRUE(PumpPending());  // the waiter has ended: whatever it posted is queued
    EXPECT_EQ(0, tap.count);
    EXPECT_EQ(0u, d.CreateEventAndStartThread(2));
}

TEST_F(WiFiDirectWaiter, SecondCreationJoinsTheFirstWaiterBeforeStartingAnother)
{
    CHideDlg& d = Start("");
    HANDLE first = nullptr;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), d.m_hWiFiDirectThread, ::GetCurrentProcess(), &first,
                                  SYNCHRONIZE, FALSE, 0));
    EXPECT_EQ(1u, d.CreateEventAndStartThread(0));
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), ::WaitForSingleObject(first, 0));
    ::CloseHandle(first);
    EXPECT_TRUE(d.m_hWiFiDirectThread);
    d.CreateEventAndStartThread(1);
}

TEST_F(WiFiDirectWaiter, SystemsWithoutWiFiDirectMarkItUnavailable)
{
    for (int os : {15, 16}) {
        CHideDlg& d = Start("[World]\nOsCode=" + std::to_string(os) + "\n");
        EXPECT_TRUE(d.m_bWiFiDirectUnavailable) << os;
    }
    CHideDlg& d = Start("[World]\nOsCode=12\n");
    EXPECT_FALSE(d.m_bWiFiDirectUnavailable);
    d.InitCardWiFiDirect(OP_MODE_APCLIENT);
    EXPECT_TRUE(d.m_bWiFiDirectUnavailable);  // only station and group-owner modes offer it
    d.InitCardWiFiDirect(OP_MODE_STA_WIFI_DIRECT);
    EXPECT_FALSE(d.m_bWiFiDirectUnavailable);
}

}  // namespace
}  // namespace hidedlg_testing
