// The stand-in certificate library "QxCertMgr.dll": the program binds its entry points and
// calls none of them yet; each answers from an empty certificate store.
#include "contract/StationEntryPoints.h"

#include <cstring>

#define SIM_DECLARE_EXPORT(ret, name, params) extern "C" __attribute__((dllexport)) ret WINAPI name params;
QXCERTMGR_ENTRY_POINTS(SIM_DECLARE_EXPORT)
#undef SIM_DECLARE_EXPORT

namespace {
constexpr LONG kSuccess = 1, kFailure = 0;
}

BOOL WINAPI QxCertMgr_IsLegal(LPCSTR path)
{
    return path && *path ? TRUE : FALSE;
}

LONG WINAPI QxCertMgr_GetCert(ULONG index, VN_BLOB_KEY* cert)
{
    if (cert) memset(cert, 0, sizeof *cert);
    return kFailure;  // no certificate at any index
}

LONG WINAPI QxCertMgr_ClearCert(void) { return kSuccess; }
LONG WINAPI QxCertMgr_WriteUserASCert(const VN_BLOB_KEY* userCert, const VN_BLOB_KEY* asCert) { return kSuccess; }
LONG WINAPI QxCertMgr_WriteExtraASCertByIndex(ULONG index, const VN_BLOB_KEY* cert) { return kSuccess; }
LONG WINAPI QxCertMgr_DeleteUserASCertByIndex(ULONG index) { return kFailure; }
LONG WINAPI QxCertMgr_DeleteExtraASCertByIndex(ULONG index) { return kFailure; }
LONG WINAPI QxCertMgr_MoveCert(ULONG fromIndex, ULONG toIndex) { return kFailure; }

LONG WINAPI QxCertMgr_GetIdentity(ULONG index, LPSTR identity, ULONG size)
{
    if (identity && size) identity[0] = '\0';
    return kFailure;
}

LONG WINAPI QxCertMgr_GetCertIndex(LPCSTR name, ULONG* index)
{
    if (index) *index = 0;
    return kFailure;
}
