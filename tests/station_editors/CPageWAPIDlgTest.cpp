// The WAPI page: an empty host laid over its page area.
#include "../station_dialogs/StationDialogsFixture.h"
#include "station/CPageWAPIDlg.h"
#include "ui/TabDialog.h"

using station_dialogs_test::StationDialogsTest;

TEST_F(StationDialogsTest, WapiPageHostsNoSubPagesAndCoversItsPageArea)
{
    CPageWAPIDlg page;
    ASSERT_TRUE(page.Create(CPageWAPIDlg::IDD, &front));
    for (int slot = -1; slot <= CPageWAPIDlg::kSubPageSlots; ++slot) EXPECT_EQ(nullptr, page.GetSubPage(slot));
    ASSERT_NE(nullptr, page.GetTabHost());
    EXPECT_EQ(0, page.GetTabHost()->GetPageCount());
    CRect host, area;
    page.GetTabHost()->GetWindowRect(&host);
    page.GetDlgItem(IDC_AP_PAGE_AREA)->GetWindowRect(&area);
    EXPECT_EQ(area.bottom, host.bottom);
    EXPECT_EQ(area.right, host.right);
    page.DestroyWindow();
}
