// The main window's page switch and its list lines.
#include <gtest/gtest.h>
#include "skin/KelvoPageUIDlg.h"
#include "skin/PageListEntries.h"
#include "support/TestSupport.h"

#include <array>
#include <memory>
#include <vector>

namespace {
class PageSwitch : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.Create());
        for (int slot = 0; slot < CKelvoPageUIDlg::kPageSlots; ++slot) {
            pages[slot] = std::make_unique<CStatic>();
            ASSERT_TRUE(pages[slot]->Create("page", SS_LEFT, CRect(0, 20, 100, 60), &window, 2000 + slot));
            window.m_pPageSlot[slot] = pages[slot].get();
        }
        CRect r;
        window.GetWindowRect(&r);
        window.SetWindowPos(static_cast<HWND>(nullptr), 0, 0, r.Width(), 120, SWP_NOMOVE | SWP_NOZORDER);
    }
    int Height() { CRect r; window.GetWindowRect(&r); return r.Height(); }
    std::vector<int> Visible()
    {
        std::vector<int> shown;
        for (int slot = 0; slot < CKelvoPageUIDlg::kPageSlots; ++slot)
            if (pages[slot]->GetStyle() & WS_VISIBLE) shown.push_back(slot);
        return shown;
    }

    CKelvoPageUIDlg window{nullptr};
    std::array<std::unique_ptr<CStatic>, CKelvoPageUIDlg::kPageSlots> pages;
};
}  // namespace

TEST_F(PageSwitch, SwitchingHidesTheShownPageAndExpandsTheWindow)
{
    window.ShowPageByIndex(3);
    EXPECT_EQ(std::vector<int>{3}, Visible());
    window.ShowPageByIndex(11);
    EXPECT_EQ(std::vector<int>{11}, Visible());
    EXPECT_EQ(11, window.m_nCurrentPage);
    EXPECT_EQ(1, window.m_bExpanded);
    // Expanded: the window reaches the bottom of the marker control.
    CRect marker, client;
    window.GetDlgItem(CKelvoPageUIDlg::kExpandedMarkerId)->GetWindowRect(&marker);
    window.GetWindowRect(&client);
    EXPECT_EQ(marker.bottom, client.bottom);
    EXPECT_NE(nullptr, window.m_btnMoreLess.m_hWnd);
}

TEST_F(PageSwitch, MainPageAlreadyShownChangesNothing)
{
    window.ShowPageByIndex(0);
    EXPECT_EQ(std::vector<int>{0}, Visible());
    window.SetWindowPos(static_cast<HWND>(nullptr), 0, 0, 300, 150, SWP_NOMOVE | SWP_NOZORDER);
    window.m_nCurrentPage = 7;
    window.ShowPageByIndex(0);
    EXPECT_EQ(150, Height());
    EXPECT_EQ(7, window.m_nCurrentPage);
}

TEST_F(PageSwitch, NumbersBeyondTheSlotsShowTheMainPage)
{
    window.ShowPageByIndex(5);
    window.ShowPageByIndex(12);
    EXPECT_EQ(std::vector<int>{0}, Visible());
    EXPECT_EQ(12, window.m_nCurrentPage);
}

TEST(PageListEntries, HostedNetworkPeerTakesTheMacAndTheWordOfItsEntry)
{
    const BYTE entry[HOSTEDNETWORK_PEER::kEntryBytes] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E, 0xEE, 0xEE, 7, 0, 0, 0};
    HOSTEDNETWORK_PEER peer(entry);
    EXPECT_EQ(0x5E, peer.MacAddress[5]);
    EXPECT_EQ(7u, peer.nValue);
    std::vector<ProfileListEntry> list;
    list.emplace_back(-1, "Home", "WPA2-PSK", "AES", 1, 2, 3);
    list.push_back(list.front());
    EXPECT_STREQ("Home", list[1].strText1);
    EXPECT_EQ(-1, list[1].nIndex);
}
