#include "station/Dot1XEditorLink.h"
#include "station/EntryLimits.h"
#include "station/CPageClientCertificationDlg.h"
#include "station/CPageEAPFastDlg.h"
#include "station/CPageNamePasswordDlg.h"
#include "station/CPageProfileSSODlg.h"
#include "station/CPageServerCertificationDlg.h"
#include "station/CertificateList.h"
#include "station/EapCertificateUse.h"
#include "station/TextWithNumber.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "contract/StationContract.h"
#include "core/ProductMessageBox.h"
#include "core/QXWLLIB.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr ULONG kSsoUse = 1u << 0, kSsoMachine = 1u << 1, kSsoPostLogon = 1u << 2;

template <size_t N>
void PutText(char (&field)[N], const CString& text)
{
    std::memset(field, 0, N);
    std::memcpy(field, text.GetString(), std::min<size_t>(static_cast<size_t>(text.GetLength()), N - 1));
}

// False, after the message naming it, for a certificate in use whose blob the record cannot
// hold: CertBlobOf would give none, which for the root authority means any trusted one.
bool CertificateFits(bool inUse, const qxwl::CERT_INFO& chosen)
{
    if (!inUse || chosen.BlobLength <= kBlobDataBytes) return true;
    ShowProductMessageBox(TextWithName(G_LangTable.IDS_CERT_TOO_LARGE, CertText(chosen.szIssuedTo)));
    return false;
}

}  // namespace

void ApplyEapMethod(CPage8021XDlg& page, int method)
{
    page.nEapMethod = method;
    page.ApplyStoredMethod(method);  // does nothing before the page has its window
}

void Read8021XControls(CPage8021XDlg& page)
{
    if (!page.m_pPageNamePassword || !page.m_pPageNamePassword->m_hWnd) return;
    page.m_pPageClientCert->UpdateData(TRUE);
    page.m_pPageNamePassword->UpdatePage(TRUE);
    page.m_pPageNamePassword->RefreshPasswordDisplay();
    page.m_pPageServerCert->UpdateData(TRUE);
    page.m_pPageEAPFast->UpdateData(TRUE);
    page.m_pPageSSO->UpdateData(TRUE);
}

bool Check8021XEntriesFit(CPage8021XDlg& page)
{
    if (!page.m_pPageNamePassword || !page.m_pPageClientCert || !page.m_pPageServerCert) return true;
    const CPageNamePasswordDlg& id = *page.m_pPageNamePassword;
    const CString& identity = id.GetIdentityMode() == CPageNamePasswordDlg::kMachineIdentity ? G_LangTable.IDS_MACHINE_ID
                                                                                              : G_LangTable.IDS_AUTH_ID;
    if (!EntriesFit({{id.strIdentity, kIdentityMaxChars, identity},
                     {id.strPassword, kPasswordMaxChars, G_LangTable.IDS_AUTH_PASSWORD},
                     {id.strDomain, kDomainMaxChars, G_LangTable.IDS_DOMAIN_NAME},
                     {page.m_pPageServerCert->strServerName, kServerNameMaxChars, G_LangTable.IDS_SERVERNAMEBE}}))
        return false;
    // A certificate the method does not use (one TLS left chosen, under LEAP) goes unused
    // whatever is stored of it: its size is no reason to refuse.
    const StringRecord7 method = MethodOf(page);
    return CertificateFits(ClientCertInUse(page, method), page.m_pPageClientCert->certChosen) &&
           CertificateFits(ServerCertInUse(page, method), page.m_pPageServerCert->certChosen);
}

bool WritePacList(const EditorSecurityModel& model, const CString& profileName)
{
    ProfileNameBuffer name(profileName);
    const LONG status = QXWLAPI.QXWL_WritePACList(
        static_cast<ULONG>(model.Pacs.size()), model.Pacs.empty() ? nullptr : reinterpret_cast<const BYTE*>(model.Pacs.data()),
        name.text);
    if (status == QXWL_ERROR_SUCCESS) return true;
    DebugLog(1, "[QxUI] QXWL_WritePACList() return %d for %u entries of \"%s\"\n", static_cast<int>(status),
             static_cast<unsigned>(model.Pacs.size()), name.text);
    // Only EAP-FAST uses the list; for another method a list the library kept is no loss.
    if (model.Eap.nEapMethod != static_cast<int>(EAPMETHOD_FAST)) return true;
    ShowProductMessageBox(G_LangTable.IDS_PAC_LIST_WRITE_FAILED);
    return false;
}

