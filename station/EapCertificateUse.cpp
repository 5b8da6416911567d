#include "station/EapCertificateUse.h"
#include "base/StationLibraryView.h"
#include "station/CPage8021XDlg.h"
#include "station/CPageClientCertificationDlg.h"
#include "station/CPageEAPFastDlg.h"
#include "station/CPageServerCertificationDlg.h"
#include "contract/StationContract.h"
#include "core/QXWLLIB.h"

namespace {
// EAP-FAST takes certificates only on the XP line with the enhancement, for TLS inside.
bool FastUsesCertificates(const StringRecord7& eap)
{
    return QXWLAPI.WinOS() < kVistaOsCode && QXWLAPI.EAPFastEnhancement == 1 &&
           (eap.nPeapInner == TUNNEL_TLS || eap.nProvisioningInner == TUNNEL_TLS);
}
}  // namespace

StringRecord7 MethodOf(const CPage8021XDlg& page)
{
    StringRecord7 eap;
    eap.nEapMethod = page.nEapMethod;
    eap.nPeapInner = PeapInnerToEapType(page.nPeapTunnel);
    eap.nTtlsInner = TtlsInnerToEapType(page.nTtlsTunnel);
    const int provisioning =
        page.m_pPageEAPFast ? ProvisioningIndexFromCaption(page.m_pPageEAPFast->GetProvisioningCaption()) : 0;
    eap.nProvisioningInner = ProvisioningToEapType(provisioning);
    return eap;
}

bool MethodUsesClientCert(const StringRecord7& eap)
{
    switch (eap.nEapMethod) {
    case EAPMETHOD_TLS: return true;
    // The system's EAP host takes one only for TLS, inside PEAP or not; our own methods offer it
    // to every tunnel.
    case EAPMETHOD_PEAP: return QXWLAPI.WinOS() < kVistaOsCode || eap.nPeapInner == TUNNEL_TLS;
    case EAPMETHOD_TTLS: return QXWLAPI.WinOS() < kVistaOsCode;
    case EAPMETHOD_FAST: return FastUsesCertificates(eap);
    default: return false;  // MD5-Challenge, LEAP
    }
}

bool MethodUsesServerCert(const StringRecord7& eap)
{
    switch (eap.nEapMethod) {
    case EAPMETHOD_PEAP:
    case EAPMETHOD_TLS:
    case EAPMETHOD_TTLS: return true;
    case EAPMETHOD_MD5: return QXWLAPI.WinOS() >= kVistaOsCode;
    case EAPMETHOD_FAST: return FastUsesCertificates(eap);
    default: return false;  // LEAP
    }
}

bool ClientCertInUse(const CPage8021XDlg& page, const StringRecord7& eap)
{
    return page.m_pPageClientCert->bUseClientCert && MethodUsesClientCert(eap);
}

bool ServerCertInUse(const CPage8021XDlg& page, const StringRecord7& eap)
{
    return page.m_pPageServerCert->bUseServerCert && MethodUsesServerCert(eap);
}
