// Security wizard: the server certificate page (issuer and server name).
#pragma once
#include "skin/KelvoWizardPage.h"

class CKelvoPageSecuritySercaDlg : public CKelvoWizardPage {
    DECLARE_DYNCREATE(CKelvoPageSecuritySercaDlg)
public:
    enum { IDD = IDD_KELVO_SECURITY_SERCA };
    CKelvoPageSecuritySercaDlg() : CKelvoWizardPage(IDD) {}
    void OnNext() override;

    CComboBox m_comboIssuer;
    CString m_strServerName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void SetUpPage() override;
    void OnShowPage() override;
};