void Collect8021XSettings(CPage8021XDlg& page, EditorSecurityModel& model)
{
    StringRecord7& eap = model.Eap;
    const StringRecord7 method = MethodOf(page);
    eap.nEapMethod = method.nEapMethod;
    eap.nPeapInner = method.nPeapInner;
    eap.nTtlsInner = method.nTtlsInner;
    eap.nSessionResumption = static_cast<ULONG>(page.bSessionResumption);
    if (!page.m_pPageNamePassword || !page.m_pPageNamePassword->m_hWnd) {
        DebugLog(1, "[QxUI] 802.1X: the page's child pages do not exist; only the method is collected\n");
        return;
    }

    const CPageNamePasswordDlg& id = *page.m_pPageNamePassword;
    eap.strIdentity = id.strIdentity;
    eap.strPassword = id.strPassword;
    eap.strDomain = id.strDomain;
    eap.nPasswordMode = static_cast<ULONG>(id.nPasswordMode);
    model.bCacheUserInfo = id.bCacheUserInfo ? 1 : 0;
    model.nIdModeIndex = static_cast<ULONG>(id.GetIdentityMode());

    const CPageClientCertificationDlg& client = *page.m_pPageClientCert;
    eap.bClientCert = client.bUseClientCert ? 1 : 0;
    model.bClientCertInSmartCard = client.nCertSource == CPageClientCertificationDlg::kCertOnSmartCard ? 1 : 0;
    model.UserCert = CertBlobOf(client.certChosen);

    const CPageServerCertificationDlg& server = *page.m_pPageServerCert;
    eap.bServerCert = server.bUseServerCert ? 1 : 0;
    eap.bIntermediateCert = server.bAllowIntermediate ? 1 : 0;
    model.nServerNameRule = static_cast<ULONG>(server.nServerNameRule);
    eap.strServerName = server.strServerName;
    model.CaCert = CertBlobOf(server.certChosen);

    CPageEAPFastDlg& fast = *page.m_pPageEAPFast;
    eap.bPAC = fast.bUsePac ? 1 : 0;
    eap.bProvision = fast.bAllowProvision ? 1 : 0;
    eap.strPacFilePath = fast.strPacFilePath;
    eap.nProvisioningInner = method.nProvisioningInner;
    model.Pacs.clear();
    model.Pacs.reserve(fast.m_pacList.size());
    for (const CPageEAPFastDlg::PacEntry& row : fast.m_pacList) {
        PAC_ENTRY entry = {};
        entry.dwValue = static_cast<ULONG>(row.bSelected);
        PutText(entry.szText1, row.strFileName);
        PutText(entry.szText2, row.strFilePath);
        model.Pacs.push_back(entry);
    }

    const CPageProfileSSODlg& sso = *page.m_pPageSSO;
    model.SsoInfo = ((sso.bUseSso & 1) ? kSsoUse : 0) | ((sso.bAllowMachineAuth & 1) ? kSsoMachine : 0) |
                    ((sso.nLogonType & 1) ? kSsoPostLogon : 0);
}

void StoredSettingsFromModel(const EditorSecurityModel& model, Dot1XStoredSettings& stored)
{
    stored.eap = model.Eap;
    stored.nServerNameRule = model.nServerNameRule;
    stored.caCert = model.CaCert;
    stored.userCert = model.UserCert;
    stored.nSmartCard = model.bClientCertInSmartCard;
    stored.nIDModeIndex = model.nIdModeIndex;
    stored.bCacheUserInfo = model.bCacheUserInfo;
    stored.pacList = model.Pacs;
}

void LoadSsoBoxes(CPage8021XDlg& page, ULONG ssoInfo)
{
    CPageProfileSSODlg* sso = page.m_pPageSSO;
    if (!sso) return;
    sso->bUseSso = (ssoInfo & kSsoUse) ? 1 : 0;
    sso->bAllowMachineAuth = (ssoInfo & kSsoMachine) ? 1 : 0;
    sso->nLogonType = (ssoInfo & kSsoPostLogon) ? CPageProfileSSODlg::kPostLogon : CPageProfileSSODlg::kPreLogon;
    if (sso->m_hWnd) sso->UpdateData(FALSE);
}
