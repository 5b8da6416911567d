// The EAP-FAST page's PAC list on real files: the folder scan and its limit, import through the
// file dialog, removal from the disk after the user confirms, the selection toggle.
#include "../station_dialogs/StationDialogsFixture.h"
#include "station/CPage8021XDlg.h"
#include "station/CPageEAPFastDlg.h"
#include "support/ScopedFolder.h"

#include <fstream>
#include <string>

using station_dialogs_test::StationDialogsTest;
using testing_support::MessageBoxCapture;
using testing_support::ScopedFolder;

namespace {
std::string g_chosenPath;  // what the fake file dialog answers; empty: cancelled
int g_dialogCalls = 0;

BOOL WINAPI FakeGetOpenFileName(LPOPENFILENAMEA ofn)
{
    ++g_dialogCalls;
    if (g_chosenPath.empty()) return FALSE;
    lstrcpynA(ofn->lpstrFile, g_chosenPath.c_str(), static_cast<int>(ofn->nMaxFile));
    return TRUE;
}

class PacListTest : public StationDialogsTest {
protected:
    void SetUp() override
    {
        StationDialogsTest::SetUp();
        G_LangTable.IDS_NOSELECTEDITEM = "Please select an item first.";
        G_LangTable.IDS_PAC_REMOVE_CONFIRM = "Remove the PAC file?";
        G_LangTable.IDS_PAC_REMOVE_FAILED = "The PAC file could not be removed.";
        ::GetCurrentDirectoryA(sizeof savedFolder, savedFolder);
        ::SetCurrentDirectoryA(folder.Path().c_str());
        CPageEAPFastDlg::s_pfnGetOpenFileName = FakeGetOpenFileName;
        g_chosenPath.clear();
        g_dialogCalls = 0;
        front.ShowWindow(SW_SHOW);
        ASSERT_TRUE(sim.Set("OsCode", 8));
        ASSERT_TRUE(page.Create(CPage8021XDlg::IDD, &front));
    }
    void TearDown() override
    {
        page.DestroyWindow();
        CPageEAPFastDlg::s_pfnGetOpenFileName = ::GetOpenFileNameA;
        ::SetCurrentDirectoryA(savedFolder);
        StationDialogsTest::TearDown();
    }
    std::string MakePac(const std::string& name)
    {
        const std::string path = folder.Path() + "\\" + name;
        std::ofstream(path) << "pac";
        return path;
    }
    CPageEAPFastDlg& Fast() { return *page.m_pPageEAPFast; }
    void Focus(int row) { Fast().List().SetItemState(row, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED); }

    char savedFolder[MAX_PATH] = {};
    ScopedFolder folder;
    CPage8021XDlg page;
};
}  // namespace

TEST_F(PacListTest, AFolderOfSixtyListsWhatAProfileStoresSaysSoAndRefusesImports)
{
    for (int i = 0; i < 60; ++i) MakePac(std::to_string(i) + "p.pac");
    MakePac("notes.txt");
    G_LangTable.IDS_PAC_FOLDER_OVER_LIMIT = "Only the first %d are listed.";
    page.ResetToDefaults();  // the reset rebuilds the list from the folder
    ASSERT_EQ(50u, Fast().m_pacList.size());
    EXPECT_EQ(50, Fast().List().GetItemCount());
    EXPECT_TRUE(Fast().FolderOverLimit());
    EXPECT_TRUE(Fast().ItemVisible(IDC_EAPFAST_LIST_NOTE));
    CString note;
    Fast().GetDlgItemText(IDC_EAPFAST_LIST_NOTE, note);
    EXPECT_NE(-1, note.Find("50")) << note.GetString();
    EXPECT_EQ(folder.Path() + "\\" + std::string(Fast().m_pacList[0].strFileName),
              std::string(Fast().m_pacList[0].strFilePath));

    // A '%' of the text other than the number stays as it is: the text is not a format.
    const CString saved = G_LangTable.IDS_PAC_LIST_MAX_ITEM;
    G_LangTable.IDS_PAC_LIST_MAX_ITEM = "Full (%s): at most %d.";
    MessageBoxCapture boxes;
    Fast().OnImportPACFile();
    G_LangTable.IDS_PAC_LIST_MAX_ITEM = saved;
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(CString("Full (%s): at most 50."), boxes.Boxes()[0].text);
    EXPECT_EQ(0, g_dialogCalls);
}

