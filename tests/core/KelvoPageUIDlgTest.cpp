// What the core relies on of the main window before its pages exist.
#include <gtest/gtest.h>
#include "skin/KelvoPageProfileDlg.h"
#include "base/LanguageTable.h"
#include "skin/KelvoPageUIDlg.h"
#include "support/TestSupport.h"

#include <vector>

namespace {
// Stands in for the hidden main dialog: records what reaches it.
class OwnerWindow : public CWnd {
public:
    struct Received {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Received> received;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == ACTION_INSERT_EXEC) received.push_back({message, wParam, lParam});
        return CWnd::WindowProc(message, wParam, lParam);
    }
};
}  // namespace

TEST(MainWindow, CreatedFromItsTemplateCaptionedWithTheLanguageText)
{
    G_LangTable.IDS_QUIXEN_CONFIG_TITLE = "Wireless Utility Test";
    CKelvoPageUIDlg mainWindow(nullptr);
    G_bCreateDefaultProfile = 0;  // no default profile at start-up
    ASSERT_TRUE(mainWindow.Create());
    EXPECT_STREQ("Wireless Utility Test", mainWindow.GetWindowText());
    EXPECT_TRUE(mainWindow.GetDlgItem(CKelvoPageUIDlg::kExpandedMarkerId) != nullptr);
    EXPECT_EQ(0, CModalLoopRegistry::Depth());  // no modal loop is left behind
    G_LangTable.IDS_QUIXEN_CONFIG_TITLE.Empty();
}

TEST(MainWindow, IsKnownWhileTheObjectLives)
{
    EXPECT_EQ(nullptr, CKelvoPageUIDlg::GetLive());
    {
        CKelvoPageUIDlg mainWindow(nullptr);
        EXPECT_EQ(&mainWindow, CKelvoPageUIDlg::GetLive());
        G_bCreateDefaultProfile = 0;  // no default profile at start-up
        ASSERT_TRUE(mainWindow.Create());
        mainWindow.DestroyWindow();
        EXPECT_EQ(&mainWindow, CKelvoPageUIDlg::GetLive());  // the object outlives its window
    }
    EXPECT_EQ(nullptr, CKelvoPageUIDlg::GetLive());
}

TEST(MainWindow, ClosingOnlyHidesIt)
{
    CKelvoPageUIDlg mainWindow(nullptr);
    G_bCreateDefaultProfile = 0;  // no default profile at start-up
    ASSERT_TRUE(mainWindow.Create());
    mainWindow.ShowWindow(SW_SHOW);
    mainWindow.SendMessage(WM_CLOSE);
    EXPECT_TRUE(mainWindow.IsWindow());
    EXPECT_FALSE(mainWindow.IsWindowVisible());
}

TEST(MainWindow, ForwardsActionRequestsUnchangedToItsOwner)
{
    OwnerWindow owner;
    ASSERT_TRUE(owner.CreateEx(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    CKelvoPageUIDlg mainWindow(&owner);
    G_bCreateDefaultProfile = 0;  // no default profile at start-up
    ASSERT_TRUE(mainWindow.Create());
    EXPECT_EQ(owner.GetSafeHwnd(), ::GetWindow(mainWindow.GetSafeHwnd(), GW_OWNER));
    mainWindow.SendMessage(ACTION_INSERT_EXEC, SEND_BY_SITESURVEY_DLG, 77);
    mainWindow.SendMessage(ACTION_INSERT_EXEC, SEND_BY_PROFILE_DLG, 0);
    ASSERT_EQ(2u, owner.received.size());
    EXPECT_EQ(SEND_BY_SITESURVEY_DLG, owner.received[0].wParam);
    EXPECT_EQ(77, owner.received[0].lParam);
    EXPECT_EQ(SEND_BY_PROFILE_DLG, owner.received[1].wParam);
    mainWindow.DestroyWindow();
    owner.DestroyWindow();
}
