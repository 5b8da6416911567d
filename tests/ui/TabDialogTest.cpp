#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "support/TestSupport.h"
#include "ui/ControlCanvas.h"
#include "ui/ControlsForm.h"
#include "ui/TabDialog.h"

#include <memory>

using testing_support::ControlsForm;
using testing_support::PrintClient;

namespace {
constexpr int kPages = 3;
constexpr UINT kTabIds[kPages] = {IDC_TEST_TAB_1, IDC_TEST_TAB_2, IDC_TEST_TAB_3};
constexpr COLORREF kSelectedGreen = RGB(0, 255, 0);

class TestTabDialog : public CTabDialog {
public:
    TestTabDialog() : CTabDialog(IDD_TEST_TAB_HOST) {}
    using CTabDialog::GetTabButton;
};

class TabDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_form.Open());
        ASSERT_TRUE(m_tabs.Create(IDD_TEST_TAB_HOST, &m_form));
    }
    void TearDown() override { m_form.DestroyWindow(); }

    // Pages and their tab buttons, added in tab order as a derived dialog does.
    void AddPages(int count = kPages)
    {
        for (int i = 0; i < count; ++i) {
            m_pages[i] = std::make_unique<CDialog>(IDD_TEST_PAGE);
            ASSERT_TRUE(m_pages[i]->Create(IDD_TEST_PAGE, &m_tabs));
            m_buttons[i] = std::make_unique<CShadeButtonST>();
            CRect rect(4 + i * 70, 2, 70 + i * 70, 24);
            ASSERT_TRUE(m_buttons[i]->Create("Tab", WS_VISIBLE | BS_PUSHBUTTON, rect, &m_tabs, kTabIds[i]));
            srand(1);
            m_buttons[i]->SetShade(CShadeButtonST::SHS_VBUMP, 8, 40, 5, 0, RGB(0xB4, 0xB4, 0xB4), kSelectedGreen);
            m_tabs.AddPage(m_pages[i].get(), m_buttons[i].get());
        }
    }

    void ClickTab(int i, WORD code = BN_CLICKED)
    {
        m_tabs.SendMessage(WM_COMMAND, MAKEWPARAM(kTabIds[i], code), reinterpret_cast<LPARAM>(m_buttons[i]->m_hWnd));
    }

    int VisiblePage() const
    {
        int visible = -1;
        for (int i = 0; i < kPages; ++i)
            if (m_pages[i] && (m_pages[i]->GetStyle() & WS_VISIBLE)) {
                if (visible >= 0) return -2;  // more than one
                visible = i;
            }
        return visible;
    }

    ControlsForm m_form;
    TestTabDialog m_tabs;
    std::unique_ptr<CDialog> m_pages[kPages];
    std::unique_ptr<CShadeButtonST> m_buttons[kPages];
};

int GreenPixels(const testing_support::ControlCanvas& c)
{
    return c.CountIf([](COLORREF p) { return GetGValue(p) > GetRValue(p) + 40 && GetGValue(p) > GetBValue(p) + 40; });
}
}  // namespace

TEST_F(TabDialog, PlacePagesShowsTheChosenPageInTheRectangleAndMarksItsTab)
{
    AddPages();
    m_tabs.PlacePages(10, 30, 410, 130, 99, 99, 1);
    EXPECT_EQ(1, VisiblePage());
    CRect rect;
    m_pages[0]->GetWindowRect(&rect);
    m_tabs.ScreenToClient(&rect);
    EXPECT_EQ(CRect(10, 30, 410, 130), rect);
    EXPECT_TRUE(m_buttons[1]->GetSelected());
    EXPECT_FALSE(m_buttons[0]->GetSelected());
    // The tab numbers count the buttons in the order they were added.
    EXPECT_EQ(2, m_buttons[2]->GetTabNumber());
}

TEST_F(TabDialog, ClickOnATabShowsOnlyItsPageAndDrawsItsButtonSelected)
{
    AddPages();
    m_tabs.PlacePages(10, 30, 410, 130, 0, 0, 0);
    ClickTab(2);
    EXPECT_EQ(2, VisiblePage());
    EXPECT_TRUE(m_buttons[2]->GetSelected());
    EXPECT_FALSE(m_buttons[0]->GetSelected());
    EXPECT_GT(GreenPixels(*PrintClient(*m_buttons[2])), 500);
    EXPECT_EQ(0, GreenPixels(*PrintClient(*m_buttons[0])));
    ClickTab(0);
    EXPECT_EQ(0, VisiblePage());
    EXPECT_FALSE(m_buttons[2]->GetSelected());
}

TEST_F(TabDialog, NotificationsOtherThanAClickSwitchNothing)
{
    AddPages();
    m_tabs.PlacePages(10, 30, 410, 130, 0, 0, 0);
    ClickTab(1, BN_SETFOCUS);
    EXPECT_EQ(0, VisiblePage());
    EXPECT_FALSE(m_buttons[1]->GetSelected());
}

TEST_F(TabDialog, ClickOnTheCurrentTabRunsTheWholeSwitch)
{
    AddPages();
    m_tabs.PlacePages(10, 30, 410, 130, 0, 0, 1);
    m_pages[1]->ShowWindow(SW_HIDE);
    m_pages[2]->ShowWindow(SW_SHOW);
    m_buttons[2]->SetSelected(TRUE);
    ClickTab(1);
    EXPECT_EQ(1, VisiblePage());
    EXPECT_FALSE(m_buttons[2]->GetSelected());
    EXPECT_TRUE(m_buttons[1]->GetSelected());
}

TEST_F(TabDialog, WithoutPagesAClickGoesToTheForwardedButtonsAndReachesTheParent)
{
    CShadeButtonST forwarded;
    ASSERT_TRUE(forwarded.SubclassDlgItem(IDC_TEST_FORWARDED, &m_tabs));
    m_tabs.AddForwardedButton(&forwarded);
    m_tabs.PlacePages(0, 0, 10, 10, 0, 0, 0);
    EXPECT_EQ(0, m_tabs.GetPageCount());

    m_tabs.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_FORWARDED, BN_CLICKED), reinterpret_cast<LPARAM>(forwarded.m_hWnd));
    ASSERT_EQ(1u, m_form.m_clicks.size());
    EXPECT_EQ(static_cast<UINT>(IDC_TEST_FORWARDED), m_form.m_clicks[0]);
    EXPECT_EQ(m_tabs.m_hWnd, ::GetParent(forwarded.m_hWnd));

    // A click of any other button is left alone.
    CButton stray;
    ASSERT_TRUE(stray.Create("x", WS_VISIBLE, CRect(0, 0, 10, 10), &m_tabs, 555));
    m_tabs.SendMessage(WM_COMMAND, MAKEWPARAM(555, BN_CLICKED), reinterpret_cast<LPARAM>(stray.m_hWnd));
    EXPECT_EQ(1u, m_form.m_clicks.size());
}

TEST_F(TabDialog, TabNumbersCountTheForwardedButtonsAddedBefore)
{
    CShadeButtonST forwarded;
    ASSERT_TRUE(forwarded.SubclassDlgItem(IDC_TEST_FORWARDED, &m_tabs));
    m_tabs.AddForwardedButton(&forwarded);
    AddPages(2);
    EXPECT_EQ(1, m_buttons[0]->GetTabNumber());
    EXPECT_EQ(2, m_buttons[1]->GetTabNumber());
}
