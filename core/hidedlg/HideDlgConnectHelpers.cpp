// Small operations of the connect queue and the 802.1X callback: the profile copy, the retry
// limit and the single-sign-on prompt.
#include "base/DebugLog.h"
#include "core/hidedlg/HideDlg.h"
#include "core/QXWLLIB.h"

#include <cstddef>
#include <cstring>

namespace {
// What QXWL_ReadSSOStatus fills.
struct SSO_STATUS {
    ULONG Reserved0;
    ULONG Enabled;  // 1 when single sign-on is on
    ULONG Reserved8;
    char Mode[1028];  // "2": the credentials are asked for before the connection
};
static_assert(sizeof(SSO_STATUS) == 1040);
static_assert(offsetof(SSO_STATUS, Mode) == 12);
constexpr char kSsoPromptMode[] = "2";
}  // namespace

void CHideDlg::CopyProfileRecord(WLANPROFILE* dst, const WLANPROFILE* src)
{
    if (!dst || !src || dst == src) return;
    std::memcpy(dst, src, sizeof *dst);
}

BOOL CHideDlg::CheckRetryCount(int* pCount)
{
    if (*pCount >= kRetryCountLimit) {
        *pCount = 0;
        return FALSE;
    }
    return TRUE;
}

int CHideDlg::PromptSsoBeforeConnect(WLANPROFILE* answerTo)
{
    SSO_STATUS sso{};
    QXWLAPI.QXWL_ReadSSOStatus(reinterpret_cast<BYTE*>(&sso));
    // The library's text need not end inside the record.
    const size_t length = strnlen(sso.Mode, sizeof sso.Mode);
    if (sso.Enabled != 1 || length != sizeof kSsoPromptMode - 1 || std::memcmp(sso.Mode, kSsoPromptMode, length) != 0)
        return 0;
    ShowConfigUI();
    return PromptPeapPassword(answerTo);
}
