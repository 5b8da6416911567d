#include "skin/KelvoWizardPage.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "core/QxUI2008App.h"
#include "skin/KelvoPageSecurityTypeDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/SecurityWizard.h"
#include "station/TextWithNumber.h"

#include <algorithm>
#include <cstring>

namespace {
}  // namespace

BEGIN_MESSAGE_MAP(CKelvoWizardPage, CSkinnedPage)
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_WIZARD_BACK, OnBackClicked)
    ON_BN_CLICKED(IDC_WIZARD_NEXT, OnNextClicked)
    ON_BN_CLICKED(IDC_WIZARD_EXIT, OnExitClicked)
    ON_CONTROL_RANGE(EN_MAXTEXT, IDC_WIZARD_TITLE, IDC_WIZARD_LAST_CONTROL, OnEditFull)
END_MESSAGE_MAP()

CString SelectedText(const CComboBox& combo)
{
    CString text;
    const int sel = combo.m_hWnd ? combo.GetCurSel() : CB_ERR;
    if (sel != CB_ERR) combo.GetLBText(sel, text);
    return text;
}

BOOL CKelvoWizardPage::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_look.Apply(*this, IDC_WIZARD_TITLE, {});
    SetText(IDC_WIZARD_TITLE, G_LangTable.IDS_LAB_SECSET_PAGE);
    m_look.SkinButton(*this, IDC_WIZARD_BACK, CSkinnedPageLook::kBackButton);
    // The summary's Next stores: the skin's Save pair says so.
    m_look.SkinButton(*this, IDC_WIZARD_NEXT, SavesOnNext() ? CSkinnedPageLook::kSaveButton : CSkinnedPageLook::kNextButton);
    m_look.SkinButton(*this, IDC_WIZARD_EXIT, CSkinnedPageLook::kExitButton);
    SetUpPage();
    return TRUE;
}

void CKelvoWizardPage::LimitEdit(UINT id, int maxChars)
{
    SendDlgItemMessage(static_cast<int>(id), EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
}

void CKelvoWizardPage::OnEditFull(UINT id)
{
    // The edit says so at every key pressed while it is full: the box comes once a showing,
    // further keys get a beep.
    if (!m_editsToldFull.insert(id).second) {
        ::MessageBeep(MB_OK);
        return;
    }
    const int limit = static_cast<int>(SendDlgItemMessage(static_cast<int>(id), EM_GETLIMITTEXT, 0, 0));
    ShowProductMessageBox(TextWithNumber(G_LangTable.IDS_MSG_TEXT_TOO_LONG, limit));
}

void CKelvoWizardPage::SetText(UINT id, const CString& text)
{
    if (CWnd* item = GetDlgItem(id)) item->SetWindowText(text);
}

void CKelvoWizardPage::SetLabels(std::initializer_list<UINT> ids)
{
    for (UINT id : ids) m_look.AddLabel(*this, id);
}

void CKelvoWizardPage::OnShowWindow(BOOL bShow, UINT)
{
    Default();
    if (!bShow) return;
    m_editsToldFull.clear();
    OnShowPage();
}

void CKelvoWizardPage::TakeRoadFlags()
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (main && main->m_pPageSecurityTypeDlg) {
        bUseProfileEditor = main->m_pPageSecurityTypeDlg->bUseProfileEditor;
        bAdhoc = main->m_pPageSecurityTypeDlg->bAdhoc;
    }
}

void CKelvoWizardPage::OnBack()
{
    WizardBack(*this);
}

void CKelvoWizardPage::OnExit()
{
    WizardExit(*this);
}
