// An array of certificates enumerated from one store of the station library: filled with the
// two-call protocol, released through the library exactly once (before a new enumeration,
// and when the list goes).
#pragma once
#include "framework/Afx.h"
#include "contract/StationRecords.h"

#include <cstring>
#include <vector>

// A text field of a certificate entry, read within its 256 bytes: the library's texts need not
// end in a terminator.
inline CString CertText(const char (&field)[256])
{
    return CString(field, static_cast<int>(strnlen(field, sizeof field)));
}

// The chosen entry's blob as a profile stores it; empty when there is none or it does not fit.
VN_BLOB_KEY CertBlobOf(const qxwl::CERT_INFO& cert);
// The bytes of a profile's blob that are one: a length beyond the record's bytes gives none.
inline ULONG StoredBlobLength(const VN_BLOB_KEY& blob) { return blob.BlobLength <= kBlobDataBytes ? blob.BlobLength : 0; }
// An entry that names a profile's certificate by its blob alone (one the store does not hold,
// whose texts are unknown); it points into blob.
inline qxwl::CERT_INFO EntryOfStoredBlob(VN_BLOB_KEY& blob)
{
    qxwl::CERT_INFO entry = {};
    entry.BlobLength = StoredBlobLength(blob);
    entry.pBlob = blob.BlobData;
    return entry;
}

class CCertificateList {
public:
    CCertificateList() = default;
    ~CCertificateList() { Release(); }
    CCertificateList(const CCertificateList&) = delete;
    CCertificateList& operator=(const CCertificateList&) = delete;

    // Releases the previous array, then enumerates the store; the number of certificates.
    int Enumerate(LPCSTR store);
    void Release();
    int Count() const { return static_cast<int>(m_count); }
    const qxwl::CERT_INFO& At(int i) const { return m_entries[static_cast<size_t>(i)]; }
    // The first entry with these four texts (issued to, by, expiration, friendly name), or
    // with this issued-to text alone when the others are null; -1 when none. Entries' texts are
    // compared within their 256 bytes.
    int FindByTexts(LPCSTR issuedTo, LPCSTR issuedBy, LPCSTR expiration, LPCSTR friendlyName) const;
    // The first entry whose blob has this length and these bytes; -1 when none.
    int FindByBlob(const BYTE* blob, ULONG length) const;

private:
    std::vector<qxwl::CERT_INFO> m_entries;
    ULONG m_count = 0;
};
