// The copy of a profile's security settings that the two editors keep between their pages and
// the stored record: authentication, keys, the 802.1X settings and what follows them.
#pragma once
#include "station/ProfileCodes.h"

#include <vector>

struct EditorSecurityModel {
    static constexpr int kWepKeys = 4;

    int nAuthIndex = AUTHIDX_OPEN;
    int nEncryIndex = ENCRIDX_NONE;
    int nDefaultKey = 0;  // 1 to 4 once collected
    ULONG nKeyLength[kWepKeys] = {};
    int nProfileId = 1;
    int b8021X = 0;
    BYTE WepKey[kWepKeys][kWepKeyBytes] = {};

    StringRecord7 Eap;
    ULONG nServerNameRule = 0;
    VN_BLOB_KEY CaCert = {};
    VN_BLOB_KEY UserCert = {};
    ULONG bClientCertInSmartCard = 0;
    ULONG nIdModeIndex = 0;
    std::vector<PAC_ENTRY> Pacs;  // the PAC list; empty when none is held
    ULONG bCacheUserInfo = 1;
    ULONG SsoInfo = 0;  // bit 0 single sign-on, bits 1 and 2 its two options
    ULONG bCckm = 0;    // the CCKM bit of the CCX control word
    CString strUserCertPath;
    CString strAsCertPath;

    // The pre-shared key as collected (the security editor hands it to its owner).
    CString strPsk;
    int nPskFormat = KEYFMT_ASCII;

    // Back to the defaults of a new profile. The profile ID and the CCKM bit (read once from
    // the library, not from a profile) are left as they are.
    void Reset()
    {
        const int id = nProfileId;
        const ULONG cckm = bCckm;
        *this = EditorSecurityModel();
        nProfileId = id;
        bCckm = cckm;
        Eap.nPeapInner = Eap.nTtlsInner = Eap.nProvisioningInner = TUNNEL_MSCHAPV2;
        Eap.bProvision = 1;
        Eap.nPasswordMode = 1;
    }
};
