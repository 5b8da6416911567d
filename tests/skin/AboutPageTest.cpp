// The about dialog: its texts, the driver version read from the driver file's version
// resource (station or soft-AP side), and the fallback for a file without one.
#include "MainWindowFixture.h"
#include "core/QXAPLIB.h"
#include "core/QXWLLIB.h"
#include "core/hidedlg/HideDlg.h"
#include "skin/KelvoPageAboutDlg.h"

#include <string>

using skin_test::MainWindowTest;

namespace {
std::string g_driverName;
std::string g_softApDriverPath;

LONG WINAPI FakeDriverName(LPSTR name, ULONG size)
{
    lstrcpynA(name, g_driverName.c_str(), static_cast<int>(size));
    return 1;
}

LONG WINAPI FakeSoftApDriverPath(const ADAPTER_ENTRY*, LPSTR path)
{
    lstrcpynA(path, g_softApDriverPath.c_str(), MAX_PATH);
    return 1;
}

std::string SystemFolder()
{
    char folder[MAX_PATH] = {};
    ::GetSystemDirectoryA(folder, MAX_PATH);
    return folder;
}

class AboutPageTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        fixture = testing_support::BinFolder() + "DriverFixture.sys";
        noVersion = testing_support::BinFolder() + "Languages\\Lang.ini";
        ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(fixture.c_str()));
        ASSERT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(noVersion.c_str()));
        QXWLAPI.QXWL_ReadDriverName = FakeDriverName;
    }
    void TearDown() override
    {
        if (!installed.empty()) ::DeleteFileA(installed.c_str());
        QXAPAPI.QXAP_GetDriverPath = nullptr;
        hide.m_nOpMode = OP_MODE_STATION;
        MainWindowTest::TearDown();
    }
    // Runs the dialog as the about button does; answers the driver and utility values.
    std::pair<std::string, std::string> Run(INT_PTR* result = nullptr)
    {
        std::pair<std::string, std::string> shown;
        AfxSetModalDialogHook([&](CDialog& dlg) {
            char text[64] = {};
            ::GetDlgItemTextA(dlg.m_hWnd, IDC_ABOUT_DRIVER, text, sizeof text);
            shown.first = text;
            ::GetDlgItemTextA(dlg.m_hWnd, IDC_ABOUT_UTILITY, text, sizeof text);
            shown.second = text;
            dlg.PostMessage(WM_COMMAND, MAKEWPARAM(IDC_ABOUT_CLOSE, BN_CLICKED),
                            reinterpret_cast<LPARAM>(::GetDlgItem(dlg.m_hWnd, IDC_ABOUT_CLOSE)));
        });
        CKelvoPageAboutDlg about(&mainWindow);
        const INT_PTR ended = about.DoModal();
        AfxSetModalDialogHook(nullptr);
        if (result) *result = ended;
        return shown;
    }
    std::string fixture, noVersion, installed;
};
}  // namespace

TEST_F(AboutPageTest, VersionResourceGivesTheFourPartsAndAFileWithoutOneGivesNothing)
{
    EXPECT_STREQ("6.1.7600.16385", CKelvoPageAboutDlg::ReadFileVersion(fixture.c_str(), false));
    EXPECT_STREQ("6.1.7600.16385", CKelvoPageAboutDlg::ReadFileVersion(fixture.c_str(), true));
    EXPECT_STREQ("", CKelvoPageAboutDlg::ReadFileVersion(noVersion.c_str(), false));
    EXPECT_STREQ("", CKelvoPageAboutDlg::ReadFileVersion((fixture + ".missing").c_str(), false));
}

TEST_F(AboutPageTest, StationDriverIsReadFromTheSystemFolder)
{
    installed = SystemFolder() + "\\kelvo-about-test.sys";
    ASSERT_TRUE(::CopyFileA(fixture.c_str(), installed.c_str(), FALSE));
    g_driverName = "kelvo-about-test.sys";
    INT_PTR result = -1;
    const auto shown = Run(&result);
    EXPECT_EQ("6.1.7600.16385", shown.first);
    EXPECT_EQ("V1.2.0.c", shown.second);
    EXPECT_EQ(0, result);

    // The same name, but the file there has no version resource: an empty value.
    ASSERT_TRUE(::CopyFileA(noVersion.c_str(), installed.c_str(), FALSE));
    EXPECT_EQ("", Run().first);
    // No name from the library: nothing is read.
    g_driverName.clear();
    bool wow64 = true;
    EXPECT_STREQ("", CKelvoPageAboutDlg::StationDriverPath(&wow64));
}

TEST_F(AboutPageTest, AccessPointModeShowsTheSoftApDriverEvenWithAStationDriverPresent)
{
    installed = SystemFolder() + "\\kelvo-about-test.sys";
    ASSERT_TRUE(::CopyFileA(noVersion.c_str(), installed.c_str(), FALSE));
    g_driverName = "kelvo-about-test.sys";
    g_softApDriverPath = fixture;
    QXAPAPI.QXAP_GetDriverPath = FakeSoftApDriverPath;
    hide.m_nOpMode = OP_MODE_AP;
    EXPECT_EQ("6.1.7600.16385", Run().first);

    // Without the soft-AP library there is no version to show, and no crash.
    QXAPAPI.QXAP_GetDriverPath = nullptr;
    EXPECT_EQ("", Run().first);
}
