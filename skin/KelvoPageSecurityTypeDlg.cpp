#include "skin/KelvoPageSecurityTypeDlg.h"
#include "base/StationLibraryView.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"
#include "skin/KelvoPageSiteSurveyDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/SecurityWizard.h"
#include "station/CPageAuthEncryDlg.h"
#include "station/CPageSystemConfigDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageSecurityTypeDlg, CDialog)

namespace {

LONG OsCode()
{
    return QXWLAPI.QXWL_GetWinOS ? QXWLAPI.WinOS() : 0;
}
}  // namespace

void CKelvoPageSecurityTypeDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WIZTYPE_SECURITY, m_comboSecurity);
}

void CKelvoPageSecurityTypeDlg::SetUpPage()
{
    SetLabels({IDC_WIZTYPE_SECURITY_LABEL});
    SetText(IDC_WIZTYPE_SECURITY_LABEL, G_LangTable.IDS_LAB_SECURITY);
}

int CKelvoPageSecurityTypeDlg::Preselection(int authIndex, int encryIndex, int b8021X, bool adhoc)
{
    switch (authIndex) {
    case AUTHIDX_OPEN:
        if (encryIndex == ENCRIDX_NONE) return WIZSEC_NONE;
        if (encryIndex == ENCRIDX_WEP) return b8021X == 1 ? WIZSEC_8021X : WIZSEC_WEP;
        return WIZSEC_NONE;
    case AUTHIDX_SHARED:
        return encryIndex == ENCRIDX_WEP ? WIZSEC_WEP : WIZSEC_NONE;
    case AUTHIDX_WPA: return WIZSEC_WPA;
    case AUTHIDX_WPA_PSK: return WIZSEC_WPA_PSK;
    case AUTHIDX_WPA2: return WIZSEC_WPA2;
    case AUTHIDX_WPA2_PSK: return adhoc ? WIZSEC_WPA_PSK : WIZSEC_WPA2_PSK;
    case AUTHIDX_WPA_NONE: return WIZSEC_WPA_PSK;
    case AUTHIDX_CCKM: return WIZSEC_8021X;
    default: return WIZSEC_NONE;
    }
}

void CKelvoPageSecurityTypeDlg::OnShowPage()
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    bUseProfileEditor = main && WizardEnteredFromSurvey(*main) ? 0 : 1;
    const WizardEditor e = GetWizardEditor(bUseProfileEditor != 0);
    if (bUseProfileEditor)
        bAdhoc = e.system && e.system->m_nNetworkType == CPageSystemConfigDlg::kAdhoc ? 1 : 0;
    else if (e.auth)
        bAdhoc = e.auth->m_nNetworkType == NETWORK_ADHOC ? 1 : 0;
    else  // no authentication page to ask: the network chosen in the survey tells
        bAdhoc = main && main->m_pPageSiteSurveyDlg && main->m_pPageSiteSurveyDlg->m_nNetworkMode == 0 ? 1 : 0;

    m_comboSecurity.ResetContent();
    m_comboSecurity.AddString(G_LangTable.IDS_VAL_DISABLE);
    m_comboSecurity.AddString("WEP");
    if (bAdhoc) {
        m_comboSecurity.AddString(OsCode() < kVistaOsCode ? "WPA-PSK" : "WPA2-PSK");
    } else {
        for (LPCSTR name : {"WPA-PSK", "WPA2-PSK", "WPA", "WPA2", "802.1X"}) m_comboSecurity.AddString(name);
    }
    m_comboSecurity.SetCurSel(0);
    if (e.auth) {
        const int pick = Preselection(e.auth->m_nAuthIndex, e.auth->m_nEncryIndex, e.auth->m_b8021X, bAdhoc != 0);
        if (pick < m_comboSecurity.GetCount()) m_comboSecurity.SetCurSel(pick);
    }
    m_nEapMethod = WizardEapMethodOf(e);
}

void CKelvoPageSecurityTypeDlg::OnNext()
{
    m_nSecurityIndex = m_comboSecurity.GetCurSel();
    if (m_nSecurityIndex < 0) m_nSecurityIndex = 0;
    m_strSecurityText = SelectedText(m_comboSecurity);
    const WizardEditor e = GetWizardEditor(bUseProfileEditor != 0);
    if (CPageAuthEncryDlg* auth = e.auth) {
        const int index = m_nSecurityIndex;
        if (!bAdhoc) {
            switch (index) {
            case WIZSEC_NONE: auth->OnAuthOpen(); auth->OnEncryNone(); break;
            case WIZSEC_WPA_PSK: auth->OnAuthWpaPsk(); break;
            case WIZSEC_WPA2_PSK: auth->OnAuthWpa2Psk(); break;
            case WIZSEC_WPA: auth->OnAuthWpa(); break;
            case WIZSEC_WPA2: auth->OnAuthWpa2(); break;
            case WIZSEC_8021X:
                auth->OnAuthOpen();
                auth->OnEncryWep();
                auth->CheckDlgButton(IDC_AUTH_8021X, BST_CHECKED);
                if (CWnd* box = auth->GetDlgItem(IDC_AUTH_8021X)) box->Invalidate(TRUE);
                auth->OnCheck8021X();
                break;
            default: break;  // WEP: the WEP page writes
            }
        } else if (index == WIZSEC_WEP) {
            auth->OnAuthOpen();
            auth->OnEncryWep();
        } else if (index == WIZSEC_WPA_PSK) {
            if (OsCode() < kVistaOsCode) auth->OnAuthWpaNone();
            else auth->OnAuthWpa2Psk();
        } else {
            auth->OnAuthOpen();
            auth->OnEncryNone();
        }
    }
    m_nEapMethod = WizardEapMethodOf(e);
    WizardForward(*this, RouteAfterSecurityType(bAdhoc != 0, m_nSecurityIndex, m_nEapMethod));
}
