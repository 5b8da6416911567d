// Security wizard: 802.1X with EAP-TTLS: login, password and the inner protocol.
#pragma once
#include "skin/KelvoWizardPage.h"

class CKelvoPageSecurityTtlsDlg : public CKelvoWizardPage {
    DECLARE_DYNCREATE(CKelvoPageSecurityTtlsDlg)
public:
    enum { IDD = IDD_KELVO_SECURITY_TTLS };
    CKelvoPageSecurityTtlsDlg() : CKelvoWizardPage(IDD) {}
    void OnNext() override;

    CComboBox m_comboCipher, m_comboType, m_comboProtocol;
    CString m_strLogin, m_strPassword;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void SetUpPage() override;
    void OnShowPage() override;
    void OnTypeChanged();
    DECLARE_MESSAGE_MAP()
};
