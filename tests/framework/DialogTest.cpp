#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "support/TestSupport.h"
#include "TestDialogs.h"

#include <thread>

using testing_support::MessageBoxCapture;

namespace {
constexpr UINT_PTR kEndTimer = 3;

class FormDialog : public CDialog {
public:
    FormDialog() : CDialog(IDD_TEST_FORM) {}

    CString m_name;
    int m_count = 0;
    int m_checked = 0;
    int m_radio = -1;
    int m_endInInit = 0;        // when non-zero, OnInitDialog ends the dialog with it
    int m_endByTimer = 0;       // when non-zero, a timer ends the dialog with it
    bool m_nestedModal = false; // the timer first runs a second modal dialog
    int m_nestedResult = 0;
    int m_initCalls = 0;

    BOOL OnInitDialog() override
    {
        ++m_initCalls;
        CDialog::OnInitDialog();
        if (m_endInInit) {
            EndDialog(m_endInInit);
            return FALSE;
        }
        if (m_endByTimer) SetTimer(kEndTimer, 10);
        return TRUE;
    }

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_TEST_NAME, m_name);
        DDV_MaxChars(pDX, m_name, 32);
        DDX_Text(pDX, IDC_TEST_COUNT, m_count);
        DDX_Check(pDX, IDC_TEST_CHECK, m_checked);
        DDX_Radio(pDX, IDC_TEST_RADIO1, m_radio);
    }

protected:
    void OnTimer(UINT_PTR id)
    {
        if (id != kEndTimer) return;
        KillTimer(kEndTimer);
        if (m_nestedModal) {
            FormDialog inner;
            inner.m_endByTimer = 21;
            m_nestedResult = static_cast<int>(inner.DoModal());
        }
        EndDialog(m_endByTimer);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FormDialog, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()
}  // namespace

TEST(ModalDialog, EndDialogInsideOnInitDialogReturnsWithoutRunningTheLoop)
{
    FormDialog dlg;
    dlg.m_endInInit = 1;
    EXPECT_EQ(1, dlg.DoModal());
    EXPECT_EQ(1, dlg.m_initCalls);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(ModalDialog, TimerInTheMapEndsTheLoopWithItsResult)
{
    FormDialog dlg;
    dlg.m_endByTimer = 42;
    EXPECT_EQ(42, dlg.DoModal());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
}

TEST(ModalDialog, NestedModalDialogEndsItsOwnLoopOnly)
{
    FormDialog outer;
    outer.m_endByTimer = 9;
    outer.m_nestedModal = true;
    EXPECT_EQ(9, outer.DoModal());
    EXPECT_EQ(21, outer.m_nestedResult);
}

TEST(ModalDialog, MissingTemplateAnswersMinusOne)
{
    CDialog dlg(4242);
    EXPECT_EQ(-1, dlg.DoModal());
}

TEST(ModalLoop, EndedFromAnotherThreadWhileThisThreadWaits)
{
    FormDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    std::thread ender([&] {
        // The test thread takes sent messages only inside the loop: once one is answered, it runs.
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutA(dlg.m_hWnd, WM_NULL, 0, 0, SMTO_NORMAL, testing_support::kWaitBoundMs, &ignored);
        dlg.EndModalLoop(5);
    });
    EXPECT_EQ(5, dlg.RunModalLoop(0));
    ender.join();
    dlg.DestroyWindow();
}

class DataExchange : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dlg.Create(IDD_TEST_FORM)); }
    void TearDown() override { dlg.DestroyWindow(); }
    CString Text(int id) { CString s; dlg.GetDlgItemText(id, s); return s; }
    FormDialog dlg;
};

TEST_F(DataExchange, MembersRoundTripThroughTheControls)
{
    dlg.m_name = "Office";
    dlg.m_count = -12;
    dlg.m_checked = 1;
    dlg.m_radio = 2;
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_STREQ("Office", Text(IDC_TEST_NAME));
    EXPECT_STREQ("-12", Text(IDC_TEST_COUNT));
    EXPECT_EQ(BST_CHECKED, dlg.IsDlgButtonChecked(IDC_TEST_CHECK));
    EXPECT_EQ(BST_CHECKED, dlg.IsDlgButtonChecked(IDC_TEST_RADIO3));
    EXPECT_EQ(BST_UNCHECKED, dlg.IsDlgButtonChecked(IDC_TEST_RADIO1));

    dlg.SetDlgItemText(IDC_TEST_NAME, "Home");
    dlg.SetDlgItemText(IDC_TEST_COUNT, " 7 ");
    dlg.CheckDlgButton(IDC_TEST_CHECK, BST_UNCHECKED);
    dlg.CheckRadioButton(IDC_TEST_RADIO1, IDC_TEST_RADIO3, IDC_TEST_RADIO1);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_STREQ("Home", dlg.m_name);
    EXPECT_EQ(7, dlg.m_count);
    EXPECT_EQ(0, dlg.m_checked);
    EXPECT_EQ(0, dlg.m_radio);
}

