#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "support/TestSupport.h"
#include "ui/DesktopMetrics.h"
#include "ui/ResizeDlg.h"
#include "../framework/TestDialogs.h"

namespace {
class SmallDesktop : public ::testing::Test {
protected:
    void TearDown() override { SetDesktopBottomSource(nullptr); }

    static std::string FontFace(CWnd& wnd)
    {
        LOGFONTA lf{};
        ::GetObjectA(reinterpret_cast<HFONT>(wnd.SendMessage(WM_GETFONT)), sizeof lf, &lf);
        return lf.lfFaceName;
    }
};

class ProbeDialog : public CResizeDlg {
public:
    ProbeDialog() : CResizeDlg(IDD_TEST_FORM) {}
};
}  // namespace

TEST_F(SmallDesktop, BelowTheThresholdTheTemplateTakesTheSmallFont)
{
    SetDesktopBottomSource([] { return 659; });
    ProbeDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    EXPECT_EQ(CResizeDlg::kSmallFontFace, FontFace(dlg));
    // Every control is still there and bound to the new font.
    EXPECT_NE(nullptr, ::GetDlgItem(dlg.m_hWnd, IDC_TEST_COMBO));
    EXPECT_EQ(CResizeDlg::kSmallFontFace, FontFace(*dlg.GetDlgItem(IDC_TEST_NAME)));
    dlg.DestroyWindow();
}

TEST_F(SmallDesktop, AtTheThresholdTheTemplateIsUnchanged)
{
    SetDesktopBottomSource([] { return 660; });
    ProbeDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    EXPECT_EQ("MS Shell Dlg", FontFace(dlg));
    dlg.DestroyWindow();
}

TEST_F(SmallDesktop, MissingTemplateCreatesNothing)
{
    SetDesktopBottomSource([] { return 400; });
    testing_support::MessageBoxCapture boxes;
    ProbeDialog dlg;
    EXPECT_FALSE(dlg.Create(4711));
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(0u, boxes.Count());
}

TEST(IgnoreOkCancel, EnterAndEscNeverCloseTheDialog)
{
    ProbeDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    InstallIgnoreOkCancel(&dlg);
    dlg.ShowWindow(SW_SHOW);
    dlg.SendMessage(WM_COMMAND, IDOK, 0);
    dlg.SendMessage(WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(dlg.IsWindowVisible());
    dlg.DestroyWindow();
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}
