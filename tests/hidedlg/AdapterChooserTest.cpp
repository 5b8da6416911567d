#include <gtest/gtest.h>
#include "base/LanguageTable.h"
#include "core/MessageBoxDlg.h"
#include "core/SelCardDlg.h"
#include "support/TestSupport.h"

#include <cstring>
#include <vector>

namespace {
ADAPTER_ENTRY Adapter(const char* name, const char* device, const char* third, const char* fourth)
{
    ADAPTER_ENTRY entry{};
    strcpy(entry.chName, name);
    strcpy(entry.chDeviceID, device);
    strcpy(entry.chText776, third);
    strcpy(entry.chText1032, fourth);
    return entry;
}

class AdapterChooser : public ::testing::Test {
protected:
    void SetUp() override
    {
        adapters = {Adapter("Quixen USB 300", "USB\\VID_1", "Port 3", "Quixen"),
                    Adapter("Quixen PCIe N", "PCI\\VEN_2", "Slot 1", "Quixen Corp")};
    }
    void TearDown() override { AfxSetModalDialogHook(nullptr); }

    // Runs the chooser; act drives it once it is up.
    int Run(const std::function<void(CSelCardDlg&)>& act)
    {
        CSelCardDlg dlg(nullptr);
        dlg.SetAdapterList(adapters.data(), static_cast<int>(adapters.size()));
        AfxSetModalDialogHook([&](CDialog& shown) { act(static_cast<CSelCardDlg&>(shown)); });
        dlg.DoModal();
        return dlg.m_nSelectedIndex;
    }
    static CString Text(CWnd& dlg, int id) { CString s; dlg.GetDlgItemText(id, s); return s; }

    std::vector<ADAPTER_ENTRY> adapters;
};
}  // namespace

TEST_F(AdapterChooser, ListsBothAdaptersWithTheFirstSelectedAndItsTexts)
{
    Run([&](CSelCardDlg& dlg) {
        CComboBox* combo = static_cast<CComboBox*>(dlg.GetDlgItem(IDC_SELCARD_COMBO));
        EXPECT_EQ(2, combo->GetCount());
        EXPECT_EQ(0, combo->GetCurSel());
        CString line;
        combo->GetLBText(1, line);
        EXPECT_STREQ("Quixen PCIe N", line);
        EXPECT_STREQ("Quixen USB 300", Text(dlg, IDC_SELCARD_NAME));
        EXPECT_STREQ("USB\\VID_1", Text(dlg, IDC_SELCARD_DEVICE_ID));
        EXPECT_STREQ("Port 3", Text(dlg, IDC_SELCARD_TEXT3));
        EXPECT_STREQ("Quixen", Text(dlg, IDC_SELCARD_TEXT4));
        dlg.EndDialog(IDCANCEL);
    });
}

TEST_F(AdapterChooser, ChoosingTheSecondLineShowsItsTextsAndOkReturnsIt)
{
    int index = Run([&](CSelCardDlg& dlg) {
        CWnd* combo = dlg.GetDlgItem(IDC_SELCARD_COMBO);
        combo->SendMessage(CB_SETCURSEL, 1);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SELCARD_COMBO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo->m_hWnd));
        EXPECT_STREQ("Quixen PCIe N", Text(dlg, IDC_SELCARD_NAME));
        EXPECT_STREQ("Slot 1", Text(dlg, IDC_SELCARD_TEXT3));
        dlg.SendMessage(WM_COMMAND, IDOK);
    });
    EXPECT_EQ(1, index);
}

TEST_F(AdapterChooser, EscapeLeavesTheFirstAdapter)
{
    int index = Run([&](CSelCardDlg& dlg) {
        dlg.GetDlgItem(IDC_SELCARD_COMBO)->SendMessage(CB_SETCURSEL, 1);
        dlg.SendMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(0, index);
}

TEST_F(AdapterChooser, UnterminatedLibraryTextsAreReadOnlyWithinTheirFields)
{
    memset(adapters[0].chName, 'A', sizeof adapters[0].chName);  // no terminator: runs into chDeviceID
    Run([&](CSelCardDlg& dlg) {
        EXPECT_EQ(64, Text(dlg, IDC_SELCARD_NAME).GetLength());
        dlg.EndDialog(IDOK);
    });
}

TEST(MessageDialog, OkButtonReadsTheLanguageTextAndTheCaptionStays)
{
    G_LangTable.IDS_OK = "Fine";
    CMessageBoxDlg dlg(nullptr);
    dlg.m_strMessage = "The radio is off.";
    AfxSetModalDialogHook([](CDialog& shown) {
        CString caption, button, message;
        shown.GetWindowText(caption);
        shown.GetDlgItemText(IDOK, button);
        shown.GetDlgItemText(IDC_MESSAGE_TEXT, message);
        EXPECT_STREQ("QxUI", caption);
        EXPECT_STREQ("Fine", button);
        EXPECT_STREQ("The radio is off.", message);
        shown.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(shown.GetDlgItem(IDOK)->m_hWnd));
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    AfxSetModalDialogHook(nullptr);
}
