// The certificate stores the library reads for the 802.1X pages ("MY" and "ROOT"), the
// certificates stored with a profile, and whether the system's EAP host is installed.
// Every array the library fills is counted until it is freed, so a test sees a leak
// (CertArraysOut stays above 0) or a second free (CertFreeFaults).
#include "sim/QxWLAPI/CertStore.h"
#include "sim/QxWLAPI/Exports.h"
#include "sim/QxWLAPI/SimApi.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

using namespace sim;

namespace {

struct SimCert {
    std::string issuedTo, issuedBy, expiration, friendlyName;
    bool oversized = false;
};

std::string Today()
{
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u/%02u/%02u", now.wYear, now.wMonth, now.wDay);
    return text;
}

// The built-in stores: two user certificates with identical texts (different blobs), an
// expired one and one that expires today; two roots of the same name and another root; then
// the extra ones and, when asked for, one whose blob no profile holds.
std::vector<SimCert> StoreCerts(const std::string& store, LONG extra, bool oversized)
{
    std::vector<SimCert> certs;
    if (_stricmp(store.c_str(), kCertStoreUser) == 0) {
        certs = {
            {"alice", "Quixen Issuing CA", "2037/06/30", "Alice Wi-Fi"},
            {"alice", "Quixen Issuing CA", "2037/06/30", "Alice Wi-Fi"},
            {"bob", "Quixen Issuing CA", "2019/03/01", "Bob (expired)"},
            {"carol", "Quixen Issuing CA", Today(), "Carol (last day)"},
        };
    } else if (_stricmp(store.c_str(), kCertStoreRoot) == 0) {
        certs = {
            {"Quixen Root CA", "Quixen Root CA", "2040/01/01", "Quixen Root"},
            {"Corp Root CA", "Corp Root CA", "2038/12/31", "Corp Root"},
            {"Quixen Root CA", "Quixen Root CA", "2041/01/01", "Quixen Root (renewed)"},
        };
    }
    for (LONG i = 0; i < extra; ++i)
        certs.push_back({"extra" + std::to_string(i + 1), "Quixen Issuing CA", "2036/01/01", "Extra"});
    if (oversized && _stricmp(store.c_str(), kCertStoreUser) == 0)
        certs.push_back({"dave", "Quixen Issuing CA", "2037/06/30", "Dave (large)", true});
    else if (oversized && _stricmp(store.c_str(), kCertStoreRoot) == 0)
        certs.push_back({"Quixen Large Root CA", "Quixen Large Root CA", "2040/01/01", "Quixen Large Root", true});
    return certs;
}

// A text field as the library fills it: terminated, or (when the world misbehaves) filling
// all 256 bytes without a terminator.
void Copy(char (&out)[256], const std::string& text, bool unterminated)
{
    std::memset(out, unterminated ? 'X' : 0, sizeof out);
    std::memcpy(out, text.data(), text.size() < sizeof out ? text.size() : sizeof out - 1);
}

// Arrays filled and not yet freed, with the blobs attached to their entries.
std::map<const BYTE*, std::vector<BYTE*>> g_liveArrays;
LONG g_extraCerts = 0;  // certificates that appeared since CertStoreGrows was set

void CountArrays(SimWorld& w)
{
    w.Model.Settings.CertArraysOut = static_cast<LONG>(g_liveArrays.size());
}

}  // namespace

namespace sim {
// Real certificates are binary: each blob holds zero bytes after its name, and between.
std::vector<BYTE> CertificateBlob(const std::string& store, size_t index)
{
    char text[64];
    std::snprintf(text, sizeof text, "CERT-%s-%02u", store.c_str(), static_cast<unsigned>(index));
    std::vector<BYTE> blob(text, text + std::strlen(text) + 1);
    blob.resize(kCertBlobBytes, static_cast<BYTE>(0xA0 + index));
    blob[kCertBlobBytes / 2] = 0;
    return blob;
}
}  // namespace sim