TEST_F(PacListTest, ImportAddsANewPathOnceAndACancelledDialogChangesNothing)
{
    const std::string other = folder.MakeSubFolder("other") + "\\server.pac";
    std::ofstream(other) << "pac";
    Fast().m_pacList.clear();
    Fast().OnImportPACFile();  // cancelled
    EXPECT_EQ(1, g_dialogCalls);
    EXPECT_TRUE(Fast().m_pacList.empty());

    g_chosenPath = other;
    Fast().OnImportPACFile();
    Fast().OnImportPACFile();
    ASSERT_EQ(1u, Fast().m_pacList.size());
    EXPECT_EQ(CString("server.pac"), Fast().m_pacList[0].strFileName);
    EXPECT_EQ(0, Fast().m_pacList[0].bSelected);
    EXPECT_EQ(1, Fast().List().GetItemCount());
}

TEST_F(PacListTest, RemoveDeletesTheFileOnlyAfterConfirmationAndReportsAFailedDelete)
{
    const std::string a = MakePac("a.pac");
    const std::string b = MakePac("b.pac");
    const std::string c = MakePac("c.pac");
    Fast().ScanPacFolder();
    ASSERT_EQ(3u, Fast().m_pacList.size());
    {
        MessageBoxCapture boxes;
        Fast().OnRemovePACFile();  // no focused row
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(G_LangTable.IDS_NOSELECTEDITEM, boxes.Boxes()[0].text);
    }
    Focus(1);
    {
        MessageBoxCapture boxes(IDCANCEL);
        Fast().OnRemovePACFile();
        EXPECT_TRUE(testing_support::FileExists(b));
        EXPECT_EQ(3u, Fast().m_pacList.size());
    }
    {
        MessageBoxCapture boxes(IDOK);
        Fast().OnRemovePACFile();
        EXPECT_FALSE(testing_support::FileExists(b));
        ASSERT_EQ(2u, Fast().m_pacList.size());
        EXPECT_EQ(CString("a.pac"), Fast().m_pacList[0].strFileName);
        EXPECT_EQ(CString("c.pac"), Fast().m_pacList[1].strFileName);
    }
    ::SetFileAttributesA(c.c_str(), FILE_ATTRIBUTE_READONLY);
    Focus(1);
    {
        MessageBoxCapture boxes(IDOK);
        Fast().OnRemovePACFile();
        ASSERT_EQ(2u, boxes.Count());
        EXPECT_EQ(G_LangTable.IDS_PAC_REMOVE_FAILED, boxes.Boxes()[1].text);
        EXPECT_TRUE(testing_support::FileExists(c));
        EXPECT_EQ(2u, Fast().m_pacList.size());  // still listed: it is still there
    }
    ::SetFileAttributesA(c.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(PacListTest, DoubleClickTogglesTheFocusedRow)
{
    MakePac("a.pac");
    MakePac("b.pac");
    Fast().ScanPacFolder();
    Focus(1);
    NMHDR hdr = {Fast().List().GetSafeHwnd(), IDC_EAPFAST_LIST, static_cast<UINT>(NM_DBLCLK)};
    Fast().SendMessage(WM_NOTIFY, IDC_EAPFAST_LIST, reinterpret_cast<LPARAM>(&hdr));
    EXPECT_EQ(0, Fast().m_pacList[0].bSelected);
    EXPECT_EQ(1, Fast().m_pacList[1].bSelected);


    Fast().m_pacList[1].bSelected = 7;  // anything but 1 becomes 1
    Fast().ToggleFocusedRow();
    EXPECT_EQ(1, Fast().m_pacList[1].bSelected);
    Fast().ToggleFocusedRow();
    EXPECT_EQ(0, Fast().m_pacList[1].bSelected);
}

TEST_F(PacListTest, RemoveOnlyUnlistsAFileOutsideThePacFolder)
{
    const std::string inside = MakePac("a.pac");
    const std::string elsewhere = folder.MakeSubFolder("other") + "\\server.pac";
    std::ofstream(elsewhere) << "pac";
    Fast().ScanPacFolder();
    g_chosenPath = elsewhere;
    Fast().OnImportPACFile();
    // A stored profile may name any path, also one that leads out of the folder and back in.
    Fast().m_pacList.push_back({0, "a.pac", CString((folder.Path() + "\\other\\..\\a.pac").c_str())});
    Fast().UpdatePacListCount();
    ASSERT_EQ(3u, Fast().m_pacList.size());

    MessageBoxCapture boxes(IDOK);
    Focus(1);
    Fast().OnRemovePACFile();
    EXPECT_EQ(0u, boxes.Count());  // nothing leaves the disk, so nothing to confirm
    EXPECT_TRUE(testing_support::FileExists(elsewhere));
    ASSERT_EQ(2u, Fast().m_pacList.size());
    EXPECT_EQ(CString("a.pac"), Fast().m_pacList[1].strFileName);

    // The way round through another folder still ends in the PAC folder: confirmed and deleted.
    Focus(1);
    Fast().OnRemovePACFile();
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_FALSE(testing_support::FileExists(inside));
    EXPECT_EQ(1u, Fast().m_pacList.size());
}
