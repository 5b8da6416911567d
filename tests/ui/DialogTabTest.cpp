#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "support/TestSupport.h"
#include "ui/ControlsForm.h"
#include "ui/DialogTab.h"
#include "ui/ResizeDlg.h"

using testing_support::ControlsForm;

namespace {
int g_livePages = 0;

class CTestPage : public CResizeDlg {
    DECLARE_DYNCREATE(CTestPage)
public:
    CTestPage() : CResizeDlg(IDD_TEST_PAGE) { ++g_livePages; }
    ~CTestPage() override { --g_livePages; }
};
IMPLEMENT_DYNCREATE(CTestPage, CResizeDlg)

class CNotAPage : public CObject {
    DECLARE_DYNCREATE(CNotAPage)
};
IMPLEMENT_DYNCREATE(CNotAPage, CObject)

class DialogTab : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_form.Open());
        m_tab = std::make_unique<CDialogTab>();
        m_tab->SetHostWindow(&m_form);
        m_tab->SetPageRect(10, 20, 310, 120);
    }
    void TearDown() override
    {
        m_tab.reset();
        m_form.DestroyWindow();
    }

    CDialog* Register()
    {
        CDialog* page = nullptr;
        EXPECT_EQ(1, m_tab->RegisterPage(&page, IDD_TEST_PAGE, RUNTIME_CLASS(CTestPage)));
        return page;
    }

    static bool OnlyVisible(const CDialogTab& tab, const CDialog* page)
    {
        for (CDialog* p : tab.Pages())
            if (((p->GetStyle() & WS_VISIBLE) != 0) != (p == page)) return false;
        return true;
    }

    ControlsForm m_form;
    std::unique_ptr<CDialogTab> m_tab;
};
}  // namespace

TEST_F(DialogTab, RegisteredPagesAreCreatedHiddenInThePageRectangle)
{
    CDialog* page = Register();
    ASSERT_NE(nullptr, page);
    EXPECT_TRUE(page->IsKindOf(RUNTIME_CLASS(CTestPage)));
    EXPECT_EQ(m_form.m_hWnd, ::GetParent(page->m_hWnd));
    EXPECT_FALSE(page->GetStyle() & WS_VISIBLE);
    CRect rect;
    page->GetWindowRect(&rect);
    m_form.ScreenToClient(&rect);
    EXPECT_EQ(CRect(10, 20, 310, 120), rect);
}

TEST_F(DialogTab, RegisteringWithoutAHostOrADialogClassCreatesNothing)
{
    CDialogTab alone;
    CDialog* untouched = reinterpret_cast<CDialog*>(0x1);
    const int live = g_livePages;
    EXPECT_EQ(0, alone.RegisterPage(&untouched, IDD_TEST_PAGE, RUNTIME_CLASS(CTestPage)));
    EXPECT_EQ(reinterpret_cast<CDialog*>(0x1), untouched);
    EXPECT_EQ(live, g_livePages);

    EXPECT_EQ(0, m_tab->RegisterPage(&untouched, IDD_TEST_PAGE, RUNTIME_CLASS(CNotAPage)));
    EXPECT_EQ(reinterpret_cast<CDialog*>(0x1), untouched);
    // A template that does not exist: the object goes again.
    CDialog* page = nullptr;
    EXPECT_EQ(0, m_tab->RegisterPage(&page, 4711, RUNTIME_CLASS(CTestPage)));
    EXPECT_EQ(nullptr, page);
    EXPECT_EQ(live, g_livePages);
    EXPECT_TRUE(m_tab->Pages().IsEmpty());
}

TEST_F(DialogTab, ShowPageShowsOneAndHidesTheRest)
{
    CDialog* a = Register();
    CDialog* b = Register();
    Register();
    EXPECT_EQ(1, m_tab->ShowPage(b));
    EXPECT_TRUE(OnlyVisible(*m_tab, b));
    EXPECT_EQ(1, m_tab->ShowPage(a));
    EXPECT_TRUE(OnlyVisible(*m_tab, a));
    EXPECT_EQ(0, m_tab->ShowPage(nullptr));
    EXPECT_TRUE(OnlyVisible(*m_tab, nullptr));
    CTestPage stranger;
    EXPECT_EQ(0, m_tab->ShowPage(&stranger));
}

TEST_F(DialogTab, BackStackReturnsToThePagesTheUserCameFrom)
{
    CDialog* home = Register();
    CDialog* list = Register();
    CDialog* detail = Register();
    m_tab->ShowPage(home);
    // forward twice
    m_tab->PushPageHistory(home);
    m_tab->ShowPage(list);
    m_tab->PushPageHistory(list);
    m_tab->ShowPage(detail);
    // back
    EXPECT_EQ(1, m_tab->ShowPage(m_tab->PopPageHistory()));
    EXPECT_TRUE(OnlyVisible(*m_tab, list));
    EXPECT_EQ(1, m_tab->ShowPage(m_tab->PopPageHistory()));
    EXPECT_TRUE(OnlyVisible(*m_tab, home));
    // nothing left: every page hides
    EXPECT_EQ(nullptr, m_tab->PopPageHistory());
    EXPECT_EQ(0, m_tab->ShowPage(m_tab->PopPageHistory()));
    EXPECT_TRUE(OnlyVisible(*m_tab, nullptr));
}

TEST_F(DialogTab, HomeReturnsTheFirstPageAndEmptiesTheStack)
{
    CDialog* a = Register();
    CDialog* b = Register();
    CDialog* c = Register();
    m_tab->PushPageHistory(a);
    m_tab->PushPageHistory(b);
    m_tab->PushPageHistory(c);
    EXPECT_EQ(a, m_tab->ResetPageHistory());
    EXPECT_EQ(0, m_tab->GetHistoryCount());
    EXPECT_EQ(nullptr, m_tab->ResetPageHistory());
}

TEST_F(DialogTab, ThePageTwicePushedIsPoppedTwice)
{
    CDialog* a = Register();
    CDialog* b = Register();
    m_tab->PushPageHistory(a);
    m_tab->PushPageHistory(b);
    m_tab->PushPageHistory(b);
    EXPECT_EQ(b, m_tab->PopPageHistory());
    EXPECT_EQ(b, m_tab->PopPageHistory());
    EXPECT_EQ(a, m_tab->PopPageHistory());
}

TEST_F(DialogTab, DestroyingPagesKeepsTheObjectsAndTheContainerDeletesThem)
{
    const int live = g_livePages;
    CDialog* a = Register();
    Register();
    EXPECT_EQ(live + 2, g_livePages);
    m_tab->DestroyAllPages();
    EXPECT_EQ(nullptr, a->m_hWnd);
    EXPECT_EQ(2, m_tab->Pages().GetSize());
    EXPECT_EQ(live + 2, g_livePages);
    EXPECT_EQ(0, m_tab->ShowPage(a));
    m_tab.reset();
    EXPECT_EQ(live, g_livePages);
}
