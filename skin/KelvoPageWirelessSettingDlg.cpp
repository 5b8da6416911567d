#include "skin/KelvoPageWirelessSettingDlg.h"
#include "base/LanguageTable.h"
#include "skin/SecurityWizard.h"
#include "station/CPageSystemConfigDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageWirelessSettingDlg, CDialog)

namespace {
// The system-configuration page's channel list, or null without the page.
CComboBox* EditorChannels(CComboBox& holder)
{
    const WizardEditor e = GetWizardEditor(true);
    if (!e.system) return nullptr;
    CWnd* combo = e.system->GetDlgItem(IDC_SYS_CHANNEL);
    if (!combo) return nullptr;
    holder.m_hWnd = combo->m_hWnd;
    return &holder;
}
}  // namespace

void CKelvoPageWirelessSettingDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WIZSET_CHANNEL, m_comboChannel);
}

void CKelvoPageWirelessSettingDlg::SetUpPage()
{
    SetText(IDC_WIZARD_TITLE, G_LangTable.IDS_LAB_SECURITY_WIRELESS_SETTING);
    SetLabels({IDC_WIZSET_CHANNEL_LABEL, IDC_WIZSET_MODE_LABEL});
    SetText(IDC_WIZSET_CHANNEL_LABEL, G_LangTable.IDS_LAB_CHANNEL);
    for (UINT id : {IDC_WIZSET_MODE_LABEL, IDC_WIZSET_MODE})
        if (CWnd* item = GetDlgItem(id)) item->ShowWindow(SW_HIDE);
}

void CKelvoPageWirelessSettingDlg::OnShowPage()
{
    CComboBox holder;
    CComboBox* channels = EditorChannels(holder);
    if (channels) {
        m_comboChannel.ResetContent();
        for (int i = 0; i < channels->GetCount(); ++i) {
            CString text;
            channels->GetLBText(i, text);
            m_comboChannel.AddString(text);
        }
        m_comboChannel.SetCurSel(channels->GetCurSel());
    }
    holder.m_hWnd = nullptr;
}

void CKelvoPageWirelessSettingDlg::OnNext()
{
    CComboBox holder;
    if (CComboBox* channels = EditorChannels(holder)) {
        channels->SetCurSel(m_comboChannel.GetCurSel());
        const WizardEditor e = GetWizardEditor(true);
        if (e.system) e.system->UpdateData(TRUE);
    }
    holder.m_hWnd = nullptr;
    WizardForward(*this, WizardStep::SecurityType);
}
