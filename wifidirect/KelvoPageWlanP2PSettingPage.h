// The base of the three Wi-Fi Direct setting pages on the shared one-row template: the title,
// one remaining row (the other hidden and the edit row moved up into its place), Back, Next, Exit.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"

class CKelvoPageWlanP2PDlg;

class CKelvoPageWlanP2PSettingPage : public CDialog {
public:
    enum { IDD = IDD_KELVO_SECURITY_PSK };
    CKelvoPageWlanP2PSettingPage() : CDialog(IDD) {}

    // Next: false while the page stays.
    virtual bool OnBtnNext() = 0;
    void OnBtnBack();
    virtual void OnBtnExit();

protected:
    void OnOK() override {}
    void OnCancel() override {}
    // Texts and layout: the edit row (keepEdit) or the combo row stays.
    void SetUpRow(const CString& title, LPCSTR titleFallback, const CString& label, LPCSTR labelFallback, bool keepEdit,
                  int limit);
    void OnNextClicked() { OnBtnNext(); }
    void OnBackClicked() { OnBtnBack(); }
    void OnExitClicked() { OnBtnExit(); }
    // Shows the first page of the back stack (emptied) and tells the main page the setting is done.
    void FinishToFirstPage(bool notify);
    DECLARE_MESSAGE_MAP()
};
