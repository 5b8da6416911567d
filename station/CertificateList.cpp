#include "station/CertificateList.h"
#include "base/DebugLog.h"
#include "core/QXWLLIB.h"
#include "contract/StationContract.h"

#include <cstring>

VN_BLOB_KEY CertBlobOf(const qxwl::CERT_INFO& cert)
{
    VN_BLOB_KEY blob = {};
    if (!cert.pBlob || cert.BlobLength == 0) return blob;
    if (cert.BlobLength > kBlobDataBytes) {
        DebugLog(1, "[QxUI] 802.1X: a certificate of %lu bytes does not fit the profile; none is stored\n",
                 static_cast<unsigned long>(cert.BlobLength));
        return blob;
    }
    blob.BlobLength = cert.BlobLength;
    std::memcpy(blob.BlobData, cert.pBlob, cert.BlobLength);
    return blob;
}

namespace {
// A store that keeps growing between the two calls is read at most this often.
constexpr int kEnumerateTries = 3;
}

void CCertificateList::Release()
{
    if (m_entries.empty()) {
        m_count = 0;
        return;
    }
    if (QXWLAPI.QXWL_FreeCertArray) {
        const LONG status = QXWLAPI.QXWL_FreeCertArray(reinterpret_cast<BYTE*>(m_entries.data()), &m_count);
        if (status != QXWL_ERROR_SUCCESS)
            DebugLog(1, "[QxUI] QXWL_FreeCertArray() return %d in CCertificateList::Release\n", static_cast<int>(status));
    }
    m_entries.clear();
    m_count = 0;
}

int CCertificateList::Enumerate(LPCSTR store)
{
    Release();
    if (!QXWLAPI.QXWL_EnumCert) return 0;
    ULONG count = 0;
    LONG status = QXWLAPI.QXWL_EnumCert(store, nullptr, &count);
    for (int attempt = 0; attempt < kEnumerateTries && status == QXWL_ERROR_SUCCESS && count > 0; ++attempt) {
        std::vector<qxwl::CERT_INFO> entries(count);
        std::memset(entries.data(), 0, entries.size() * sizeof(qxwl::CERT_INFO));
        ULONG filled = count;
        status = QXWLAPI.QXWL_EnumCert(store, reinterpret_cast<BYTE*>(entries.data()), &filled);
        if (status == QXWL_ERROR_BUFFER_TOO_SMALL && filled > count) {
            // The store grew between the two calls: ask again with the size it gave.
            count = filled;
            status = QXWL_ERROR_SUCCESS;
            continue;
        }
        if (status != QXWL_ERROR_SUCCESS) break;
        // Never trust a count beyond the entries handed over.
        m_count = filled < count ? filled : count;
        m_entries = std::move(entries);
        return Count();
    }
    if (status != QXWL_ERROR_SUCCESS)
        DebugLog(1, "[QxUI] QXWL_EnumCert(%s) return %d\n", store, static_cast<int>(status));
    return 0;
}

int CCertificateList::FindByTexts(LPCSTR issuedTo, LPCSTR issuedBy, LPCSTR expiration, LPCSTR friendlyName) const
{
    auto same = [](const char (&field)[256], LPCSTR text) { return !text || CertText(field) == text; };
    for (int i = 0; i < Count(); ++i) {
        const qxwl::CERT_INFO& c = At(i);
        if (same(c.szIssuedTo, issuedTo) && same(c.szIssuedBy, issuedBy) && same(c.szExpiration, expiration) &&
            same(c.szFriendlyName, friendlyName))
            return i;
    }
    return -1;
}

int CCertificateList::FindByBlob(const BYTE* blob, ULONG length) const
{
    if (!blob || length == 0) return -1;
    for (int i = 0; i < Count(); ++i) {
        const qxwl::CERT_INFO& c = At(i);
        if (c.BlobLength == length && c.pBlob && std::memcmp(c.pBlob, blob, length) == 0) return i;
    }
    return -1;
}
