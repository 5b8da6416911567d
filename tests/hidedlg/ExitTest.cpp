// The tray's exit in each operation mode, the dialog's window going away and the object's end:
// what stays behind (threads, tray icon, the driver's mode, the data file).
#include "HideDlgFixture.h"
#include "base/MainWindowClosing.h"
#include "core/QXAPLIB.h"
#include "contract/StationContract.h"
#include "softap/SoftApSim.h"

#include <tlhelp32.h>

#include <algorithm>
#include <functional>
#include <set>
#include <thread>

using namespace hidedlg_testing;

namespace {

using ThreadSet = std::set<DWORD>;

ThreadSet ThreadsOfThisProcess()
{
    ThreadSet ids;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return ids;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == ::GetCurrentProcessId()) ids.insert(entry.th32ThreadID);
    ::CloseHandle(snapshot);
    return ids;
}

// Threads end a little after they are joined or let go; a thread left running never does.
bool OnlyThreadsOf(const ThreadSet& known)
{
    const ThreadSet now = ThreadsOfThisProcess();
    return !now.empty() && std::includes(known.begin(), known.end(), now.begin(), now.end());
}

bool ThreadsComeDownTo(const ThreadSet& known)
{
    return PumpUntil([&] { return OnlyThreadsOf(known); }, kWaitBoundMs);
}

// A modal dialog of the main window as the exit roads see it: a registered modal loop that runs
// until it is ended; at its end it notes whether the main window was still there.
class ModalChildStandIn {
public:
    int ends = 0;
    bool mainWindowAliveAtEnd = false;
    // Runs the loop; `inside` is called once it is registered, as a message the loop dispatches.
    void Run(const std::function<void()>& inside)
    {
        bool running = true;
        const CModalLoopRegistry::Entry loop(nullptr, [&] {
            ++ends;
            CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
            mainWindowAliveAtEnd = main && main->IsWindow();
            running = false;
        });
        inside();
        PumpUntil([&] { return !running; }, kWaitBoundMs);
    }
};

// A help window that counts the requests to close and ignores them.
class StubbornHelpWindow {
public:
    explicit StubbornHelpWindow(const char* title)
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "ExitTestStubbornHelp";
        ::RegisterClassA(&wc);
        hwnd = ::CreateWindowExA(0, wc.lpszClassName, title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                                 nullptr);
        s_closes = 0;
    }
    ~StubbornHelpWindow() { ::DestroyWindow(hwnd); }
    HWND hwnd = nullptr;
    static inline int s_closes = 0;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_CLOSE) {
            ++s_closes;
            return 0;
        }
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
};

class Exit : public HideDlgFixture {
protected:
    void TearDown() override
    {
        G_nSoftApMode = 0;
        HideDlgFixture::TearDown();
    }
    // The menu's exit, then what the application's modal loop does once the dialog ended.
    void ExitAndDestroy()
    {
        dlg->SendMessage(WM_COMMAND, ID_TRAY_EXIT);
        dlg->DestroyWindow();
        dlg.reset();
    }
    // Starts and ends a dialog once, so that the libraries' own threads exist before counting.
    ThreadSet BaselineThreads(const std::string& world)
    {
        Start(world);
        ExitAndDestroy();
        EXPECT_TRUE(sim.Settle());
        return ThreadsOfThisProcess();
    }
    bool TrayIconRemovedLast() { return !tray.empty() && tray.back().message == static_cast<DWORD>(NIM_DELETE); }
};

}  // namespace

TEST_F(Exit, FromStationModeLeavesNoThreadNoIconAndStoresTheMode)
{
    const std::string world = "[World]\nOsCode=10\n";
    const ThreadSet baseline = BaselineThreads(world);
    tray.clear();
    Start(world);
    sim.ClearJournal();
    ExitAndDestroy();

    EXPECT_TRUE(ThreadsComeDownTo(baseline));
    EXPECT_TRUE(TrayIconRemovedLast());
    const auto stored = ReadDataFile();
    ASSERT_TRUE(stored);
    EXPECT_EQ(static_cast<ULONG>(OP_MODE_STATION), stored->nOpMode);
    EXPECT_EQ(0u, stored->bZeroConfig);
    // The adapter is handed back, then the library is let go.
    const auto journal = sim.Journal();
    const auto stop = std::find(journal.begin(), journal.end(), "QXWL_StopAuth()");
    const auto deinit = std::find(journal.begin(), journal.end(), "QXWL_DeInitial()");
    EXPECT_TRUE(stop != journal.end() && deinit != journal.end() && stop < deinit);
    EXPECT_TRUE(Called("QXWL_BackupStationSetting"));
}

