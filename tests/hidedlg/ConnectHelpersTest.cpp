// The small operations the connect queue and the 802.1X callback use.
#include "HideDlgFixture.h"

#include <utility>

using namespace hidedlg_testing;

namespace {
class ConnectHelpers : public HideDlgFixture {};
}  // namespace

TEST_F(ConnectHelpers, RetryCountStopsAndStartsOverAtItsLimit)
{
    int count = CHideDlg::kRetryCountLimit - 1;
    EXPECT_TRUE(CHideDlg::CheckRetryCount(&count));
    EXPECT_EQ(CHideDlg::kRetryCountLimit - 1, count);
    count = CHideDlg::kRetryCountLimit;
    EXPECT_FALSE(CHideDlg::CheckRetryCount(&count));
    EXPECT_EQ(0, count);
    EXPECT_TRUE(CHideDlg::CheckRetryCount(&count));
}

// Only single sign-on in mode "2" opens the configuration window before the connection.
TEST_F(ConnectHelpers, SingleSignOnPromptsOnlyInModeTwo)
{
    CHideDlg& d = Start("[World]\nOsCode=8\n");
    ASSERT_NE(nullptr, d.m_pQxUI);
    struct Case {
        LONG enabled, mode;
        bool shown;
    } cases[] = {{1, 2, true}, {1, 1, false}, {0, 2, false}, {1, 22, false}};
    // The main window's own password prompt would wait for an answer: these cases are about
    // the window being shown, so the window is given none (the prompt is AuthFlowTest's).
    CPeapSettingDlg* prompt = std::exchange(CKelvoPageUIDlg::From(d.m_pQxUI)->m_pPeapSettingDlg, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.enabled << "/" << c.mode);
        CKelvoPageUIDlg::From(d.m_pQxUI)->ShowWindow(SW_HIDE);
        sim.Set("SsoEnabled", c.enabled);
        sim.Set("SsoMode", c.mode);
        EXPECT_EQ(0, d.PromptSsoBeforeConnect());  // no PEAP prompt to show in this window
        EXPECT_EQ(c.shown, CKelvoPageUIDlg::From(d.m_pQxUI)->IsWindowVisible() != FALSE);
    }
    CKelvoPageUIDlg::From(d.m_pQxUI)->m_pPeapSettingDlg = prompt;
}
