#include "skin/KelvoPageSecurityConfirmDlg.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"
#include "skin/KelvoPageProfileDlg.h"
#include "skin/KelvoPageSecurityTypeDlg.h"
#include "skin/KelvoPageSiteSurveyDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/SecurityWizard.h"
#include "station/CPageSystemConfigDlg.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CKelvoPageSecurityConfirmDlg, CDialog)

void CKelvoPageSecurityConfirmDlg::SetUpPage()
{
    SetText(IDC_WIZARD_TITLE, G_LangTable.IDS_LAB_SUMMARY_PAGE);
    SetLabels({IDC_WIZCONFIRM_NAME_LABEL, IDC_WIZCONFIRM_TYPE_LABEL, IDC_WIZCONFIRM_CHANNEL_LABEL,
               IDC_WIZCONFIRM_SECURITY_LABEL, IDC_WIZCONFIRM_NAME, IDC_WIZCONFIRM_TYPE, IDC_WIZCONFIRM_CHANNEL,
               IDC_WIZCONFIRM_SECURITY});
    SetText(IDC_WIZCONFIRM_NAME_LABEL, G_LangTable.IDS_LAB_NETWORK_NAME);
    SetText(IDC_WIZCONFIRM_TYPE_LABEL, G_LangTable.IDS_LAB_NETWORK_TYPE);
    SetText(IDC_WIZCONFIRM_CHANNEL_LABEL, G_LangTable.IDS_LAB_CHANNEL);
    SetText(IDC_WIZCONFIRM_SECURITY_LABEL, G_LangTable.IDS_LAB_SECURITY);
}

void CKelvoPageSecurityConfirmDlg::OnShowPage()
{
    TakeRoadFlags();
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    CString name, channel = G_LangTable.IDS_VAL_AUTO;
    m_strProfileName.Empty();
    if (bUseProfileEditor) {
        const WizardEditor e = GetWizardEditor(true);
        if (e.system) {
            name = e.system->m_strSsid == kAnyNetworkSsid ? G_LangTable.IDS_VAL_ANY : e.system->m_strSsid;
            if (bAdhoc) channel = e.system->m_strChannel;
            m_strProfileName = e.system->m_strProfileName;
        }
    } else if (main && main->m_pPageSiteSurveyDlg) {
        CKelvoPageSiteSurveyDlg& survey = *main->m_pPageSiteSurveyDlg;
        // A network that hides its name shows the name the user typed for it.
        const NDIS_802_11_SSID& ssid = survey.m_bHidden ? survey.m_PendingSsid
                                       : survey.ChosenEntry() ? survey.ChosenEntry()->Ssid : survey.m_PendingSsid;
        name = CString(reinterpret_cast<const char*>(ssid.Ssid), static_cast<int>(std::min<ULONG>(ssid.SsidLength, 32)));
        if (bAdhoc && survey.ChosenEntry())
            channel.Format("%d", static_cast<int>(QXWLAPI.QXWL_FrequencyToChannel(survey.ChosenEntry()->Configuration.DSConfig)));
    }
    SetText(IDC_WIZCONFIRM_NAME, name);
    SetText(IDC_WIZCONFIRM_TYPE, bAdhoc ? G_LangTable.IDS_VAL_ADHOC : G_LangTable.IDS_VAL_INFRA);
    SetText(IDC_WIZCONFIRM_CHANNEL, channel);
    SetText(IDC_WIZCONFIRM_SECURITY,
            main && main->m_pPageSecurityTypeDlg ? main->m_pPageSecurityTypeDlg->m_strSecurityText : CString());
}

void CKelvoPageSecurityConfirmDlg::OnNext()
{
    WizardSave(*this);
}