TEST_F(Exit, FromHostedNetworkAndWiFiDirectModesLeavesTheDriverAlone)
{
    // The hosted-network variant of the access point; the shipped switch file is put back.
    const std::string path = BinFolder() + "SoftApConfig.ini";
    const std::string shipped = ReadWholeFile(path);
    ScopedFile variant(path, "[Config]\nIDS_SOFTAP_MODE=1\n");
    for (int mode : {OP_MODE_APCLIENT, OP_MODE_STA_WIFI_DIRECT}) {
        SCOPED_TRACE(mode);
        const std::string world =
            "[World]\nOsCode=12\nOpMode=" + std::to_string(mode) + "\nStoredOpMode=" + std::to_string(mode) + "\n";
        const ThreadSet baseline = BaselineThreads(world);
        CHideDlg& d = Start(world);
        ASSERT_EQ(mode, d.m_nOpMode);
        const LONG driverMode = sim.Get("OpMode");
        ExitAndDestroy();

        EXPECT_TRUE(ThreadsComeDownTo(baseline));
        EXPECT_TRUE(TrayIconRemovedLast());
        EXPECT_EQ(driverMode, sim.Get("OpMode"));  // exit leaves the driver as it is
        const auto stored = ReadDataFile();
        ASSERT_TRUE(stored);
        EXPECT_EQ(static_cast<ULONG>(mode), stored->nOpMode);
        EXPECT_EQ(0u, stored->bZeroConfig);
    }
    ScopedFile restore(path, shipped);
    restore.Keep();
}

TEST_F(Exit, FromSoftApModeStoresModeOneAndHandsTheAdapterOver)
{
    CHideDlg& d = Start("[World]\nOsCode=10\n");
    d.m_nOpMode = OP_MODE_AP;
    sim.ClearJournal();
    d.SendMessage(WM_COMMAND, ID_TRAY_EXIT);

    const auto stored = ReadDataFile();
    ASSERT_TRUE(stored);
    EXPECT_EQ(static_cast<ULONG>(OP_MODE_AP), stored->nOpMode);
    EXPECT_EQ(0u, stored->bZeroConfig);
    EXPECT_TRUE(Called("QXWL_StopAuth"));
}

TEST_F(Exit, DestroyedInSoftApModeShutsTheSoftApSideDownOnly)
{
    softap_test::SoftApSim ap;
    ASSERT_TRUE(ap.Loaded());
    ASSERT_TRUE(ap.Reset("[World]\nOsCode=10\n"));
    CHideDlg& d = Start("[World]\nOsCode=10\n");
    ASSERT_TRUE(QXAPAPI.LoadApi(softap_test::SoftApSim::LibraryPath().c_str()));
    d.m_nOpMode = OP_MODE_AP;
    ap.ClearJournal();
    sim.ClearJournal();
    d.DestroyWindow();

    const auto journal = ap.Journal();
    const auto dhcp = std::find(journal.begin(), journal.end(), "QXAP_DisableDhcpServer()");
    const auto deinit = std::find(journal.begin(), journal.end(), "QXAP_DeInitial()");
    EXPECT_TRUE(dhcp != journal.end() && deinit != journal.end() && dhcp < deinit);
    EXPECT_FALSE(Called("QXWL_DeInitial"));
}

TEST_F(Exit, WhileTheSystemServiceOwnsTheAdapterStoresFlagOneAndDoesNotSwitchAgain)
{
    WriteDataFile(OP_MODE_STATION, 1);
    Start("[World]\nOsCode=10\nZeroConfig=2\n");
    sim.ClearJournal();
    dlg->SendMessage(WM_COMMAND, ID_TRAY_EXIT_SHORT);

    const auto stored = ReadDataFile();
    ASSERT_TRUE(stored);
    EXPECT_EQ(1u, stored->bZeroConfig);
    EXPECT_FALSE(Called("QXWL_StopAuth"));
    EXPECT_FALSE(dlg->IsWindowVisible());
}

TEST_F(Exit, IsIgnoredWhileAModalDialogRuns)
{
    CHideDlg& d = Start("[World]\nOsCode=10\n");
    d.m_bDialogRunning = TRUE;
    tray.clear();
    d.SendMessage(WM_COMMAND, ID_TRAY_EXIT);
    EXPECT_FALSE(ReadDataFile());
    EXPECT_TRUE(tray.empty());
    EXPECT_NE(nullptr, d.m_pQxUI);
    d.m_bDialogRunning = FALSE;
}

