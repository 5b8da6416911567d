#include "wifidirect/KelvoPageP2PConnectMethodII.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "base/SecureRandom.h"
#include "core/ProductMessageBox.h"
#include "core/hidedlg/HideDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "wifidirect/AdvancedWiFiDirect.h"
#include "wifidirect/KelvoPageP2PConnectMethod.h"

IMPLEMENT_DYNCREATE(CKelvoPageP2PConnectMethodII, CDialog)

namespace {
constexpr UINT kRadios[] = {IDC_P2PCM_PBC, IDC_P2PCM_PIN_SHOWN, IDC_P2PCM_PIN_ENTERED};

CWiFiDirectSetting* Wizard()
{
    CAdvancedWiFiDirect* engine = G_pHideDlg ? G_pHideDlg->m_pWiFiDirect : nullptr;
    return engine ? engine->m_pSetting : nullptr;
}
}  // namespace

BEGIN_MESSAGE_MAP(CKelvoPageP2PConnectMethodII, CWiFiDirectSkinnedPage)
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_P2PCM_PBC, OnPushButton)
    ON_BN_CLICKED(IDC_P2PCM_PIN_SHOWN, OnPinShown)
    ON_BN_CLICKED(IDC_P2PCM_PIN_ENTERED, OnPinEntered)
    ON_BN_CLICKED(IDC_P2PCM_NEXT, OnNext)
    ON_BN_CLICKED(IDC_P2PCM_CANCEL, OnCancelPage)
    ON_BN_CLICKED(IDC_P2PCM_CLOSE, OnCancelPage)
END_MESSAGE_MAP()

BOOL CKelvoPageP2PConnectMethodII::OnInitDialog()
{
    CDialog::OnInitDialog();
    SkinConnectMethodPage(*this, m_skin, m_btnClose, m_btnNext, m_btnBack, m_btnCancel);
    CheckRadioButton(IDC_P2PCM_PBC, IDC_P2PCM_PIN_ENTERED, IDC_P2PCM_PBC);
    m_nMethod = 0;
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (main && main->m_pPageP2PConnectMethod) m_nShowPin = main->m_pPageP2PConnectMethod->m_nShowPin;
    GetDlgItem(IDC_P2PCM_BACK)->ShowWindow(SW_HIDE);
    return TRUE;
}

void CKelvoPageP2PConnectMethodII::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    CWiFiDirectSetting* wizard = Wizard();
    if (!bShow || !wizard) return;
    // The first page may not be made yet (pages are made when first shown): the PIN this device
    // shows is then one of this page's own, never a PIN of zeros.
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (main && main->m_pPageP2PConnectMethod && main->m_pPageP2PConnectMethod->m_hWnd)
        m_nShowPin = main->m_pPageP2PConnectMethod->m_nShowPin;
    if (m_nShowPin == 0 && !GenerateWpsPin(&m_nShowPin))
        DebugLog(1, "[QxUI] CKelvoPageP2PConnectMethodII: no PIN from the random source\n");
    const CWiFiDirectSettingWPS& wps = *wizard->m_pWPS;
    const BOOL offered[3] = {wps.m_bPBCOffered, wps.m_bPinRegOffered, wps.m_bPinUserOffered};
    const BOOL checked[3] = {wps.m_bPBCChecked, wps.m_bPinRegChecked, wps.m_bPinUserChecked};
    for (UINT id : kRadios) CheckDlgButton(static_cast<int>(id), BST_UNCHECKED);
    int first = -1;
    for (int i = 0; i < 3; ++i) {
        GetDlgItem(static_cast<int>(kRadios[i]))->EnableWindow(offered[i]);
        if (first < 0 && offered[i] && checked[i]) first = i;
    }
    GetDlgItem(IDC_P2PCM_PIN)->EnableWindow(FALSE);
    SetDlgItemText(IDC_P2PCM_PIN, "");
    // A device that offers no method has nothing to send.
    GetDlgItem(IDC_P2PCM_NEXT)->EnableWindow(wps.m_bNextEnabled && first >= 0);
    if (first >= 0) {
        CheckDlgButton(static_cast<int>(kRadios[first]), BST_CHECKED);
        if (first == 0) OnPushButton();
        else if (first == 1) OnPinShown();
        else OnPinEntered();
    }
}

void CKelvoPageP2PConnectMethodII::OnPushButton()
{
    m_nMethod = 0;
    GetDlgItem(IDC_P2PCM_PIN)->EnableWindow(FALSE);
}

void CKelvoPageP2PConnectMethodII::OnPinShown()
{
    m_nMethod = 1;
    GetDlgItem(IDC_P2PCM_PIN)->EnableWindow(TRUE);
    static_cast<CEdit*>(GetDlgItem(IDC_P2PCM_PIN))->SetReadOnly(TRUE);
    SetDlgItemText(IDC_P2PCM_PIN, PinText(m_nShowPin));
}

void CKelvoPageP2PConnectMethodII::OnPinEntered()
{
    m_nMethod = 2;
    CWnd* field = GetDlgItem(IDC_P2PCM_PIN);
    field->EnableWindow(TRUE);
    static_cast<CEdit*>(field)->SetReadOnly(FALSE);
    SetDlgItemText(IDC_P2PCM_PIN, "");
    field->SetFocus();
}

void CKelvoPageP2PConnectMethodII::OnCancelPage()
{
    CAdvancedWiFiDirect* engine = G_pHideDlg ? G_pHideDlg->m_pWiFiDirect : nullptr;
    if (engine) engine->m_bDeviceNameReady = FALSE;
    if (CWiFiDirectSetting* wizard = Wizard()) wizard->Hide();
    ReturnToFirstWiFiDirectPage();
}

bool CKelvoPageP2PConnectMethodII::OnNextPage()
{
    CWiFiDirectSetting* wizard = Wizard();
    if (!wizard) return false;
    const bool anyChecked = IsDlgButtonChecked(IDC_P2PCM_PBC) == BST_CHECKED || IsDlgButtonChecked(IDC_P2PCM_PIN_SHOWN) == BST_CHECKED ||
                            IsDlgButtonChecked(IDC_P2PCM_PIN_ENTERED) == BST_CHECKED;
    if (!wizard->m_pWPS->m_bNextEnabled || !anyChecked) return false;
    CString pin;
    GetDlgItemText(IDC_P2PCM_PIN, pin);
    if (m_nMethod == 1 || m_nMethod == 2) {
        const CString error = CWiFiDirectSettingWPS::CheckPinCode(pin, true);
        if (!error.IsEmpty()) {
            ShowProductMessageBox(error);
            return false;
        }
    }
    CWiFiDirectSettingWPS& wps = *wizard->m_pWPS;
    if (m_nMethod == 0) wps.rBtnPBCClick();
    else if (m_nMethod == 1) wps.rBtnPIN_RegSpecClick();
    else wps.rBtnPIN_UserSpecClick();
    if (m_nMethod != 0) wps.m_strTempPinCode = pin;
    wizard->BtnWiFiDirectNextClick();
    ReturnToFirstWiFiDirectPage();
    return true;
}
