// Security wizard: 802.1X with PEAP: login, then a password (inner MS-CHAP v2) or a client
// certificate (inner TLS) in one place, and whether the server's certificate is checked.
#pragma once
#include "skin/KelvoWizardPage.h"

class CKelvoPageSecurityPeapDlg : public CKelvoWizardPage {
    DECLARE_DYNCREATE(CKelvoPageSecurityPeapDlg)
public:
    enum { IDD = IDD_KELVO_SECURITY_PEAP };
    enum { kInnerMsChapV2 = 0, kInnerTls = 1 };
    CKelvoPageSecurityPeapDlg() : CKelvoWizardPage(IDD) {}
    void OnNext() override;

    CComboBox m_comboCipher, m_comboType, m_comboInner, m_comboCert;
    CString m_strLogin, m_strPassword;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void SetUpPage() override;
    void OnShowPage() override;
    void OnTypeChanged();
    void OnInnerChanged();
    DECLARE_MESSAGE_MAP()

private:
    void ShowLayout(int inner);
};
