// Security wizard: the summary page; its Next is Save.
#pragma once
#include "skin/KelvoWizardPage.h"

class CKelvoPageSecurityConfirmDlg : public CKelvoWizardPage {
    DECLARE_DYNCREATE(CKelvoPageSecurityConfirmDlg)
public:
    enum { IDD = IDD_KELVO_SECURITY_CONFIRM };
    CKelvoPageSecurityConfirmDlg() : CKelvoWizardPage(IDD) {}
    // Save: runs the editor's OK; a refusal keeps the page with the editor's message.
    void OnNext() override;

    CString m_strProfileName;  // the profile being saved (profile road)

protected:
    bool SavesOnNext() const override { return true; }
    void SetUpPage() override;
    void OnShowPage() override;
};
