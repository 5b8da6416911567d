// The real program leaving while a modal loop of its user-interface thread runs: the trend chart,
// the about box and a WPS method dialog, the access-point switch's radio-off dialog, a box stacked
// on the WPS PIN dialog, a page's box in the middle of its SAVE and the system's file dialog of the
// EAP-FAST page, each opened as a user opens it, then Exit from the tray or the adapter pulled out.
// The program ends (or drops its window) without a fault, which the exception trace of the run
// would show; it runs with the heap's free checking on, so that an object freed under a running
// handler faults.
#include <gtest/gtest.h>
#include "program/ApModeFixture.h"
#include "program/ProgramWindows.h"
#include "support/TestSupport.h"

#include <memory>
#include <string>

using namespace testing_support;
using namespace program_windows;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr int kTabAdapter = 8007, kTabConfiguration = 8005, kAboutButton = 8009, kApModeButton = 8012;
constexpr int kTrendChart = 1144;
constexpr int kRateTransmit = 1722, kAboutDriver = 1704;
constexpr int kAdapterWps = 1212, kAdapterPbc = 1213, kAdapterPinAp = 1215;
constexpr int kWpsDialogStart = 1742, kPinApEdit = 1752;
constexpr int kRadioOffText = 1032;               // the message dialog's text
constexpr int kApSsid = 2704, kApSave = 2740;     // the skinned access-point configuration page
constexpr char kStationWorld[] = "[World]\nOsCode=12\n";
constexpr int kTabProfile = 8006, kProfileList = 1024, kProfileEdit = 1134;
constexpr int kEditorTabSystem = 1382, kEditorTab8021X = 1384, kTabEapFast = 428;
constexpr int kUsePac = 1445, kPacImport = 1451;  // the EAP-FAST page
constexpr int kFileTypeCombo = 0x470;  // the system file dialog's "files of type" list

