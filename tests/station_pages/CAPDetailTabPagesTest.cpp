// The access-point detail tabs before the detail dialog fills them: labels, hidden MDID pair and
// the signal bar's gradient.
#include "station_dialogs/StationDialogsFixture.h"
#include "station/CAPDetailTabPages.h"

using station_dialogs_test::StationDialogsTest;

namespace {
class DetailTabsTest : public StationDialogsTest {
protected:
    void SetUp() override
    {
        StationDialogsTest::SetUp();
        G_LangTable.IDS_MAC_ADDRESS = "Hardware address";
        G_LangTable.IDS_SIGNAL_STRENGTH = "Signal";
        G_LangTable.IDS_WPS_UUID_E = "Enrollee UUID";
    }
    static std::string Text(CWnd& page, int id)
    {
        char text[64] = {};
        ::GetWindowTextA(::GetDlgItem(page.GetSafeHwnd(), id), text, sizeof text);
        return text;
    }
    static bool Visible(CWnd& page, int id) { return (::GetWindowLongA(::GetDlgItem(page.GetSafeHwnd(), id), GWL_STYLE) & WS_VISIBLE) != 0; }
};
}  // namespace

TEST_F(DetailTabsTest, GeneralTabLabelsItsFieldsAndStartsWithoutTheMobilityDomain)
{
    CPageGeneralDlg page;
    ASSERT_TRUE(page.Create(CPageGeneralDlg::IDD, &front));
    EXPECT_EQ("Hardware address", Text(page, IDC_GEN_MAC_LABEL));
    EXPECT_EQ("Signal", Text(page, IDC_GEN_SIGNAL_LABEL));
    EXPECT_FALSE(Visible(page, IDC_GEN_MDID_LABEL));
    EXPECT_FALSE(Visible(page, IDC_GEN_MDID));
    ASSERT_EQ(3, page.m_progressSignal.GetColorCount());
    EXPECT_EQ(kSignalBarGreen, page.m_progressSignal.GetColor(0));
    EXPECT_EQ(kSignalBarMiddle, page.m_progressSignal.GetColor(1));
    EXPECT_EQ(kSignalBarGreen, page.m_progressSignal.GetColor(2));
    page.DestroyWindow();
}

TEST_F(DetailTabsTest, WpsTabTakesItsLabelsAndCcxKeepsTheTemplates)
{
    CPageWPSStatusDlg wps;
    ASSERT_TRUE(wps.Create(CPageWPSStatusDlg::IDD, &front));
    EXPECT_EQ("Enrollee UUID", Text(wps, IDC_WPS_UUID_E_LABEL));
    wps.m_strUuidE = "1234";
    wps.UpdateData(FALSE);
    EXPECT_EQ("1234", Text(wps, IDC_WPS_UUID_E));
    wps.DestroyWindow();

    CPageCCXDlg ccx;
    ASSERT_TRUE(ccx.Create(CPageCCXDlg::IDD, &front));
    ccx.m_strCmic = "Yes";
    ccx.UpdateData(FALSE);
    EXPECT_EQ("Yes", Text(ccx, IDC_CCX_CMIC));
    ccx.DestroyWindow();
}
