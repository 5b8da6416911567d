// The base of the three Wi-Fi Direct setting pages on the shared one-row template: the skinned
// title, one remaining row (the other hidden and the edit row moved up into its place), and the
// skinned Back, Next and Exit buttons of the security wizard's pages.
#pragma once
#include "skin/KelvoWizardPage.h"

class CKelvoPageWlanP2PDlg;

class CKelvoPageWlanP2PSettingPage : public CKelvoWizardPage {
public:
    enum { IDD = IDD_KELVO_SECURITY_PSK };
    CKelvoPageWlanP2PSettingPage() : CKelvoWizardPage(IDD) {}

    // Next: false while the page stays.
    virtual bool OnBtnNext() = 0;
    virtual void OnBtnBack();
    virtual void OnBtnExit();

protected:
    void OnNext() override { OnBtnNext(); }
    void OnBack() override { OnBtnBack(); }
    void OnExitPressed() { OnBtnExit(); }
    // Texts and layout: the edit row (keepEdit) or the combo row stays.
    void SetUpRow(const CString& title, LPCSTR titleFallback, const CString& label, LPCSTR labelFallback, bool keepEdit,
                  int limit);
    // Shows the first page of the back stack (emptied) and tells the main page the setting is done.
    void FinishToFirstPage(bool notify);
    DECLARE_MESSAGE_MAP()
};
