// The real program switched between station and access point by its mode buttons: the status
// page follows the stations of the world, the MAC filter keeps one out for good, the station
// side comes back with its survey, and the mode in force when the program ends is the one it
// starts in.
#include <gtest/gtest.h>
#include "program/ProgramWindows.h"
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"

#include <shlobj.h>

#include <string>

using namespace testing_support;
using namespace program_windows;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr char kHiddenCaption[] = "Quixen Utility";
constexpr WPARAM kTrayExit = 32961;
constexpr int kApModeButton = 8012, kStationModeButton = 8013;
constexpr int kTabLink = 8004, kTabSurvey = 8005, kTabProfile = 8006;
constexpr int kStationSsid = 1112, kSurveyList = 1014;
constexpr int kApSsid = 2752, kApSecurity = 2758, kApStations = 2764;
constexpr int kFilterType = 2782, kFilterFirstEdit = 2810, kFilterSave = 2784;
constexpr int kRejectListed = 2;
constexpr char kKeptOut[] = "00:11:22:33:44:66";

std::string DataFilePath()
{
    char documents[MAX_PATH] = {};
    ::SHGetSpecialFolderPathA(nullptr, documents, CSIDL_COMMON_DOCUMENTS, FALSE);
    return std::string(documents) + "\\Kelvo4471_F7284002-4AEB-4653-B388-54344DC694ED\\BinaryReg.Orz";
}

bool SetServiceRunning(const char* name, bool running)
{
    SC_HANDLE manager = ::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (!manager) return false;
    SC_HANDLE service = ::OpenServiceA(manager, name, SERVICE_START | SERVICE_STOP | SERVICE_QUERY_STATUS);
    bool reached = false;
    if (service) {
        SERVICE_STATUS status{};
        if (running) ::StartServiceA(service, 0, nullptr);
        else ::ControlService(service, SERVICE_CONTROL_STOP, &status);
        const DWORD wanted = running ? SERVICE_RUNNING : SERVICE_STOPPED;
        for (int i = 0; i < 300 && !reached; ++i) {
            reached = ::QueryServiceStatus(service, &status) && status.dwCurrentState == wanted;
            if (!reached) ::Sleep(50);
        }
        ::CloseServiceHandle(service);
    }
    ::CloseServiceHandle(manager);
    return reached;
}

int ItemCount(HWND list)
{
    return list ? static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) : -1;
}

class ApModeEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetProfileStore();
        m_savedData = ReadWholeFile(DataFilePath());
        m_hadData = ::GetFileAttributesA(DataFilePath().c_str()) != INVALID_FILE_ATTRIBUTES;
        ::DeleteFileA(DataFilePath().c_str());
        for (const std::string& file : {stationJournal, apJournal}) ::DeleteFileA(file.c_str());
        ScopedFile(stationWorld, "[World]\nOsCode=10\nConnectDelayMs=200\nJournal=" + stationJournal + "\n"
                                 "[Profile1]\nName=Home\nSsid=Quixen-WPA2\nSecurity=WPA2-PSK\nKey=quixen2024\nActive=1\n")
            .Keep();
        WriteApWorld("");
        ASSERT_TRUE(SetServiceRunning("Wlansvc", true));
    }
    void TearDown() override
    {
        SetServiceRunning("Wlansvc", false);
        for (const std::string& file : {stationWorld, apWorld, stationJournal, apJournal}) ::DeleteFileA(file.c_str());
        ::DeleteFileA(DataFilePath().c_str());
        if (m_hadData) ScopedFile(DataFilePath(), m_savedData).Keep();
        ForgetProfileStore();
    }
    void WriteApWorld(const std::string& stations)
    {
        ScopedFile(apWorld, "[World]\nJournal=" + apJournal + "\n" + stations).Keep();
    }
    // The first word of the operation-mode record; -1 without a whole record.
    static int StoredMode()
    {
        const std::string bytes = ReadWholeFile(DataFilePath());
        return bytes.size() == 8 ? static_cast<unsigned char>(bytes[0]) : -1;
    }
    static std::string Command() { return "\"" + BinFolder() + "KPL4471.exe\""; }
    HWND MainWindow(const ChildProcess& program)
    {
        HWND main = WaitForWindow("#32770", EnglishText("IDS_QUIXEN_CONFIG_TITLE").c_str(), program.Id(), kTimeoutMs);
        if (main) PumpUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kTimeoutMs);
        return main;
    }
    // The visible control of that id inside the main window, once it shows.
    static HWND Control(HWND main, int id)
    {
        HWND page = WaitForWindowWith(main, 0, id, kTimeoutMs);
        return page ? ::GetDlgItem(page, id) : nullptr;
    }
    static bool Ends(ChildProcess& program)
    {
        HWND hidden = WaitForWindow("#32770", kHiddenCaption, program.Id(), kTimeoutMs);
        if (!hidden) return false;
        ::PostMessageA(hidden, WM_COMMAND, kTrayExit, 0);
        return PumpUntil([&] { return program.WaitForExit(0); }, kTimeoutMs);
    }

    std::string stationWorld = BinFolder() + "QxSimWorld.ini";
    std::string apWorld = BinFolder() + "QxSimAp.ini";
    std::string stationJournal = BinFolder() + "ApModeStationJournal.txt";
    std::string apJournal = BinFolder() + "ApModeApJournal.txt";

