// The real program switched between station and access point by its mode buttons: the status
// page follows the stations of the world, the MAC filter keeps one out for good, the station
// side comes back with its survey, and the mode in force when the program ends is the one it
// starts in.
#include <gtest/gtest.h>
#include "program/ApModeFixture.h"
#include "program/ProgramWindows.h"
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"

#include <string>

using namespace testing_support;
using namespace program_windows;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr int kTabSurvey = 8005, kTabProfile = 8006;
constexpr int kStationSsid = 1112, kSurveyList = 1014;
constexpr int kApSecurity = 2758, kApStations = 2764;
constexpr int kFilterType = 2782, kFilterFirstEdit = 2810, kFilterSave = 2784;
constexpr int kRejectListed = 2;
constexpr char kKeptOut[] = "00:11:22:33:44:66";
constexpr char kNewcomer[] = "00:11:22:33:44:77";

class ApModeEndToEnd : public ApModeFixture {
protected:
    // The first word of the operation-mode record; -1 without a whole record.
    static int StoredMode()
    {
        const std::string bytes = ReadWholeFile(DataFilePath());
        return bytes.size() == 8 ? static_cast<unsigned char>(bytes[0]) : -1;
    }
};
}  // namespace

TEST_F(ApModeEndToEnd, AccessPointServesStationsFiltersOneAndGivesWayToTheStationAgain)
{
    FakeNotificationArea tray;
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = WaitForMainWindow(program.Id());
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
    // It tries again beside a newcomer: the newcomer is let in and listed, it stays out.
    WriteApWorld("[Station1]\nMac=00:11:22:33:44:55\n[Station2]\nMac=" + std::string(kKeptOut) + "\n[Station3]\nMac=" +
                 kNewcomer + "\n");
    ASSERT_TRUE(PumpUntil([&] { return ItemCount(stations) >= 2; }, kTimeoutMs)) << ApJournal();
    EXPECT_EQ(2, ItemCount(stations));
    RemoteList rows(stations);
    EXPECT_GE(rows.Find(kNewcomer), 0);
    EXPECT_EQ(-1, rows.Find(kKeptOut));
    const std::string calls = ReadWholeFile(apJournal);
    EXPECT_EQ(calls.find("SIM station joined 001122334466"), calls.rfind("SIM station joined 001122334466"));

    PressButton(main, kStationModeButton);
    ASSERT_TRUE(PumpUntil([&] { return WindowWith(main, 0, kStationSsid) != nullptr; }, kTimeoutMs));
    EXPECT_EQ(nullptr, WindowWith(main, 0, kApSsid));
    Click(::GetDlgItem(main, kTabSurvey));
    HWND survey = Control(main, kSurveyList);
    EXPECT_TRUE(PumpUntil([&] { return ItemCount(survey) > 1; }, kTimeoutMs)) << ItemCount(survey);
    EXPECT_TRUE(ExitFromTray(program));
}

TEST_F(ApModeEndToEnd, TheModeInForceAtTheEndIsTheModeOfTheNextStart)
{
    FakeNotificationArea tray;
    {
        ChildProcess program(ProgramCommand(), BinFolder());
        HWND main = WaitForMainWindow(program.Id());
        ASSERT_TRUE(main);
        ASSERT_TRUE(Control(main, kStationSsid));
        PressButton(main, kApModeButton);
        ASSERT_TRUE(PumpUntil([&] { return WindowWith(main, 0, kApSsid) != nullptr; }, kTimeoutMs));
        EXPECT_EQ(1, StoredMode()) << "stored once the adapter had switched";
        ASSERT_TRUE(ExitFromTray(program));
    }
    {
        ChildProcess program(ProgramCommand(), BinFolder());
        HWND main = WaitForMainWindow(program.Id());
        ASSERT_TRUE(main);
        EXPECT_TRUE(Control(main, kApSsid)) << "started in access-point mode";
        PressButton(main, kStationModeButton);
        ASSERT_TRUE(PumpUntil([&] { return WindowWith(main, 0, kStationSsid) != nullptr; }, kTimeoutMs));
        ASSERT_TRUE(ExitFromTray(program));
        EXPECT_EQ(0, StoredMode());
    }
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = WaitForMainWindow(program.Id());
    ASSERT_TRUE(main);
    EXPECT_TRUE(Control(main, kStationSsid)) << "started in station mode";
    EXPECT_EQ(nullptr, WindowWith(main, 0, kApSsid));
    EXPECT_TRUE(ExitFromTray(program));
}
