// The hidden dialog started against the stand-in library's simulated world, with the tray,
// the desktop height and message boxes observed.
#pragma once
#include <gtest/gtest.h>
#include "base/DataFile.h"
#include "core/hidedlg/HideDlg.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"
#include "core/SelCardDlg.h"
#include "base/TrayIcon.h"
#include "res/resource.h"
#include "skin/KelvoPageUIDlg.h"
#include "support/StationSim.h"
#include "support/TestSupport.h"
#include "ui/DesktopMetrics.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace hidedlg_testing {
using namespace testing_support;
struct TrayCall {
    DWORD message;
    UINT icon;  // the resource id, found by the icon handle
    std::string tip;
};

const char kTwoAdapters[] =
    "[Adapter1]\nName=Quixen USB 300\nDeviceID=USB\\VID_1\n[Adapter2]\nName=Quixen PCIe N\nDeviceID=PCI\\VEN_2\n";

class HideDlgFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.Loaded());
        SetTrayNotifySink([this](DWORD message, const NOTIFYICONDATAA& data) {
            tray.push_back({message, IconId(data.hIcon), data.szTip});
            return TRUE;
        });
        SetDesktopBottomSource([this] { return desktopBottom; });
        app.m_pMainWnd = nullptr;
        CDataFile data;
        data.CreateUserDataFolder(kDataFileName);
        dataFile = data.Path().GetString();
        ::DeleteFileA(dataFile.c_str());
        G_nSoftApMode = 0;
    }

    void TearDown() override
    {
        dlg.reset();
        QXWLAPI.Release();
        ::DeleteFileA(dataFile.c_str());
        SetTrayNotifySink(nullptr);
        SetDesktopBottomSource(nullptr);
        AfxSetModalDialogHook(nullptr);
        app.m_pMainWnd = nullptr;
    }

    // Runs the start-up against the world; the dialog stays up for the test to look at.
    CHideDlg& Start(const std::string& world)
    {
        dlg.reset();  // the old dialog frees the shared records before the new one makes its own
        EXPECT_TRUE(sim.Reset(world));
        dlg = std::make_unique<CHideDlg>(nullptr);
        app.m_pMainWnd = dlg.get();
        EXPECT_TRUE(dlg->Create(IDD_HIDE_DIALOG));
        // The start-up read the language file beside the program: tests compare its texts.
        EXPECT_FALSE(G_LangTable.IDS_OK.IsEmpty());
        return *dlg;
    }

    void WriteDataFile(ULONG mode, ULONG zeroConfig, DWORD bytes = sizeof(HIDE_DLG_DATA))
    {
        HIDE_DLG_DATA data{mode, zeroConfig};
        CDataFile file;
        file.CreateUserDataFolder(kDataFileName);
        ASSERT_EQ(1, file.WriteDataFile(&data, bytes));
    }

    // The data file's record, or nothing when the file does not hold exactly one.
    std::optional<HIDE_DLG_DATA> ReadDataFile()
    {
        HIDE_DLG_DATA data{};
        CDataFile file;
        file.CreateUserDataFolder(kDataFileName);
        if (file.ReadDataFile(&data, sizeof data) != sizeof data) return std::nullopt;
        return data;
    }

    bool Called(const std::string& prefix) { return !sim.JournalLines(prefix).empty(); }

    static UINT IconId(HICON icon)
    {
        for (UINT id : {IDI_TRAY_LINKED, IDI_TRAY_LOST, IDI_TRAY_NORMAL, IDI_TRAY_WEAK, IDI_TRAY_WEP_ERROR,
                        IDI_TRAY_NOT_EXIST, IDI_TRAY_SOFTAP})
            if (icon && LoadTrayIcon(id) == icon) return id;
        return 0;
    }

    StationSim sim;
    CWinApp app{"KPL4471"};
    MessageBoxCapture boxes;
    std::vector<TrayCall> tray;
    int desktopBottom = 768;
    std::string dataFile;
    std::unique_ptr<CHideDlg> dlg;
};
}  // namespace hidedlg_testing