private:
    std::string m_savedData;
    bool m_hadData = false;
};
}  // namespace

TEST_F(ApModeEndToEnd, AccessPointServesStationsFiltersOneAndGivesWayToTheStationAgain)
{
    FakeNotificationArea tray;
    ChildProcess program(Command(), BinFolder());
    HWND main = MainWindow(program);
    ASSERT_TRUE(main);
    HWND ssid = Control(main, kStationSsid);
    ASSERT_TRUE(PumpUntil([&] { return Text(ssid) == "Quixen-WPA2"; }, kTimeoutMs)) << Text(ssid);

    PressButton(main, kApModeButton);
    HWND apSsid = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (apSsid = Control(main, kApSsid)) && Text(apSsid) == "Kelvo_WLAN"; }, kTimeoutMs));
    EXPECT_EQ("WPA2-PSK", ItemText(::GetParent(apSsid), kApSecurity));
    EXPECT_EQ(nullptr, WindowWith(main, 0, kStationSsid)) << "no station page is left";

    // Two stations come into range.
    WriteApWorld("[Station1]\nMac=00:11:22:33:44:55\n[Station2]\nMac=" + std::string(kKeptOut) + "\n");
    HWND stations = Control(main, kApStations);
    ASSERT_TRUE(PumpUntil([&] { return ItemCount(stations) == 2; }, kTimeoutMs)) << ItemCount(stations);

    // The MAC filter keeps the second one out.
    Click(::GetDlgItem(main, kTabProfile));
    HWND type = Control(main, kFilterType);
    ASSERT_TRUE(type);
    HWND filter = ::GetParent(type);
    ::SendMessageA(type, CB_SETCURSEL, kRejectListed, 0);
    ::SendMessageA(::GetDlgItem(filter, kFilterFirstEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kKeptOut));
    PressButton(filter, kFilterSave);
    ASSERT_TRUE(PumpUntil([&] { return ReadWholeFile(apJournal).find("SIM station left 001122334466") != std::string::npos; },
                          kTimeoutMs));
    Click(::GetDlgItem(main, kTabLink));
    stations = Control(main, kApStations);
    ASSERT_TRUE(PumpUntil([&] { return ItemCount(stations) == 1; }, kTimeoutMs));
    // It tries again and stays out.
    WriteApWorld("[Station1]\nMac=00:11:22:33:44:55\n[Station2]\nMac=" + std::string(kKeptOut) + "\n");
    PumpFor(5000);
    EXPECT_EQ(1, ItemCount(stations));
    const std::string calls = ReadWholeFile(apJournal);
    EXPECT_EQ(calls.find("SIM station joined 001122334466"), calls.rfind("SIM station joined 001122334466"));

    PressButton(main, kStationModeButton);
    ASSERT_TRUE(PumpUntil([&] { return WindowWith(main, 0, kStationSsid) != nullptr; }, kTimeoutMs));
    EXPECT_EQ(nullptr, WindowWith(main, 0, kApSsid));
    Click(::GetDlgItem(main, kTabSurvey));
    HWND survey = Control(main, kSurveyList);
    EXPECT_TRUE(PumpUntil([&] { return ItemCount(survey) > 1; }, kTimeoutMs)) << ItemCount(survey);
    EXPECT_TRUE(Ends(program));
}

TEST_F(ApModeEndToEnd, TheModeInForceAtTheEndIsTheModeOfTheNextStart)
{
    FakeNotificationArea tray;
    {
        ChildProcess program(Command(), BinFolder());
        HWND main = MainWindow(program);
        ASSERT_TRUE(main);
        ASSERT_TRUE(Control(main, kStationSsid));
        PressButton(main, kApModeButton);
        ASSERT_TRUE(PumpUntil([&] { return WindowWith(main, 0, kApSsid) != nullptr; }, kTimeoutMs));
        EXPECT_EQ(1, StoredMode()) << "stored once the adapter had switched";
        ASSERT_TRUE(Ends(program));
    }
    {
        ChildProcess program(Command(), BinFolder());
        HWND main = MainWindow(program);
        ASSERT_TRUE(main);
        EXPECT_TRUE(Control(main, kApSsid)) << "started in access-point mode";
        PressButton(main, kStationModeButton);
        ASSERT_TRUE(PumpUntil([&] { return WindowWith(main, 0, kStationSsid) != nullptr; }, kTimeoutMs));
        ASSERT_TRUE(Ends(program));
        EXPECT_EQ(0, StoredMode());
    }
    ChildProcess program(Command(), BinFolder());
    HWND main = MainWindow(program);
    ASSERT_TRUE(main);
    EXPECT_TRUE(Control(main, kStationSsid)) << "started in station mode";
    EXPECT_EQ(nullptr, WindowWith(main, 0, kApSsid));
    EXPECT_TRUE(Ends(program));
}
