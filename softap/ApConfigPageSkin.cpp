#include "softap/ApConfigPageSkin.h"
#include "softap/ApTitleBand.h"
#include "res/ApWdPagesResource.h"
#include "ui/LogFont.h"

#include <iterator>

namespace {
constexpr int kTitleIds[] = {IDC_KAPCFG_WIRELESS_TITLE, IDC_KAPCFG_SECURITY_TITLE};
constexpr int kLabelIds[] = {IDC_KAPCFG_SSID_LABEL,    IDC_KAPCFG_MODE_LABEL,   IDC_KAPCFG_CHANNEL_LABEL,
                             IDC_KAPCFG_POWER_LABEL,   IDC_KAPCFG_SECTYPE_LABEL, IDC_KAPCFG_AUTH_LABEL,
                             IDC_KAPCFG_WEPSIZE_LABEL, IDC_KAPCFG_TXKEY_LABEL,  IDC_KAPCFG_ENCTYPE_LABEL,
                             IDC_KAPCFG_PSK_LABEL};
}  // namespace

void CApConfigPageSkin::Exchange(CDataExchange* pDX)
{
    static_assert(std::size(kLabelIds) == kLabels);
    for (int i = 0; i < 2; ++i) DDX_Control(pDX, kTitleIds[i], m_title[i]);
    for (int i = 0; i < kLabels; ++i) DDX_Control(pDX, kLabelIds[i], m_label[i]);
    DDX_Control(pDX, IDC_KAPCFG_SSID, m_ssid);
    DDX_Control(pDX, IDC_KAPCFG_HIDE_SSID, m_hideSsid);
    DDX_Control(pDX, IDC_KAPCFG_BRIDGE, m_bridge);
    DDX_Control(pDX, IDC_KAPCFG_PASSPHRASE_RADIO, m_passPhrase);
    DDX_Control(pDX, IDC_KAPCFG_KEY_RADIO, m_key);
    DDX_Control(pDX, IDC_KAPCFG_SAVE, m_save);
    DDX_Control(pDX, IDC_KAPCFG_CANCEL, m_cancel);
}

void CApConfigPageSkin::Apply()
{
    const LOGFONTA titleFont = MakeLogFont("Arial", -12, 800);
    const LOGFONTA labelFont = MakeLogFont("Tahoma", -11, 800);
    for (CTransparentStatic& title : m_title) title.SetTextFont(kApTitleColor, &titleFont);
    for (CTransparentStatic& label : m_label) {
        label.SetTextFont(kApLabelColor, &labelFont);
        label.SetBackColor(kLabelBack);
    }
    for (CRadioButton* button : {&m_hideSsid, &m_bridge, &m_passPhrase, &m_key}) {
        button->SetFontColor(&labelFont, kApLabelColor);
        button->SetTextBackColor(kButtonBack);
    }
    SkinApSaveCancel(m_save, m_cancel);
}

void CApConfigPageSkin::PaintTitleBand(CWnd& page, CDC* pDC) const
{
    PaintApTitleBand(page, pDC, {kTitleIds[0], kTitleIds[1]});
}