// The whole run as the application has it: the modal loop, the exit chosen while a modal dialog
// of the main window runs, that dialog ended first, the exit coming back, the loop's end.
TEST_F(Exit, WithAModalDialogRunningEndsItFirstAndCompletesOnceItHasReturned)
{
    ASSERT_TRUE(sim.Reset("[World]\nOsCode=10\n"));
    dlg = std::make_unique<CHideDlg>(nullptr);
    app.m_pMainWnd = dlg.get();
    ModalChildStandIn child;
    // A page's handler under the hidden dialog's loop: the child's loop, the exit chosen in it.
    const RunFromTheLoop handler([&] { child.Run([&] { dlg->PostMessage(WM_COMMAND, ID_TRAY_EXIT); }); });
    EXPECT_EQ(1, dlg->DoModal());

    ASSERT_TRUE(handler.Ran());
    EXPECT_EQ(1, child.ends);
    EXPECT_TRUE(child.mainWindowAliveAtEnd);
    EXPECT_EQ(nullptr, CKelvoPageUIDlg::GetLive());
    EXPECT_TRUE(ReadDataFile());
}

TEST_F(Exit, RemovalHeldBackByAModalDialogLeavesAWorkingMainWindowWhenTheAdapterReturns)
{
    CHideDlg& d = Start("[World]\nOsCode=10\n");
    ASSERT_NE(nullptr, d.m_pQxUI);
    ModalChildStandIn child;
    child.Run([&] {
        sim.Set("DevicePresent", 0);
        sim.WaitIdle();
        d.SendMessage(WM_TIMER, TIMER_HIDE_DLG_RADIO);
    });
    EXPECT_EQ(1, child.ends);
    EXPECT_TRUE(child.mainWindowAliveAtEnd);
    // Back before the tick comes back: the window stays, and its buttons must still act.
    sim.Set("DevicePresent", 1);
    sim.WaitIdle();
    EXPECT_TRUE(PumpPending());
    EXPECT_FALSE(CModalLoopRegistry::TeardownWaits());
    ASSERT_NE(nullptr, d.m_pQxUI);
    EXPECT_TRUE(CKelvoPageUIDlg::From(d.m_pQxUI)->IsWindow());
    EXPECT_FALSE(G_bMainWindowClosing);
    // Really destroyed: the flag is set.
    d.SendMessage(WM_COMMAND, ID_TRAY_EXIT);
    EXPECT_TRUE(G_bMainWindowClosing);
    G_bMainWindowClosing = FALSE;
}

namespace {
// A DHCP start that stays inside the library until the test lets it go.
struct SlowDhcpStart {
    static inline HANDLE release = nullptr;
    static inline volatile LONG calls = 0, inside = 0;
    static LONG WINAPI Enable(BOOL)
    {
        ::InterlockedIncrement(&calls);
        ::InterlockedIncrement(&inside);
        ::WaitForSingleObject(release, 30000);
        ::InterlockedDecrement(&inside);
        return QXWL_ERROR_SUCCESS;
    }
};
}  // namespace

TEST_F(Exit, DhcpHelperRunsOneAtATimeAndHasLeftTheLibraryBeforeTheDialogIsGone)
{
    CHideDlg& d = Start("[World]\nOsCode=12\n");
    SlowDhcpStart::release = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    SlowDhcpStart::calls = 0;
    SlowDhcpStart::inside = 0;
    QXWLAPI.QXWL_EnableDhcpServer = &SlowDhcpStart::Enable;
    sim.Set("OpMode", OP_MODE_APCLIENT);
    sim.Set("StoredOpMode", OP_MODE_APCLIENT);
    d.InitCard();
    ASSERT_TRUE(PumpUntil([] { return SlowDhcpStart::inside == 1; }, 30000));
    d.InitCard();  // set up again while the first helper is still inside the library
    EXPECT_EQ(1, SlowDhcpStart::calls);

    // The library answers only after the bounded wait of a restart would have run out: nothing
    // shows that the shutdown is waiting, so this one wait is a time.
    std::thread library([] {
        ::Sleep(kDhcpThreadJoinMs + 1000);
        ::SetEvent(SlowDhcpStart::release);
    });
    dlg.reset();
    EXPECT_EQ(0, SlowDhcpStart::inside);
    library.join();
    EXPECT_EQ(1, SlowDhcpStart::calls);
    ::CloseHandle(SlowDhcpStart::release);
}