LONG WINAPI QXWL_EnumCert(LPCSTR store, BYTE* certs, ULONG* count)
{
    const std::string name = store ? store : "";
    SimWorld& w = Enter("QXWL_EnumCert(" + name + ", " + (certs ? "array" : "null") + ")");
    if (!count) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    if (!w.Model.Settings.CertStoreGrows) g_extraCerts = 0;
    const std::vector<SimCert> list =
        w.Model.Settings.CertStores ? StoreCerts(name, g_extraCerts, w.Model.Settings.CertOversized != 0)
                                    : std::vector<SimCert>{};
    const ULONG n = static_cast<ULONG>(list.size());
    if (!certs) {
        *count = n;
        if (w.Model.Settings.CertStoreGrows && w.Model.Settings.CertStores) ++g_extraCerts;
        return QXWL_ERROR_SUCCESS;
    }
    if (*count < n) {
        *count = n;
        return QXWL_ERROR_BUFFER_TOO_SMALL;
    }
    if (g_liveArrays.count(certs)) {
        w.Note("QXWL_EnumCert: the array is still filled");
        return QXWL_ERROR_FAILURE;
    }
    std::vector<BYTE*>& blobs = g_liveArrays[certs];
    const bool unterminated = (w.Misbehave & SIM_MISBEHAVE_UNTERMINATED) != 0;
    for (ULONG i = 0; i < n; ++i) {
        auto* entry = reinterpret_cast<qxwl::CERT_INFO*>(certs + i * sizeof(qxwl::CERT_INFO));
        std::memset(entry, 0, sizeof *entry);
        Copy(entry->szIssuedTo, list[i].issuedTo, unterminated);
        Copy(entry->szIssuedBy, list[i].issuedBy, unterminated);
        Copy(entry->szExpiration, list[i].expiration, unterminated);
        Copy(entry->szFriendlyName, list[i].friendlyName, unterminated);
        std::vector<BYTE> blob = CertificateBlob(name, i);
        if (list[i].oversized) blob.resize(kOversizedCertBlobBytes, static_cast<BYTE>(0xA0 + i));
        entry->pBlob = new BYTE[blob.size()];
        std::memcpy(entry->pBlob, blob.data(), blob.size());
        entry->BlobLength = static_cast<ULONG>(blob.size());
        blobs.push_back(entry->pBlob);
    }
    *count = n;
    CountArrays(w);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_FreeCertArray(BYTE* certs, ULONG* count)
{
    SimWorld& w = Enter(std::string("QXWL_FreeCertArray(") + (certs ? "array" : "null") + ")");
    auto guard = w.Lock();
    auto it = g_liveArrays.find(certs);
    if (it == g_liveArrays.end()) {
        ++w.Model.Settings.CertFreeFaults;
        w.Note("QXWL_FreeCertArray: not an array the library filled");
        return QXWL_ERROR_FAILURE;
    }
    const size_t n = it->second.size();
    for (size_t i = 0; i < n; ++i) {
        auto* entry = reinterpret_cast<qxwl::CERT_INFO*>(certs + i * sizeof(qxwl::CERT_INFO));
        delete[] it->second[i];
        entry->pBlob = nullptr;
        entry->BlobLength = 0;
    }
    g_liveArrays.erase(it);
    if (count) *count = 0;
    CountArrays(w);
    return QXWL_ERROR_SUCCESS;
}

BOOL WINAPI QXWL_IsEapHostInstalled(void)
{
    SimWorld& w = Enter("QXWL_IsEapHostInstalled()");
    auto guard = w.Lock();
    return w.Model.Settings.EapHost ? TRUE : FALSE;
}

// The certificates stored with the profile of that name; zero when there is none.
LONG WINAPI QXWL_Read8021XCert(VN_BLOB_KEY* caCert, VN_BLOB_KEY* userCert, LPCSTR profileName)
{
    std::string name;
    if (profileName) name.assign(profileName, strnlen(profileName, kProfileNameBytes));
    SimWorld& w = Enter("QXWL_Read8021XCert(" + name + ")");
    if (caCert) *caCert = {};
    if (userCert) *userCert = {};
    auto guard = w.Lock();
    const WLANPROFILE* profile = w.Profiles.Find(name);
    if (!profile) return QXWL_ERROR_FAILURE;
    if (caCert) *caCert = profile->CA_cert;
    if (userCert) *userCert = profile->user_cert;
    return QXWL_ERROR_SUCCESS;
}
