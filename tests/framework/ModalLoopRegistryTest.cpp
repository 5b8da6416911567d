// A teardown asked for inside nested modal loops (a dialog's, and a real message box's above it)
// waits: the loops are ended as their Cancel would end them, nothing opens meanwhile, and the
// teardown's message arrives once the home dialog's own loop is the innermost again.
#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "support/TestSupport.h"
#include "TestDialogs.h"

namespace {
constexpr UINT MSG_TEARDOWN = WM_APP + 7;
constexpr UINT_PTR kOpenInner = 1, kAskForTeardown = 2, kRescue = 3;
constexpr char kBoxText[] = "Under the teardown";

class InnerDialog : public CDialog {
public:
    explicit InnerDialog(CWnd* home) : CDialog(IDD_TEST_FORM), m_home(home) {}
    int m_boxAnswer = 0, m_laterBoxAnswer = 0;
    INT_PTR m_laterDialogAnswer = 0;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        PostMessage(WM_APP);
        return TRUE;
    }
    // A handler that shows a box; the home's timer comes inside the box's own loop.
    LRESULT OnShowBox(WPARAM, LPARAM)
    {
        m_home->SetTimer(kAskForTeardown, 1);
        m_boxAnswer = AfxShowMessageBox(m_hWnd, kBoxText, "test", MB_OK);
        // The cancel road goes on, and finds nothing opening.
        m_laterBoxAnswer = AfxShowMessageBox(m_hWnd, "later", "test", MB_OKCANCEL);
        CDialog another(IDD_TEST_FORM);
        m_laterDialogAnswer = another.DoModal();
        return 0;
    }
    DECLARE_MESSAGE_MAP()

private:
    CWnd* m_home;
};

BEGIN_MESSAGE_MAP(InnerDialog, CDialog)
    ON_MESSAGE(WM_APP, OnShowBox)
END_MESSAGE_MAP()

class HomeDialog : public CDialog {
public:
    HomeDialog() : CDialog(IDD_TEST_FORM), m_inner(this) {}
    InnerDialog m_inner;
    INT_PTR m_innerResult = 0;
    int m_depthWhenAsked = 0, m_depthAtTeardown = 0;
    bool m_askAnswered = true, m_arrivedBeforeInnerEnded = false, m_runsAtArrival = false, m_rescued = false;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetTimer(kOpenInner, 1);
        return TRUE;
    }
    void OnTimer(UINT_PTR id)
    {
        KillTimer(id);
        if (id == kOpenInner) {
            m_innerResult = m_inner.DoModal();
        } else if (id == kAskForTeardown) {
            m_depthWhenAsked = CModalLoopRegistry::Depth();
            m_askAnswered = CModalLoopRegistry::RequestTeardown(m_hWnd, m_hWnd, MSG_TEARDOWN, 0, 0);
            SetTimer(kRescue, testing_support::kWaitBoundMs);
        } else if (id == kRescue) {
            // Something was not ended: end every dialog, so that the test fails instead of hanging.
            m_rescued = true;
            ::EnumThreadWindows(::GetCurrentThreadId(), EndOneDialog, 0);
            SetTimer(kRescue, 100);
        }
    }
    static BOOL CALLBACK EndOneDialog(HWND window, LPARAM)
    {
        if (auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(window))) dialog->EndDialog(IDABORT);
        else ::EndDialog(window, IDABORT);
        return TRUE;
    }
    LRESULT OnTeardown(WPARAM, LPARAM)
    {
        m_arrivedBeforeInnerEnded = m_innerResult == 0;
        m_depthAtTeardown = CModalLoopRegistry::Depth();
        m_runsAtArrival = CModalLoopRegistry::RequestTeardown(m_hWnd, m_hWnd, MSG_TEARDOWN, 0, 0);
        KillTimer(kRescue);
        EndDialog(IDOK);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HomeDialog, CDialog)
    ON_WM_TIMER()
    ON_MESSAGE(MSG_TEARDOWN, OnTeardown)
END_MESSAGE_MAP()
}  // namespace

TEST(ModalLoopRegistry, TeardownAskedInsideTwoNestedLoopsRunsAfterBothEndedAsCancelled)
{
    HomeDialog home;
    EXPECT_EQ(IDOK, home.DoModal());

    EXPECT_FALSE(home.m_rescued);
    EXPECT_EQ(3, home.m_depthWhenAsked);  // the home's loop, the inner dialog's, the box's
    EXPECT_FALSE(home.m_askAnswered);
    // Ended from the innermost out, as Cancel: the OK box by its button, the dialog with IDCANCEL.
    EXPECT_EQ(IDOK, home.m_inner.m_boxAnswer);
    EXPECT_EQ(IDCANCEL, home.m_innerResult);
    // What the cancel road asked for meanwhile was answered as cancelled and never opened.
    EXPECT_EQ(IDCANCEL, home.m_inner.m_laterBoxAnswer);
    EXPECT_EQ(IDCANCEL, home.m_inner.m_laterDialogAnswer);
    // The teardown came back once only the home's own loop ran, and could run then.
    EXPECT_FALSE(home.m_arrivedBeforeInnerEnded);
    EXPECT_EQ(1, home.m_depthAtTeardown);
    EXPECT_TRUE(home.m_runsAtArrival);
    EXPECT_FALSE(CModalLoopRegistry::TeardownWaits());
    EXPECT_EQ(0, CModalLoopRegistry::Depth());
}