TEST_F(Exit, ShutdownWithoutTheMenuDropsTheWaitingExitAndStillStopsTheLibrary)
{
    CHideDlg& d = Start("[World]\nOsCode=10\n");
    const ThreadSet before = ThreadsOfThisProcess();
    {
        const CModalLoopRegistry::Entry running(nullptr, [] {});
        d.SendMessage(WM_COMMAND, ID_TRAY_EXIT);  // the exit now waits for the loop
        EXPECT_TRUE(CModalLoopRegistry::TeardownWaits());
        sim.ClearJournal();
        dlg.reset();  // the object goes before the loop returns
    }
    // An exit left waiting would keep every later box and dialog from opening.
    EXPECT_FALSE(CModalLoopRegistry::TeardownWaits());
    EXPECT_TRUE(ThreadsComeDownTo(before));
    EXPECT_TRUE(PumpPending());
    EXPECT_TRUE(Called("QXWL_DeInitial"));
    EXPECT_FALSE(ReadDataFile());
}

// Started in soft-AP mode, so the soft-AP library runs the adapter; the menu's exit leaves that
// mode, stores it for the next start and lets the adapter go.
TEST_F(Exit, FromARunningSoftApLeavesTheModeAndStoresModeOne)
{
    softap_test::SoftApSim ap;
    ASSERT_TRUE(ap.Loaded());
    const std::string world = "[World]\nOsCode=10\nOpMode=1\n";
    WriteDataFile(OP_MODE_AP, 0);
    ASSERT_TRUE(ap.Reset("[World]\nOsCode=10\n"));
    const ThreadSet baseline = BaselineThreads(world);

    WriteDataFile(OP_MODE_AP, 0);
    ASSERT_TRUE(ap.Reset("[World]\nOsCode=10\n"));
    tray.clear();
    CHideDlg& d = Start(world);
    ASSERT_EQ(OP_MODE_AP, d.m_nOpMode);
    ASSERT_TRUE(QXAPAPI.IsLoaded());
    ASSERT_EQ(1, ap.Get("Running"));
    ap.ClearJournal();
    ExitAndDestroy();
    EXPECT_TRUE(PumpPending());

    const auto journal = ap.Journal();
    auto first = [&](const std::string& prefix) {
        return std::find_if(journal.begin(), journal.end(),
                            [&](const std::string& line) { return line.compare(0, prefix.size(), prefix) == 0; });
    };
    const auto leave = first("QXAP_SetOPMode(0");
    const auto restore = first("QXAP_RestoreStationSetting");
    const auto deinit = first("QXAP_DeInitial");
    ASSERT_NE(journal.end(), leave);
    ASSERT_NE(journal.end(), restore);
    ASSERT_NE(journal.end(), deinit);
    EXPECT_LT(leave, restore);
    EXPECT_LT(restore, deinit);
    EXPECT_EQ(0, ap.Get("OpMode"));
    EXPECT_EQ(0, ap.Get("DhcpRunning"));

    const auto stored = ReadDataFile();
    ASSERT_TRUE(stored);
    EXPECT_EQ(static_cast<ULONG>(OP_MODE_AP), stored->nOpMode);
    EXPECT_EQ(0u, stored->bZeroConfig);
    EXPECT_TRUE(TrayIconRemovedLast());
    EXPECT_TRUE(ThreadsComeDownTo(baseline));
}

// The Wi-Fi Direct status waiter runs from the card's start; the exit tells the driver nobody
// waits any more and ends the waiter, which posts nothing on its way out.
TEST_F(Exit, StopsTheWiFiDirectWaiterAndTellsTheDriver)
{
    const std::string world = "[World]\nOsCode=12\n";
    const ThreadSet baseline = BaselineThreads(world);
    CHideDlg& d = Start(world);
    ASSERT_TRUE(Called("QXWL_InitWifiDirect"));
    ASSERT_TRUE(d.m_hWiFiDirectThread);
    const DWORD waiter = ::GetThreadId(d.m_hWiFiDirectThread);
    EXPECT_EQ(0u, baseline.count(waiter));
    EXPECT_EQ(1u, ThreadsOfThisProcess().count(waiter));
    sim.ClearJournal();
    d.SendMessage(WM_COMMAND, ID_TRAY_EXIT);
    d.DestroyWindow();
    EXPECT_TRUE(Called("QXWL_OIDSetInfo(0xFFF101D6"));
    dlg.reset();
    EXPECT_TRUE(ThreadsComeDownTo(baseline));
}

TEST_F(Exit, AHelpWindowThatWillNotCloseIsAskedFifteenTimesThenLeft)
{
    Start("[World]\nOsCode=10\n");
    StubbornHelpWindow help("HTML Help");
    ASSERT_TRUE(help.hwnd);
    dlg->DestroyWindow();
    EXPECT_TRUE(PumpPending());
    EXPECT_EQ(15, StubbornHelpWindow::s_closes);
    EXPECT_TRUE(::IsWindow(help.hwnd));
}
