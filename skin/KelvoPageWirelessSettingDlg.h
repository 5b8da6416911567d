// Security wizard: the wireless settings page, the channel of an ad hoc network (profile road).
#pragma once
#include "skin/KelvoWizardPage.h"

class CKelvoPageWirelessSettingDlg : public CKelvoWizardPage {
    DECLARE_DYNCREATE(CKelvoPageWirelessSettingDlg)
public:
    enum { IDD = IDD_KELVO_WIRELESS_SETTING };
    CKelvoPageWirelessSettingDlg() : CKelvoWizardPage(IDD) {}
    void OnNext() override;
    CComboBox m_comboChannel;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void SetUpPage() override;
    void OnShowPage() override;
};
