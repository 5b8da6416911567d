// Security wizard: the security type page. It decides the road (survey or profile editor) and
// the network kind each time it is shown, and routes Next by the type chosen.
#pragma once
#include "skin/KelvoWizardPage.h"

class CKelvoPageSecurityTypeDlg : public CKelvoWizardPage {
    DECLARE_DYNCREATE(CKelvoPageSecurityTypeDlg)
public:
    enum { IDD = IDD_KELVO_SECURITY_TYPE };
    CKelvoPageSecurityTypeDlg() : CKelvoWizardPage(IDD) {}

    // The list entry preselected for the authentication page's indexes and 802.1X flag.
    static int Preselection(int authIndex, int encryIndex, int b8021X, bool adhoc);

    void OnNext() override;

    int m_nSecurityIndex = 0;  // the list entry chosen
    int m_nEapMethod = 0;      // the 802.1X page's method, read when shown
    CString m_strSecurityText;  // the text of the entry chosen
    CComboBox m_comboSecurity;

protected:
    void SetUpPage() override;
    void OnShowPage() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
