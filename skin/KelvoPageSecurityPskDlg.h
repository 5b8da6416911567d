// Security wizard: the pre-shared key page, its key and cipher.
#pragma once
#include "skin/KelvoWizardPage.h"

class CKelvoPageSecurityPskDlg : public CKelvoWizardPage {
    DECLARE_DYNCREATE(CKelvoPageSecurityPskDlg)
public:
    enum { IDD = IDD_KELVO_SECURITY_PSK };
    static constexpr int kKeyMin = 8, kKeyMax = 64;
    CKelvoPageSecurityPskDlg() : CKelvoWizardPage(IDD) {}

    // 8 to 63 characters of any kind, or 64 hexadecimal digits (what the editor stores).
    static bool IsValidKey(const CString& key);
    void OnNext() override;

    CComboBox m_comboCipher;
    CString m_strKey;  // what the last check captured

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void SetUpPage() override;
    void OnShowPage() override;
};
