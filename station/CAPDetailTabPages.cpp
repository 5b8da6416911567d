#include "station/CAPDetailTabPages.h"
#include "base/LanguageTable.h"

#include <iterator>

namespace {
constexpr int kSignalColors = 3;
}  // namespace

void CDetailTabPage::ApplyFontAndLabels(const Label* labels, size_t count)
{
    SendMessageToDescendants(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE, FALSE);
    for (size_t i = 0; i < count; ++i) SetDlgItemText(labels[i].id, labels[i].text);
}

BOOL CPageGeneralDlg::OnInitDialog()
{
    CDetailTabPage::OnInitDialog();
    const Label labels[] = {
        {IDC_GEN_SSID_LABEL, G_LangTable.IDS_SSID},
        {IDC_GEN_MAC_LABEL, G_LangTable.IDS_MAC_ADDRESS},
        {IDC_GEN_AUTH_LABEL, G_LangTable.IDS_AUTH_TYPE},
        {IDC_GEN_ENCRY_LABEL, G_LangTable.IDS_ENCRY_TYPE},
        {IDC_GEN_CHANNEL_LABEL, G_LangTable.IDS_CHANNEL},
        {IDC_GEN_NETWORK_TYPE_LABEL, G_LangTable.IDS_NETWORK_TYPE},
        {IDC_GEN_BEACON_LABEL, G_LangTable.IDS_BEACON_INTERVAL},
        {IDC_GEN_MDID_LABEL, G_LangTable.IDS_MDID},
        {IDC_GEN_SIGNAL_LABEL, G_LangTable.IDS_SIGNAL_STRENGTH},
    };
    ApplyFontAndLabels(labels, std::size(labels));
    // Shown only for a network that carries a mobility-domain element.
    GetDlgItem(IDC_GEN_MDID_LABEL)->ShowWindow(SW_HIDE);
    GetDlgItem(IDC_GEN_MDID)->ShowWindow(SW_HIDE);
    m_progressSignal.SetColors(kSignalColors, kSignalBarGreen, kSignalBarMiddle, kSignalBarGreen);
    return TRUE;
}

BOOL CPageWPSStatusDlg::OnInitDialog()
{
    CDetailTabPage::OnInitDialog();
    const Label labels[] = {
        {IDC_WPS_AUTH_LABEL, G_LangTable.IDS_AUTH_TYPE},
        {IDC_WPS_ENCRY_LABEL, G_LangTable.IDS_ENCRY_TYPE},
        {IDC_WPS_CONFIG_METHODS_LABEL, G_LangTable.IDS_WPS_CONFIG_METH},
        {IDC_WPS_DEVICE_PASSWORD_ID_LABEL, G_LangTable.IDS_WPS_DEVICE_PW_ID},
        {IDC_WPS_SELECTED_REGISTRAR_LABEL, G_LangTable.IDS_WPS_SELECTED_REG},
        {IDC_WPS_STATE_LABEL, G_LangTable.IDS_WPS_STATE},
        {IDC_WPS_VERSION_LABEL, G_LangTable.IDS_WPS_VERSION},
        {IDC_WPS_AP_SETUP_LOCKED_LABEL, G_LangTable.IDS_WPS_AP_SETUP_LOCKED},
        {IDC_WPS_UUID_E_LABEL, G_LangTable.IDS_WPS_UUID_E},
        {IDC_WPS_RF_BANDS_LABEL, G_LangTable.IDS_WPS_RF_BAND},
    };
    ApplyFontAndLabels(labels, std::size(labels));
    return TRUE;
}

BOOL CPageCCXDlg::OnInitDialog()
{
    // The CCX labels keep the template's texts.
    CDetailTabPage::OnInitDialog();
    ApplyFontAndLabels(nullptr, 0);
    return TRUE;
}

void CPageGeneralDlg::DoDataExchange(CDataExchange* pDX)
{
    CDetailTabPage::DoDataExchange(pDX);
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
    CDetailTabPage::DoDataExchange(pDX);
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
    CDetailTabPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CCX_CCKM, m_strCckm);
    DDX_Text(pDX, IDC_CCX_CMIC, m_strCmic);
    DDX_Text(pDX, IDC_CCX_CKIP, m_strCkip);
}
