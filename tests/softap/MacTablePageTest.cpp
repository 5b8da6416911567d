// The station table: rows from the table the device model calls for, the rate texts of both
// table kinds, and a failed query that keeps the rows.
#include "softap/ApPagesFixture.h"
#include "softap/MacTablePage.h"

namespace {

using ap_pages_test::ApPagesTest;

class MacTablePageTest : public ApPagesTest {
protected:
    void SetUp() override
    {
        ApPagesTest::SetUp();
        ASSERT_TRUE(sim.Set("OpMode", 1));
        ASSERT_EQ(1, QXAPAPI.QXAP_InitAPSettings());
    }
    static std::vector<std::string> Row(CMacTablePage& page, int row)
    {
        std::vector<std::string> cells;
        for (int column = 0; column < 4; ++column) cells.push_back(std::string(page.m_list.GetItemText(row, column)));
        return cells;
    }
};

constexpr USHORT TxRate(int mode, int mcs, int bw40, int shortGi)
{
    return static_cast<USHORT>(mode << 14 | shortGi << 8 | bw40 << 7 | mcs);
}

TEST_F(MacTablePageTest, RateTextsOfCckOfdmAndHtEntries)
{
    CHTTable table;
    table.Init();
    double rate = 0;
    ASSERT_TRUE(table.GetRate(TRUE, 1, 7, &rate));
    CString ht;
    ht.Format("N: MCS = 7, BW = 40, GI = 400, Rate = %.2f", rate);
    EXPECT_EQ(ht, CMacTablePage::RateText(TxRate(2, 7, 1, 1), table));
    EXPECT_EQ(CString("N: MCS = 32, BW = 20, GI = 800, Rate = 0.00"), CMacTablePage::RateText(TxRate(3, 32, 0, 0), table));
    EXPECT_EQ(CString("B: Rate = 5.50"), CMacTablePage::RateText(TxRate(0, 10, 0, 0), table));
    EXPECT_EQ(CString("B: Rate = 0.00"), CMacTablePage::RateText(TxRate(0, 4, 0, 0), table));
    EXPECT_EQ(CString("Rate = 54.00"), CMacTablePage::RateText(TxRate(1, 7, 0, 0), table));
    EXPECT_EQ(CString("Rate = 0.00"), CMacTablePage::RateText(TxRate(1, 9, 0, 0), table));
}

TEST_F(MacTablePageTest, An11nModelShowsTheRateColumnAndAnEmptyTableClearsTheList)
{
    ASSERT_TRUE(sim.Load("[Station1]\nMac=00:11:22:33:44:55\nPowerSave=1\nTxRate=" + std::to_string(TxRate(1, 3, 0, 0)) +
                         "\n[Station2]\nMac=00:11:22:33:44:66\n"));
    auto page = Make<CMacTablePage>();
    page->Refresh();
    ASSERT_EQ(2, page->m_list.GetItemCount());
    EXPECT_EQ((std::vector<std::string>{"00:11:22:33:44:55", "1", "Yes", "Rate = 18.00"}), Row(*page, 0));
    EXPECT_EQ((std::vector<std::string>{"00:11:22:33:44:66", "2", "No", "B: Rate = 1.00"}), Row(*page, 1));
    EXPECT_EQ((std::vector<CString>{"00:11:22:33:44:55", "00:11:22:33:44:66"}), page->m_macs);
    ASSERT_TRUE(sim.Leave("00:11:22:33:44:55"));
    ASSERT_TRUE(sim.Leave("00:11:22:33:44:66"));
    page->Refresh();
    EXPECT_EQ(0, page->m_list.GetItemCount());
}

TEST_F(MacTablePageTest, ALegacyModelLeavesTheRateColumnEmptyAndAFailedQueryKeepsTheRows)
{
    ASSERT_TRUE(sim.Load("[World]\nDeviceModel=3\n[Station1]\nMac=00:11:22:33:44:55\n"));
    auto page = Make<CMacTablePage>();
    sim.ClearJournal();
    page->Refresh();
    EXPECT_EQ(std::vector<std::string>{"QXAP_QueryMacTableNOT_11N()"}, Calls("QXAP_QueryMacTable"));
    ASSERT_EQ(1, page->m_list.GetItemCount());
    EXPECT_EQ((std::vector<std::string>{"00:11:22:33:44:55", "1", "No", ""}), Row(*page, 0));
    // The access point stops: the query fails and the last rows stay.
    ASSERT_TRUE(sim.Set("OpMode", 0));
    page->Refresh();
    EXPECT_EQ(1, page->m_list.GetItemCount());
    // A model without station tables is not asked at all.
    ASSERT_TRUE(sim.Set("DeviceModel", 1));
    sim.ClearJournal();
    page->Refresh();
    EXPECT_TRUE(Calls("QXAP_QueryMacTable").empty());
}

TEST_F(MacTablePageTest, TheTableRefreshesEveryTwoSecondsOnlyWhileShown)
{
    ASSERT_TRUE(sim.Load("[Station1]\nMac=00:11:22:33:44:55\n"));
    using testing_support::kWaitBoundMs;
    auto page = Make<CMacTablePage>();
    page->ShowWindow(SW_SHOW);
    EXPECT_TRUE(testing_support::PumpUntil([&] { return page->m_list.GetItemCount() == 1; }, kWaitBoundMs));
    ASSERT_TRUE(sim.Join("00:11:22:33:44:66"));
    EXPECT_TRUE(testing_support::PumpUntil([&] { return page->m_list.GetItemCount() == 2; }, kWaitBoundMs));
    page->ShowWindow(SW_HIDE);
    ASSERT_TRUE(sim.Leave("00:11:22:33:44:66"));
    // A second table shown from now on refreshes once: the hidden one's timer, of the same period
    // and armed before, would have been due by then.
    auto later = Make<CMacTablePage>();
    later->ShowWindow(SW_SHOW);
    EXPECT_TRUE(testing_support::PumpUntil([&] { return later->m_list.GetItemCount() == 1; }, kWaitBoundMs));
    EXPECT_TRUE(testing_support::PumpPending());
    EXPECT_EQ(2, page->m_list.GetItemCount());
}

}  // namespace
