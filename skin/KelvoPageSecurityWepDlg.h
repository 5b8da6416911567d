// Security wizard: the WEP page: key length, open or shared authentication, a pass phrase that
// makes the keys, the transmit key and its text.
#pragma once
#include "skin/KelvoWizardPage.h"

class CKelvoPageSecurityWepDlg : public CKelvoWizardPage {
    DECLARE_DYNCREATE(CKelvoPageSecurityWepDlg)
public:
    enum { IDD = IDD_KELVO_SECURITY_WEP };
    enum { kLength64 = 0, kLength128 = 1 };
    enum { kAuthOpen = 0, kAuthShared = 1 };
    CKelvoPageSecurityWepDlg() : CKelvoWizardPage(IDD) {}

    // The language message that refuses the key for that length entry; null when accepted.
    static const CString* KeyError(int lengthEntry, const CString& key);
    void OnNext() override;
    void OnBack() override;

    CComboBox m_comboLength, m_comboAuth, m_comboTxKey;
    CString m_strKey;  // the key text the page writes
    CString m_strGenerated[4];  // keys made from the pass phrase
    int m_bGenerated = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void SetUpPage() override;
    void OnShowPage() override;
    void OnPassPhraseChanged();
    void OnLengthChanged();
    void OnTxKeyChanged();
    DECLARE_MESSAGE_MAP()

private:
    void MakeKeys();
    void ShowKeyLabel();
    void LimitKey();
    void WriteEditor();
    int m_bFilling = 0;  // set while the page fills its own controls
};