TEST_F(DataExchange, ABadIntegerFailsWithOneMessageAndKeepsTheMember)
{
    MessageBoxCapture boxes;
    dlg.m_count = 3;
    dlg.SetDlgItemText(IDC_TEST_COUNT, "12abc");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(3, dlg.m_count);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Please enter an integer.", boxes.Boxes()[0].text);
}

TEST_F(DataExchange, TooLongTextIsRefusedAndLimitIsSetWhenLoading)
{
    MessageBoxCapture boxes;
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(32, dlg.SendDlgItemMessage(IDC_TEST_NAME, EM_GETLIMITTEXT));
    dlg.SendDlgItemMessage(IDC_TEST_NAME, EM_LIMITTEXT, 100);
    dlg.SetDlgItemText(IDC_TEST_NAME, std::string(40, 'n').c_str());
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(1u, boxes.Count());
}

TEST_F(DataExchange, OneControlAloneLeavesTheOthersUntouched)
{
    dlg.SetDlgItemText(IDC_TEST_NAME, "Only");
    dlg.SetDlgItemText(IDC_TEST_COUNT, "not a number");
    dlg.m_count = 11;
    EXPECT_TRUE(dlg.UpdateData(TRUE, IDC_TEST_NAME));
    EXPECT_STREQ("Only", dlg.m_name);
    EXPECT_EQ(11, dlg.m_count);
}

TEST_F(DataExchange, NoRadioCheckedGivesMinusOne)
{
    dlg.m_radio = 1;
    dlg.CheckRadioButton(IDC_TEST_RADIO1, IDC_TEST_RADIO3, 0);
    for (int id = IDC_TEST_RADIO1; id <= IDC_TEST_RADIO3; ++id) dlg.CheckDlgButton(id, BST_UNCHECKED);
    dlg.SetDlgItemText(IDC_TEST_COUNT, "0");
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(-1, dlg.m_radio);
}

TEST(MessageBoxHook, BoxesAreSeenAndAnsweredInsteadOfShown)
{
    MessageBoxCapture boxes(IDNO);
    boxes.QueueAnswer(IDYES);
    EXPECT_EQ(IDYES, AfxMessageBox("First?", MB_YESNO));
    EXPECT_EQ(IDNO, AfxMessageBox("Second?", MB_YESNO));
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_STREQ("Second?", boxes.Boxes()[1].text);
    EXPECT_EQ(static_cast<UINT>(MB_YESNO), boxes.Boxes()[1].type);
}

namespace {
// A dialog that makes a window of its own while it initialises, as the pages and main window do.
class NestingDialog : public CDialog {
public:
    NestingDialog() : CDialog(IDD_TEST_FORM) {}
    CStatic m_extra;
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_extra.Create("extra", WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 12), this, kExtraId);
        return TRUE;
    }
    static constexpr UINT kExtraId = 990;
};
}  // namespace

TEST(DialogCreation, EachWindowIsBoundToItsOwnObjectAndTheTemplatesControlsToNone)
{
    NestingDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TEST_FORM));
    EXPECT_EQ(&dlg, CWnd::FromHandlePermanent(dlg.m_hWnd));
    ASSERT_TRUE(dlg.m_extra.m_hWnd);
    EXPECT_EQ(&dlg.m_extra, CWnd::FromHandlePermanent(dlg.m_extra.m_hWnd));
    EXPECT_EQ(dlg.m_hWnd, ::GetParent(dlg.m_extra.m_hWnd));
    // Plain controls of the template belong to no object until data exchange takes them.
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(::GetDlgItem(dlg.m_hWnd, IDC_TEST_CHECK)));

    // A window made afterwards is bound again.
    CStatic later;
    ASSERT_TRUE(later.Create("later", WS_CHILD, CRect(0, 20, 40, 32), &dlg, 991));
    EXPECT_EQ(&later, CWnd::FromHandlePermanent(later.m_hWnd));
    dlg.DestroyWindow();
}
