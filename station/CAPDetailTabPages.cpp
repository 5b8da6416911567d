#include "station/CAPDetailTabPages.h"

void CPageGeneralDlg::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GEN_SIGNAL, m_progressSignal);
    DDX_Text(pDX, IDC_GEN_SSID, m_strSSID);
    DDX_Text(pDX, IDC_GEN_MAC, m_strMAC);
    DDX_Text(pDX, IDC_GEN_AUTH, m_strAuth);
    DDX_Text(pDX, IDC_GEN_ENCRY, m_strEncry);
    DDX_Text(pDX, IDC_GEN_CHANNEL, m_strChannel);
    DDX_Text(pDX, IDC_GEN_NETWORK_TYPE, m_strNetworkType);
    DDX_Text(pDX, IDC_GEN_RATES, m_strSupportRates);
    DDX_Text(pDX, IDC_GEN_BEACON, m_strBeacon);
    DDX_Text(pDX, IDC_GEN_MDID, m_strMDID);
}

void CPageWPSStatusDlg::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_WPS_AUTH, m_strAuth);
    DDX_Text(pDX, IDC_WPS_ENCRY, m_strEncry);
    DDX_Text(pDX, IDC_WPS_CONFIG_METHODS, m_strConfigMethods);
    DDX_Text(pDX, IDC_WPS_DEVICE_PASSWORD_ID, m_strDevicePasswordId);
    DDX_Text(pDX, IDC_WPS_SELECTED_REGISTRAR, m_strSelectedRegistrar);
    DDX_Text(pDX, IDC_WPS_STATE, m_strState);
    DDX_Text(pDX, IDC_WPS_VERSION, m_strVersion);
    DDX_Text(pDX, IDC_WPS_AP_SETUP_LOCKED, m_strApSetupLocked);
    DDX_Text(pDX, IDC_WPS_UUID_E, m_strUuidE);
    DDX_Text(pDX, IDC_WPS_RF_BANDS, m_strRfBands);
}

void CPageCCXDlg::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CCX_CCKM, m_strCckm);
    DDX_Text(pDX, IDC_CCX_CMIC, m_strCmic);
    DDX_Text(pDX, IDC_CCX_CKIP, m_strCkip);
}
