// A teardown asked for inside nested modal loops (a dialog's, and a real message box's above it)
// waits: the loops are ended as their Cancel would end them, nothing opens meanwhile, and the
// teardown's message arrives once the home dialog's own loop is the innermost again.
#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "support/TestSupport.h"
#include "TestDialogs.h"

namespace {
using testing_support::RunFromTheLoop;
constexpr UINT MSG_TEARDOWN = WM_APP + 7;

class HomeDialog : public CDialog {
public:
    HomeDialog() : CDialog(IDD_TEST_FORM) {}
    std::function<void()> teardown;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == MSG_TEARDOWN) teardown();
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

BOOL CALLBACK EndEveryDialog(HWND window, LPARAM)
{
    ::EndDialog(window, IDABORT);
    return TRUE;
}
}  // namespace

TEST(ModalLoopRegistry, TeardownAskedInsideTwoNestedLoopsRunsAfterBothEndedAsCancelled)
{
    INT_PTR innerResult = 0, laterDialogAnswer = 0;
    int depthWhenAsked = 0, boxAnswer = 0, laterBoxAnswer = 0, depthAtTeardown = 0;
    bool askAnswered = true, runsAtArrival = false;
    HomeDialog home;
    CDialog inner(IDD_TEST_FORM);
    // Each step runs inside the loop the step before it opened.
    const RunFromTheLoop openInner([&] {
        const RunFromTheLoop showBox([&] {
            const RunFromTheLoop ask([&] {
                depthWhenAsked = CModalLoopRegistry::Depth();
                askAnswered = CModalLoopRegistry::RequestTeardown(home.m_hWnd, home.m_hWnd, MSG_TEARDOWN, 0, 0);
            });
            boxAnswer = AfxShowMessageBox(inner.m_hWnd, "Under the teardown", "test", MB_OK);
            // The cancel road goes on, and finds nothing opening.
            laterBoxAnswer = AfxShowMessageBox(inner.m_hWnd, "later", "test", MB_OKCANCEL);
            laterDialogAnswer = CDialog(IDD_TEST_FORM).DoModal();
        });
        innerResult = inner.DoModal();
    });
    home.teardown = [&] {
        depthAtTeardown = CModalLoopRegistry::Depth();
        runsAtArrival = CModalLoopRegistry::RequestTeardown(home.m_hWnd, home.m_hWnd, MSG_TEARDOWN, 0, 0);
        home.EndDialog(IDOK);
    };
    // A loop left running ends every dialog: the test fails instead of hanging.
    const RunFromTheLoop rescue([] { ::EnumThreadWindows(::GetCurrentThreadId(), EndEveryDialog, 0); },
                                testing_support::kWaitBoundMs);
    EXPECT_EQ(IDOK, home.DoModal());

    EXPECT_EQ(3, depthWhenAsked);  // the home's loop, the inner dialog's, the box's
    EXPECT_FALSE(askAnswered);
    // Ended from the innermost out, as Cancel: the OK box by its button, the dialog with IDCANCEL.
    EXPECT_EQ(IDOK, boxAnswer);
    EXPECT_EQ(IDCANCEL, innerResult);
    // What the cancel road asked for meanwhile was answered as cancelled and never opened.
    EXPECT_EQ(IDCANCEL, laterBoxAnswer);
    EXPECT_EQ(IDCANCEL, laterDialogAnswer);
    // The teardown came back once only the home's own loop ran, and could run then.
    EXPECT_EQ(1, depthAtTeardown);
    EXPECT_TRUE(runsAtArrival);
    EXPECT_FALSE(CModalLoopRegistry::TeardownWaits());
    EXPECT_EQ(0, CModalLoopRegistry::Depth());
}
