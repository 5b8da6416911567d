#include "wifidirect/KelvoPageWlanP2PSettingNameDlg.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "core/hidedlg/HideDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "ui/DialogTab.h"
#include "wifidirect/AdvancedWiFiDirect.h"
#include "wifidirect/KelvoPageP2PConnectMethod.h"
#include "wifidirect/KelvoPageWlanP2PDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageWlanP2PSettingNameDlg, CDialog)

BEGIN_MESSAGE_MAP(CKelvoPageWlanP2PSettingNameDlg, CKelvoPageWlanP2PSettingPage)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

void CKelvoPageWlanP2PSettingNameDlg::SetUpPage()
{
    SetUpRow(G_LangTable.IDS_WIFI_DIRECT_SETTING_TITLE, "Wi-Fi Direct Settings", G_LangTable.IDS_WIFI_DIRECT_DEVICE_NAME,
             "Device Name", true, kMaxName);
}

void CKelvoPageWlanP2PSettingNameDlg::OnShowPage()
{
    CKelvoPageWlanP2PDlg* page = WiFiDirectMainPage();
    m_strName = page ? page->m_strDeviceName : CString();
    SetDlgItemText(IDC_WIZPSK_KEY, m_strName);
}

void CKelvoPageWlanP2PSettingNameDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CKelvoPageWlanP2PSettingPage::OnShowWindow(bShow, nStatus);
    if (!bShow) CKelvoPageWlanP2PDlg::NamePageHidden();
}

bool CKelvoPageWlanP2PSettingNameDlg::OnBtnNext()
{
    GetDlgItemText(IDC_WIZPSK_KEY, m_strName);
    if (m_strName.IsEmpty() || m_strName.GetLength() > kMaxName) {
        ShowProductMessageBox(G_LangTable.IDS_WIFI_DIRECT_INPUT_DEVICE_NAME.IsEmpty() ? "Please enter the device name."
                                                                                      : G_LangTable.IDS_WIFI_DIRECT_INPUT_DEVICE_NAME.GetString());
        return false;
    }
    CKelvoPageWlanP2PDlg* page = WiFiDirectMainPage();
    if (!page) return false;
    page->m_strDeviceName = m_strName;
    // The wizard's name page takes the name the engine's switch-on writes.
    CAdvancedWiFiDirect* engine = G_pHideDlg ? G_pHideDlg->m_pWiFiDirect : nullptr;
    if (engine && engine->m_pSetting) engine->m_pSetting->m_pDeviceName->m_strDeviceName = m_strName;
    page->SetWiFiDirectState(TRUE);
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (main && main->m_pPageTab) {
        main->m_pPageTab->PushPageHistory(this);
        main->ShowWiFiDirectPage(page);
    }
    return true;
}
