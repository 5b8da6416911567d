// Security wizard: 802.1X with EAP-TLS: login name and client certificate.
#pragma once
#include "skin/KelvoWizardPage.h"

class CKelvoPageSecurityTlsDlg : public CKelvoWizardPage {
    DECLARE_DYNCREATE(CKelvoPageSecurityTlsDlg)
public:
    enum { IDD = IDD_KELVO_SECURITY_TLS };
    CKelvoPageSecurityTlsDlg() : CKelvoWizardPage(IDD) {}
    void OnNext() override;

    CComboBox m_comboCipher, m_comboType, m_comboCert;
    CString m_strLogin;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void SetUpPage() override;
    void OnShowPage() override;
    void OnTypeChanged();
    DECLARE_MESSAGE_MAP()
};