struct ButtonSearch {
    int id;
    HWND found;
};
BOOL CALLBACK MatchButton(HWND child, LPARAM lParam)
{
    auto* search = reinterpret_cast<ButtonSearch*>(lParam);
    char cls[16] = "";
    ::GetClassNameA(child, cls, sizeof cls);
    if (::GetDlgCtrlID(child) != search->id || lstrcmpiA(cls, "Button") != 0) return TRUE;
    search->found = child;
    return FALSE;
}
// The button of that id among the window's descendants (a tab button stands over a hidden
// placeholder of its id).
HWND ButtonIn(HWND parent, int id)
{
    ButtonSearch search{id, nullptr};
    ::EnumChildWindows(parent, MatchButton, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class ModalDialogExit : public ::testing::Test {
protected:
    void SetUp() override { ForgetProfileStore(); }
    void TearDown() override
    {
        ::DeleteFileA(worldFile.c_str());
        ::DeleteFileA(apWorldFile.c_str());
        ForgetProfileStore();
    }
    void Start(const std::string& world = kStationWorld)
    {
        ScopedFile(worldFile, world).Keep();
        program = std::make_unique<ChildProcess>(ProgramCommand(), BinFolder());
        main = WaitForMainWindow(program->Id());
        ASSERT_TRUE(main);
        ASSERT_TRUE(HeapFreeChecking::IsOn(program->Id()));
    }
    // A click on a control once a person could see it.
    void ClickSeen(HWND control)
    {
        ASSERT_TRUE(WaitUntilSeen(control)) << "control " << ::GetDlgCtrlID(control) << ": " << DescribePlace(control);
        Click(control);
    }
    // The top-level window of the program that carries the control, once a person could see it.
    HWND SeenDialogWith(int controlId)
    {
        HWND dialog = WaitForWindowWith(nullptr, program->Id(), controlId, kTimeoutMs);
        if (!dialog || !WaitUntilSeen(dialog)) return nullptr;
        return dialog;
    }
    // The message box of the program that shows that text, once a person could see it.
    HWND SeenBoxSaying(const std::string& text)
    {
        HWND box = nullptr;
        if (!PumpUntil([&] { return (box = OpenMessageBox(program->Id())) != nullptr; }, kTimeoutMs)) return nullptr;
        if (!WaitUntilSeen(box)) return nullptr;
        EXPECT_EQ(text, ItemText(box, kMessageBoxTextId));
        return box;
    }
    HWND OpenTrendChart()
    {
        HWND button = WaitForSeenControl(main, kTrendChart);
        if (!button) return nullptr;
        Click(button);
        return SeenDialogWith(kRateTransmit);
    }
    // The adapter page's WPS switched on and one of its method buttons pressed.
    void PressWpsMethod(int methodId)
    {
        ClickSeen(::GetDlgItem(main, kTabAdapter));
        HWND box = WaitForSeenControl(main, kAdapterWps);
        ASSERT_TRUE(box);
        ::SendMessageA(box, BM_CLICK, 0, 0);  // WPS on: the method buttons come alive
        HWND method = ::GetDlgItem(::GetParent(box), methodId);
        ASSERT_TRUE(PumpUntil([&] { return ::IsWindowEnabled(method) != FALSE; }, kTimeoutMs));
        ASSERT_TRUE(WaitUntilSeen(method));
        ::PostMessageA(method, BM_CLICK, 0, 0);
    }
    // The WPS dialog for the access point's PIN, started with a PIN too short: its refusal box.
    HWND PinRefusalBox()
    {
        PressWpsMethod(kAdapterPinAp);
        HWND dialog = SeenDialogWith(kPinApEdit);
        if (!dialog) return nullptr;
        ::SendMessageA(::GetDlgItem(dialog, kPinApEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1"));
        ::PostMessageA(::GetDlgItem(dialog, kWpsDialogStart), BM_CLICK, 0, 0);
        return SeenBoxSaying(EnglishText("IDS_MSG_PINCODE_INVALID"));
    }
    // The adapter pulled out while the modal window is up: the removal ends it first and takes
    // the main window once its loop has returned; the program stays for the adapter's return.
    void PullTheAdapterOutUnder(HWND modal)
    {
        ScopedFile(worldFile, "[World]\nOsCode=12\nDevicePresent=0\n").Keep();
        EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(modal) && !::IsWindow(main); }, kTimeoutMs));
        EXPECT_FALSE(program->WaitForExit(0));
    }
    // Exit from the tray ends the program with code 0 and lets the single-instance lock go; a new
    // start on the world given then shows its window and ends the same way.
    void ExpectExitEndsForGood(const std::string& startAgainOn = "")
    {
        ASSERT_TRUE(ExitFromTray(*program));
        DWORD code = STILL_ACTIVE;
        ASSERT_TRUE(program->WaitForExit(0, &code));
        EXPECT_EQ(0u, code);
        HANDLE lock = ::OpenMutexA(SYNCHRONIZE, FALSE, "VN38");
        EXPECT_EQ(nullptr, lock) << "the single-instance lock is still held";
        if (lock) ::CloseHandle(lock);
        if (startAgainOn.empty()) return;
        Start(startAgainOn);
        ExpectExitEndsForGood();
    }

    // Edit on the profile list's row of that profile: the profile editor, which works behind the
    // skinned pages in the classic area, gets it; null when it does not come.
    HWND EditProfile(const char* name)
    {
        ClickSeen(::GetDlgItem(main, kTabProfile));
        HWND list = WaitForSeenControl(main, kProfileList);
        if (!list) return nullptr;
        RemoteList rows(list);
        int row = -1;
        if (!rows.Usable() || !PumpUntil([&] { return (row = rows.Find(name)) >= 0; }, kTimeoutMs)) return nullptr;
        rows.Select(row);
        HWND edit = ::GetDlgItem(::GetParent(list), kProfileEdit);
        if (!edit || !WaitUntilSeen(edit)) return nullptr;
        Click(edit);
        // The classic dialog of main's that holds the system page's tab: only the profile editor has it.
        HWND editor = nullptr;
        PumpUntil([&] {
            editor = FindControl(main, kEditorTabSystem, false);
            while (editor && ::GetParent(editor) != main) editor = ::GetParent(editor);
            return editor && ::IsWindowVisible(editor);
        }, kTimeoutMs);
        return editor && ::IsWindowVisible(editor) ? editor : nullptr;
    }

    std::string worldFile = BinFolder() + "QxSimWorld.ini";
    std::string apWorldFile = BinFolder() + "QxSimAp.ini";
    std::unique_ptr<ChildProcess> program;
    HWND main = nullptr;

private:
    SavedFiles m_data{DataFolder() + "BinaryReg.Orz"};  // the operation mode the program stores
    HeapFreeChecking m_heap;
};
}  // namespace

TEST_F(ModalDialogExit, TrayExitWithTheTrendChartOpenClosesItAndEnds)
{
    Start();
    HWND chart = OpenTrendChart();
    ASSERT_TRUE(chart);
    ExpectExitEndsForGood();
    EXPECT_FALSE(::IsWindow(chart));
}

TEST_F(ModalDialogExit, TrayExitWithTheAboutBoxOpenClosesItAndEnds)
{
    Start();
    ClickSeen(::GetDlgItem(main, kAboutButton));
    ASSERT_TRUE(SeenDialogWith(kAboutDriver));
    ExpectExitEndsForGood();
}

