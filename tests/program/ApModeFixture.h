// The real program on the simulated adapter, ready to be switched to access-point mode: the
// station world with its wireless service running, an empty access-point world, both journals,
// and the program's data file kept aside for the test.
#pragma once
#include <gtest/gtest.h>
#include "program/ProgramWindows.h"
#include "support/TestSupport.h"

#include <shlobj.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace program_windows {

// Files the program writes, moved aside for a test and put back as they were afterwards.
class SavedFiles {
public:
    explicit SavedFiles(std::initializer_list<std::string> paths)
    {
        using namespace testing_support;
        for (const std::string& path : paths) {
            m_saved.push_back({path, FileExists(path), ReadWholeFile(path)});
            ::DeleteFileA(path.c_str());
        }
    }
    ~SavedFiles()
    {
        for (const Saved& saved : m_saved) {
            ::DeleteFileA(saved.path.c_str());
            if (saved.existed) testing_support::ScopedFile(saved.path, saved.content).Keep();
        }
    }
    SavedFiles(const SavedFiles&) = delete;
    SavedFiles& operator=(const SavedFiles&) = delete;

private:
    struct Saved {
        std::string path;
        bool existed;
        std::string content;
    };
    std::vector<Saved> m_saved;
};

class ApModeFixture : public ::testing::Test {
protected:
    static constexpr int kApModeButton = 8012, kStationModeButton = 8013;
    static constexpr int kTabLink = 8004, kTabConfiguration = 8005, kTabFilter = 8006;
    static constexpr int kApSsid = 2752;  // on the skinned status page

    static std::string DataFilePath() { return program_windows::DataFolder() + "BinaryReg.Orz"; }
    void SetUp() override
    {
        using namespace testing_support;
        ForgetProfileStore();
        for (const std::string& file : {stationJournal, apJournal}) ::DeleteFileA(file.c_str());
        ScopedFile(stationWorld, "[World]\nOsCode=10\nConnectDelayMs=200\nJournal=" + stationJournal + "\n"
                                 "[Profile1]\nName=Home\nSsid=Quixen-WPA2\nSecurity=WPA2-PSK\nKey=quixen2024\nActive=1\n")
            .Keep();
        WriteApWorld("");
        ASSERT_TRUE(SetServiceRunning("Wlansvc", true));
    }
    void TearDown() override
    {
        using namespace testing_support;
        SetServiceRunning("Wlansvc", false);
        for (const std::string& file : {stationWorld, apWorld, stationJournal, apJournal}) ::DeleteFileA(file.c_str());
        ForgetProfileStore();
    }
    void WriteApWorld(const std::string& stations)
    {
        testing_support::ScopedFile(apWorld, "[World]\nJournal=" + apJournal + "\n" + stations).Keep();
    }
    std::string ApJournal() const { return testing_support::ReadWholeFile(apJournal); }
    // The visible control of that id inside the main window, once it shows.
    static HWND Control(HWND main, int id)
    {
        HWND page = WaitForWindowWith(main, 0, id, kProgramTimeoutMs);
        return page ? ::GetDlgItem(page, id) : nullptr;
    }
    // The access-point mode button pressed; true once the skinned status page shows the access point.
    static bool SwitchToAccessPoint(HWND main)
    {
        PressButton(main, kApModeButton);
        HWND ssid = nullptr;
        return testing_support::PumpUntil([&] { return (ssid = WindowWith(main, 0, kApSsid)) != nullptr; },
                                          kProgramTimeoutMs);
    }

    std::string stationWorld = testing_support::BinFolder() + "QxSimWorld.ini";
    std::string apWorld = testing_support::BinFolder() + "QxSimAp.ini";
    std::string stationJournal = testing_support::BinFolder() + "ApModeStationJournal.txt";
    std::string apJournal = testing_support::BinFolder() + "ApModeApJournal.txt";

private:
    SavedFiles m_data{DataFilePath()};
};

}  // namespace program_windows
