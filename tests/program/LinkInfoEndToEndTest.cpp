// The real program linked to the 40 MHz 802.11n network: the link information page as a user
// opens it from the tray, its trend chart, and the about box with the driver file's version.
#include <gtest/gtest.h>
#include "program/ProgramWindows.h"
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace testing_support;
using namespace program_windows;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr UINT kTrayNotify = WM_USER + 100;  // the hidden main dialog's tray callback message
constexpr int kAboutButton = 8009;           // of the main window
// The link information page.
constexpr int kSsidLabel = 1102, kSsid = 1112, kApMac = 1113, kTxSpeed = 1115, kRxSpeed = 1116, kSecurity = 1117,
              kChannel = 1118, kTxRate = 1131, kRxRate = 1132, kTotalTx = 1135, kTotalRx = 1136, kQuality = 1137,
              kTrendChart = 1144;
// The data-rate graph and the about box.
constexpr int kRateTransmit = 1722, kRateReceive = 1725, kRateClose = 1737;
constexpr int kAboutDriver = 1704, kAboutUtility = 1706, kAboutClose = 1707;

// The leading whole number of a text ("296 Kbps" gives 296); -1 when it has none.
long long Number(const std::string& text)
{
    if (text.empty() || text[0] < '0' || text[0] > '9') return -1;
    return std::strtoll(text.c_str(), nullptr, 10);
}

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

class LinkInfoEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetProfileStore();
        ::DeleteFileA(journal.c_str());
        ScopedFile(worldFile, "[World]\nOsCode=12\nConnectDelayMs=200\nJournal=" + journal + "\n"
                              "[Profile1]\nName=Fast\nSsid=Quixen-N300\nSecurity=WPA2-PSK\nKey=quixen300\nActive=1\n")
            .Keep();
    }
    void TearDown() override
    {
        ::DeleteFileA(worldFile.c_str());
        ::DeleteFileA(journal.c_str());
        ForgetProfileStore();
    }
    std::string worldFile = BinFolder() + "QxSimWorld.ini";
    std::string journal = BinFolder() + "LinkInfoJournal.txt";
};
}  // namespace

TEST_F(LinkInfoEndToEnd, ShowsTheLinkAsTheWorldDescribesItAndOpensTheTrendChartAndAbout)
{
    FakeNotificationArea tray;
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND hidden = nullptr;
    HWND main = WaitForMainWindow(program.Id(), &hidden);
    ASSERT_TRUE(main);
    // Into the tray, and back by a double-click on its icon.
    ::SendMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_FALSE(::IsWindowVisible(main));
    ::PostMessageA(hidden, kTrayNotify, 0, WM_LBUTTONDBLCLK);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kTimeoutMs));

    HWND page = WaitForWindowWith(main, 0, kSsidLabel, kTimeoutMs);
    ASSERT_TRUE(page);
    // The start-up reconnects the active profile; the page shows the link from its next poll.
    // A refresh fills the fields one after the other: wait for the last of them.
    ASSERT_TRUE(PumpUntil([&] { return ItemText(page, kSsid) == "Quixen-N300" && !ItemText(page, kQuality).empty(); },
                          kTimeoutMs))
        << "SSID shown: " << ItemText(page, kSsid) << "\n" << ReadWholeFile(journal);
    EXPECT_EQ("00:1A:2B:44:71:06", ItemText(page, kApMac));
    EXPECT_EQ("WPA2-PSK", ItemText(page, kSecurity));
    EXPECT_EQ("44", ItemText(page, kChannel));
    EXPECT_EQ("300.0 Mbps", ItemText(page, kTxSpeed));
    EXPECT_EQ("300.0 Mbps", ItemText(page, kRxSpeed));
    // -48 dBm on the world's scale (-90 dBm none, -30 dBm full).
    EXPECT_EQ("70%", ItemText(page, kQuality));

    // Throughput from the second poll on: the simulated link moves 12 and 37 bytes a millisecond
    // (96 and 296 kbit/s), so both show in Kbps, never negative or absurd.
    ASSERT_TRUE(PumpUntil([&] { return !ItemText(page, kRxRate).empty(); }, kTimeoutMs));
    for (int id : {kTxRate, kRxRate}) {
        const std::string rate = ItemText(page, id);
        EXPECT_TRUE(EndsWith(rate, " Kbps")) << rate;
        EXPECT_GT(Number(rate), 0) << rate;
        EXPECT_LT(Number(rate), 1000) << rate;
    }
    EXPECT_GT(Number(ItemText(page, kRxRate)), Number(ItemText(page, kTxRate)));
    // The totals count from the page's first poll and rise as the link moves data.
    const long long sent = Number(ItemText(page, kTotalTx)), received = Number(ItemText(page, kTotalRx));
    ASSERT_GE(sent, 0);
    EXPECT_TRUE(PumpUntil([&] {
        return Number(ItemText(page, kTotalTx)) > sent && Number(ItemText(page, kTotalRx)) > received;
    }, kTimeoutMs));

    // The trend chart: its own window, polled every second, closed by its button.
    Click(::GetDlgItem(page, kTrendChart));
    HWND chart = WaitForWindowWith(nullptr, program.Id(), kRateTransmit, kTimeoutMs);
    ASSERT_TRUE(chart);
    EXPECT_TRUE(PumpUntil([&] { return Number(ItemText(chart, kRateReceive)) > 0; }, kTimeoutMs))
        << "receive rate: " << ItemText(chart, kRateReceive);
    EXPECT_GT(Number(ItemText(chart, kRateTransmit)), 0);
    EXPECT_LT(Number(ItemText(chart, kRateReceive)), 10000);
    PressButton(chart, kRateClose);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(chart); }, kTimeoutMs));
    // The page polls again once the chart is gone.
    const long long before = Number(ItemText(page, kTotalTx));
    EXPECT_TRUE(PumpUntil([&] { return Number(ItemText(page, kTotalTx)) > before; }, kTimeoutMs));

    // The about box reads the version of the driver file the prefix holds under the driver's name.
    Click(::GetDlgItem(main, kAboutButton));
    HWND about = WaitForWindowWith(nullptr, program.Id(), kAboutDriver, kTimeoutMs);
    ASSERT_TRUE(about);
    EXPECT_EQ("6.1.7600.16385", ItemText(about, kAboutDriver));
    EXPECT_EQ("V1.2.0.c", ItemText(about, kAboutUtility));
    PressButton(about, kAboutClose);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(about); }, kTimeoutMs));
    if (HasFailure()) printf("Calls:\n%s\n", ReadWholeFile(journal).c_str());
}
