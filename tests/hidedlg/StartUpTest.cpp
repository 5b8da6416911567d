// The hidden dialog's start-up against the stand-in library's simulated world.
#include "HideDlgFixture.h"

#include <memory>

using namespace hidedlg_testing;

namespace {
class StartUp : public HideDlgFixture {};
}  // namespace


TEST_F(StartUp, WithoutAnAdapterTheStoredOneIsClearedAndTheCardIsNotStarted)
{
    CHideDlg& d = Start("[World]\nDevicePresent=0\n");
    EXPECT_STREQ("", QXWLAPI.m_AdapterEntry.chName);
    EXPECT_FALSE(Called("QXWL_AdapterSelect"));
    EXPECT_FALSE(Called("QXWL_RunOnceInitConfigTxBurst"));
    EXPECT_EQ(nullptr, d.m_pQxUI);  // the main window is not shown at start
    ASSERT_GE(tray.size(), 2u);
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), tray[0].message);
    EXPECT_EQ(static_cast<UINT>(IDI_TRAY_NOT_EXIST), tray[0].icon);
    EXPECT_EQ(G_LangTable.IDS_QUIXEN_NOTEXIST.GetString(), tray[0].tip);
    EXPECT_EQ(static_cast<DWORD>(NIM_MODIFY), tray[1].message);
    EXPECT_EQ(static_cast<UINT>(IDI_TRAY_LOST), tray[1].icon);
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(StartUp, OneAdapterIsTakenAtOnceAndSelectedWithTheCallback)
{
    CHideDlg& d = Start("[Adapter1]\nName=Quixen USB 300\n");
    EXPECT_STREQ("Quixen USB 300", QXWLAPI.m_AdapterEntry.chName);
    EXPECT_EQ(1u, sim.JournalLines("QXWL_AdapterSelect(Quixen USB 300").size());
    EXPECT_TRUE(Called("QXWL_Initial(Quixen"));
    EXPECT_TRUE(Called("QXWL_RunOnceInitConfigTxBurst"));
    ASSERT_NE(nullptr, d.m_pQxUI);
    EXPECT_TRUE(CKelvoPageUIDlg::From(d.m_pQxUI)->IsWindowVisible());
    EXPECT_STREQ("Quixen Utility", d.GetWindowText());
}

TEST_F(StartUp, SeveralAdaptersAskTheUserWhichOne)
{
    int choosers = 0;
    AfxSetModalDialogHook([&](CDialog& shown) {
        auto* chooser = dynamic_cast<CSelCardDlg*>(&shown);
        ASSERT_NE(nullptr, chooser);
        ++choosers;
        EXPECT_TRUE(dlg->m_bDialogRunning);
        chooser->GetDlgItem(IDC_SELCARD_COMBO)->SendMessage(CB_SETCURSEL, 1);
        chooser->SendMessage(WM_COMMAND, IDOK);
    });
    CHideDlg& d = Start(kTwoAdapters);
    EXPECT_EQ(1, choosers);
    EXPECT_FALSE(d.m_bDialogRunning);
    EXPECT_STREQ("Quixen PCIe N", QXWLAPI.m_AdapterEntry.chName);
    EXPECT_EQ(1u, sim.JournalLines("QXWL_AdapterSelect(Quixen PCIe N").size());
}