TEST_F(ModalDialogExit, TrayExitWithAWpsDialogOpenClosesItAndEnds)
{
    Start();
    PressWpsMethod(kAdapterPbc);
    ASSERT_TRUE(SeenDialogWith(kWpsDialogStart));
    ExpectExitEndsForGood();
}

TEST_F(ModalDialogExit, AdapterPulledOutWithTheTrendChartOpenDropsTheWindowSafely)
{
    Start();
    HWND chart = OpenTrendChart();
    ASSERT_TRUE(chart);
    PullTheAdapterOutUnder(chart);
    ExpectExitEndsForGood();
}

TEST_F(ModalDialogExit, TrayExitUnderTheRadioOffDialogOfTheAccessPointSwitchEnds)
{
    Start("[World]\nOsCode=10\nSwRadio=0\n");
    ClickSeen(::GetDlgItem(main, kApModeButton));
    HWND dialog = SeenDialogWith(kRadioOffText);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(EnglishText("IDS_INVAILDRADIOOFF"), ItemText(dialog, kRadioOffText));
    ExpectExitEndsForGood(kStationWorld);
}

TEST_F(ModalDialogExit, TrayExitUnderTheBoxOfTheWpsPinDialogEnds)
{
    Start();
    ASSERT_TRUE(PinRefusalBox());
    ExpectExitEndsForGood(kStationWorld);
}

TEST_F(ModalDialogExit, TrayExitUnderTheAccessPointPagesRefusalInTheMiddleOfItsSaveEnds)
{
    const std::string world = "[World]\nOsCode=10\nOpMode=1\n";
    ScopedFile(apWorldFile, "[World]\n").Keep();
    Start(world);
    ClickSeen(::GetDlgItem(main, kTabConfiguration));
    HWND ssid = WaitForSeenControl(main, kApSsid);
    ASSERT_TRUE(ssid);
    ::SendMessageA(ssid, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    PressButton(::GetParent(ssid), kApSave);
    ASSERT_TRUE(SeenBoxSaying(EnglishText("IDS_ADHOCINPUTSSID")));
    ExpectExitEndsForGood(world);
}

TEST_F(ModalDialogExit, AdapterPulledOutUnderTheBoxOfTheWpsPinDialogDropsTheWindowAndExitEnds)
{
    Start();
    HWND box = PinRefusalBox();
    ASSERT_TRUE(box);
    PullTheAdapterOutUnder(box);
    ScopedFile(worldFile, kStationWorld).Keep();
    ExpectExitEndsForGood(kStationWorld);
}

TEST_F(ModalDialogExit, TrayExitWithTheSystemFileDialogOfTheEapFastPageOpenCancelsItAndEnds)
{
    // The XP line, where the 802.1X page has an EAP-FAST page. The active profile is an open one:
    // an 802.1X connection at the start would bring its status dialog into the classic area in
    // place of the editor.
    const std::string world = "[World]\nOsCode=8\n[Network1]\nSsid=Quixen-Open\nSecurity=Open\n"
                              "[Profile1]\nName=Home\nSsid=Quixen-Open\nSecurity=Open\nActive=1\n"
                              "[Profile2]\nName=Corp\nSsid=Quixen-Corp\nSecurity=WPA2\nEapMethod=FAST\n"
                              "Identity=user\nPassword=password\n";
    Start(world);
    HWND editor = EditProfile("Corp");
    ASSERT_TRUE(editor);
    HWND tab8021X = ButtonIn(editor, kEditorTab8021X);
    ASSERT_TRUE(tab8021X);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowEnabled(tab8021X) != FALSE; }, kTimeoutMs));
    SendAndWait(tab8021X, BM_CLICK, 0, 0);
    HWND fastTab = ButtonIn(editor, kTabEapFast);
    ASSERT_TRUE(fastTab);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(fastTab) != FALSE; }, kTimeoutMs));
    PressButton(::GetParent(fastTab), kTabEapFast);
    HWND usePac = ButtonIn(editor, kUsePac);
    ASSERT_TRUE(usePac);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(usePac) != FALSE; }, kTimeoutMs));
    // The stored profile uses no PAC: the switch turned on brings Import to life.
    ASSERT_EQ(BST_UNCHECKED, ::SendMessageA(usePac, BM_GETCHECK, 0, 0));
    SendAndWait(usePac, BM_CLICK, 0, 0);
    HWND import = ButtonIn(editor, kPacImport);
    ASSERT_TRUE(import);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(import) && ::IsWindowEnabled(import); }, kTimeoutMs));

    // Import opens the system's own file dialog, a loop the program knows only by the window the
    // call creates. Exit must close it as its Cancel would: the program cannot end before.
    PressButton(::GetParent(import), kPacImport);
    ASSERT_TRUE(SeenDialogWith(kFileTypeCombo));
    ExpectExitEndsForGood(world);
}