TEST_F(StartUp, OneAdapterOtherThanTheRememberedOneStillAsks)
{
    CHideDlg& d = Start("[Adapter1]\nName=Quixen USB 300\n");
    strcpy(QXWLAPI.m_AdapterEntry.chName, "Older Card");
    int choosers = 0;
    AfxSetModalDialogHook([&](CDialog& shown) {
        ++choosers;
        shown.SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(1, d.DetectAdapter());
    EXPECT_EQ(1, choosers);
    EXPECT_STREQ("Quixen USB 300", QXWLAPI.m_AdapterEntry.chName);
}

TEST_F(StartUp, AFailedAdapterSelectionAnswersZeroAndStartUpGoesOn)
{
    CHideDlg& d = Start("[World]\nAdapterSelectResult=0\n");
    EXPECT_EQ(0, d.DetectAdapter());
    EXPECT_FALSE(tray.empty());
}

TEST_F(StartUp, AListThatGrowsBetweenTheTwoCallsIsNotReadPastWhatWasAllocated)
{
    // The second call is still too small: this round finds no adapter; the device watch
    // picks the cards up later.
    int choosers = 0;
    AfxSetModalDialogHook([&](CDialog&) { ++choosers; });
    CHideDlg& d = Start(std::string(kTwoAdapters) + "[World]\nGrowAdaptersAfterTooSmall=2\n");
    EXPECT_EQ(2u, sim.JournalLines("QXWL_GetAvailableAdapters").size());
    EXPECT_EQ(0, choosers);
    EXPECT_STREQ("", QXWLAPI.m_AdapterEntry.chName);
    EXPECT_TRUE(d.IsWindow());
}

TEST_F(StartUp, OperatingSystemGenerationDecidesTheHooksAndPaths)
{
    Start("[World]\nOsCode=8\n");
    EXPECT_EQ(8, G_nOSVersion);
    EXPECT_EQ(1, G_bNoDpiHook);
    EXPECT_TRUE(dlg->m_bSupportTTLS);
    // The XP family takes the adapter back from the system's service (the data file's flag is
    // 0), which starts the card.
    EXPECT_TRUE(Called("QXWL_RunOnceInitConfigTxBurst"));
    EXPECT_NE(nullptr, dlg->m_pQxUI);
    TearDown();
    SetUp();

    Start("[World]\nOsCode=10\n");
    EXPECT_EQ(0, G_bNoDpiHook);
    EXPECT_FALSE(dlg->m_bSupportTTLS);
    EXPECT_TRUE(Called("QXWL_RunOnceInitConfigTxBurst"));
    EXPECT_FALSE(Called("QXWL_ReadOpMode"));  // Vista does not compare the stored mode
    TearDown();
    SetUp();

    Start("[World]\nOsCode=12\n");
    EXPECT_TRUE(Called("QXWL_ReadOpMode"));
}

TEST_F(StartUp, DriverInAccessPointModeReleasesTheStationLibrary)
{
    WriteDataFile(OP_MODE_STATION, 0);
    CHideDlg& d = Start("[World]\nOpMode=1\nOsCode=10\n");
    EXPECT_EQ(OP_MODE_AP, d.m_nOpMode);
    EXPECT_TRUE(Called("QXWL_DeInitial"));
    EXPECT_FALSE(QXWLAPI.IsLoaded());
    EXPECT_FALSE(Called("QXWL_RunOnceInitConfigTxBurst"));
}

TEST_F(StartUp, WindowsSevenWithTheHostedNetworkVariantRunsStationPlusAccessPoint)
{
    // The shipped switch file is put back afterwards (this test program runs alone).
    const std::string path = BinFolder() + "SoftApConfig.ini";
    const std::string shipped = ReadWholeFile(path);
    {
        ScopedFile variant(path, "[Config]\nIDS_SOFTAP_MODE=1\n");
        CHideDlg& d = Start("[World]\nOsCode=12\nOpMode=2\nStoredOpMode=2\n");
        EXPECT_EQ(1, G_nSoftApMode);
        EXPECT_TRUE(Called("QXWL_RunOnceInitConfigTxBurst"));
        EXPECT_EQ(OP_MODE_APCLIENT, d.m_nOpMode);
        EXPECT_FALSE(d.m_bHideAPButton);
    }
    ScopedFile restore(path, shipped);
    restore.Keep();
}

TEST_F(StartUp, StoredModeOfTheDataFileWinsOverTheDriver)
{
    WriteDataFile(OP_MODE_AP, 0);
    CHideDlg& d = Start("[World]\nOpMode=0\n");
    EXPECT_EQ(OP_MODE_AP, d.m_nOpMode);
    EXPECT_FALSE(Called("QXWL_RunOnceInitConfigTxBurst"));  // the soft-AP side takes over
}

TEST_F(StartUp, DataFileOfAnotherLengthOrAnUnknownModeFallsBackToTheDriver)
{
    WriteDataFile(OP_MODE_AP, 0, 7);
    CHideDlg& d = Start("[World]\nOpMode=0\n");
    EXPECT_EQ(OP_MODE_STATION, d.m_nOpMode);
    TearDown();
    SetUp();
    WriteDataFile(9, 0);
    CHideDlg& e = Start("[World]\nOpMode=0\n");
    EXPECT_EQ(OP_MODE_STATION, e.m_nOpMode);
    TearDown();
    SetUp();
    // A record of access-point mode followed by more bytes is no record either.
    const HIDE_DLG_DATA longer[2] = {{OP_MODE_AP, 0}, {OP_MODE_AP, 0}};
    CDataFile file;
    file.CreateUserDataFolder(kDataFileName);
    ASSERT_EQ(1, file.WriteDataFile(longer, sizeof longer));
    CHideDlg& f = Start("[World]\nOpMode=0\n");
    EXPECT_EQ(OP_MODE_STATION, f.m_nOpMode);
    EXPECT_EQ(0u, f.m_Data.nOpMode);
}

TEST_F(StartUp, DriverNotReadyIsAskedAgainOnceASecond)
{
    Start("[World]\nInitNotReadyPolls=3\n");
    EXPECT_EQ(4u, sim.JournalLines("QXWL_QueryInitState").size());
    EXPECT_EQ(0u, dlg->m_nRetryCount);
}

TEST_F(StartUp, SmallDesktopMakesTheDialogAToolWindow)
{
    desktopBottom = 659;
    Start("");
    EXPECT_EQ(1, G_bHideTabIcon);
    EXPECT_TRUE(dlg->GetExStyle() & WS_EX_TOOLWINDOW);
    TearDown();
    SetUp();
    desktopBottom = 660;
    Start("");
    EXPECT_EQ(0, G_bHideTabIcon);
    EXPECT_FALSE(dlg->GetExStyle() & WS_EX_TOOLWINDOW);
}

namespace {
// A copy of the stand-in station library whose export of QXWL_IsSupportVistaSoftAP is renamed
// in place (one letter, so the sorted name table stays sorted): a library built without it.
std::string StationLibraryWithoutVistaSoftAp()
{
    const std::string folder = BinFolder() + "NoVistaSoftAp\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    std::string image = ReadWholeFile(testing_support::StationSim::LibraryPath());
    const std::string name = std::string("QXWL_IsSupportVistaSoftAP") + '\0';
    const size_t at = image.find(name);
    if (image.empty() || at == std::string::npos) return "";
    image[at + name.size() - 2] = 'X';
    const std::string path = folder + "QxWLAPI.dll";
    ScopedFile(path, image).Keep();
    return path;
}

class CHideDlgOnStationLibrary : public CHideDlg {
public:
    explicit CHideDlgOnStationLibrary(std::string path) : m_path(std::move(path)) {}

protected:
    CString StationLibraryPath() const override { return CString(m_path.c_str()); }

private:
    std::string m_path;
};
}  // namespace

TEST_F(StartUp, WindowsSevenLibraryWithoutTheVistaSoftApQueryRunsTheHostedNetworkVariant)
{
    const std::string path = StationLibraryWithoutVistaSoftAp();
    ASSERT_FALSE(path.empty());
    testing_support::StationSim copy(path);
    ASSERT_TRUE(copy.Loaded());
    ASSERT_EQ(nullptr, ::GetProcAddress(copy.Module(), "QXWL_IsSupportVistaSoftAP"));
    ASSERT_TRUE(copy.Reset("[World]\nOsCode=12\nOpMode=2\nStoredOpMode=2\n"));

    dlg = std::make_unique<CHideDlgOnStationLibrary>(path);
    app.m_pMainWnd = dlg.get();
    ASSERT_TRUE(dlg->Create(IDD_HIDE_DIALOG));
    EXPECT_EQ(1, G_nSoftApMode);
    EXPECT_EQ(OP_MODE_APCLIENT, dlg->m_nOpMode);
    EXPECT_FALSE(dlg->m_bHideAPButton);
    dlg.reset();
    QXWLAPI.Release();
    G_nSoftApMode = 0;
}

namespace {
// Start-up against the copy without the Vista soft-AP query, in the world given.
class WithoutVistaSoftAp : public HideDlgFixture {
protected:
    void TearDown() override
    {
        dlg.reset();
        QXWLAPI.Release();
        G_nSoftApMode = 0;
        copy.reset();
        HideDlgFixture::TearDown();
    }
    CHideDlg& StartOnCopy(const std::string& world)
    {
        const std::string path = StationLibraryWithoutVistaSoftAp();
        EXPECT_FALSE(path.empty());
        copy = std::make_unique<testing_support::StationSim>(path);
        EXPECT_TRUE(copy->Loaded());
        EXPECT_EQ(nullptr, ::GetProcAddress(copy->Module(), "QXWL_IsSupportVistaSoftAP"));
        EXPECT_TRUE(copy->Reset(world));
        dlg = std::make_unique<CHideDlgOnStationLibrary>(path);
        app.m_pMainWnd = dlg.get();
        EXPECT_TRUE(dlg->Create(IDD_HIDE_DIALOG));
        return *dlg;
    }
    // Whether one radio tick polled the station library.
    bool RadioTickPollsTheStation()
    {
        copy->ClearJournal();
        dlg->SendMessage(WM_TIMER, TIMER_HIDE_DLG_RADIO);
        return !copy->JournalLines("QXWL_QueryHWAndSWRadioState").empty() &&
               !copy->JournalLines("QXWL_QueryWLANStatus").empty();
    }
    std::unique_ptr<testing_support::StationSim> copy;
};
}  // namespace

TEST_F(WithoutVistaSoftAp, StationLibraryWithoutTheVistaSoftApEntryForcesTheHostedVariant)
{
    // Before Windows 7 the hosted variant has no client mode to run: the station runs.
    CHideDlg& d = StartOnCopy("[World]\nOsCode=10\n");
    EXPECT_EQ(1, G_nSoftApMode);
    EXPECT_EQ(OP_MODE_STATION, d.m_nOpMode);
    EXPECT_FALSE(d.m_bApSideLoaded);
    EXPECT_TRUE(QXWLAPI.IsLoaded());
}

TEST_F(WithoutVistaSoftAp, StoredAccessPointModeWithoutTheAccessPointSideStillPolls)
{
    // A session that ended in soft-AP mode, then a station run.
    WriteDataFile(OP_MODE_AP, 0);
    CHideDlg& d = StartOnCopy("[World]\nOsCode=10\n");
    ASSERT_EQ(OP_MODE_STATION, d.m_nOpMode);
    ASSERT_EQ(static_cast<ULONG>(OP_MODE_AP), d.m_Data.nOpMode);
    EXPECT_TRUE(RadioTickPollsTheStation());
}

TEST_F(WithoutVistaSoftAp, AccessPointModeWithTheAdapterAbsentAtStartPollsUntilItComes)
{
    WriteDataFile(OP_MODE_AP, 0);
    CHideDlg& d = StartOnCopy("[World]\nOsCode=10\nDevicePresent=0\n");
    ASSERT_EQ(OP_MODE_AP, d.m_nOpMode);
    ASSERT_FALSE(d.m_bApSideLoaded);
    EXPECT_TRUE(RadioTickPollsTheStation());
}

TEST_F(StartUp, WindowsSevenLibraryWithTheVistaSoftApQueryKeepsTheSoftApLibraryVariant)
{
    CHideDlg& d = Start("[World]\nOsCode=12\n");
    EXPECT_EQ(0, G_nSoftApMode);
    EXPECT_EQ(OP_MODE_STATION, d.m_nOpMode);
}
