#include "wifidirect/GroupPassPhrase.h"
#include "base/DebugLog.h"
#include "base/SecureRandom.h"
#include "core/QXWLLIB.h"

#include <algorithm>
#include <cstring>

namespace {
// Letters and digits that cannot be mistaken for one another when read off the screen.
constexpr char kAlphabet[] = "ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz23456789";
constexpr int kMinLength = 8, kMaxLength = 63;

CString& Held()
{
    static CString phrase;
    return phrase;
}
}  // namespace

bool CGroupPassPhrase::IsUsable(const CString& phrase)
{
    if (phrase.GetLength() < kMinLength || phrase.GetLength() > kMaxLength) return false;
    for (int i = 0; i < phrase.GetLength(); ++i)
        if (phrase[i] < 0x20 || phrase[i] > 0x7E) return false;
    return true;
}

CString CGroupPassPhrase::Get()
{
    CString& held = Held();
    if (!held.IsEmpty()) return held;
    CWinApp* app = AfxGetApp();
    const CString kept = app ? app->GetProfileString(kSection, kEntry, "") : CString();
    if (IsUsable(kept)) return held = kept;
    char drawn[kLength] = {};
    if (!MakeRandomString(drawn, sizeof drawn, kAlphabet)) {
        DebugLog(1, "[QxUI] CGroupPassPhrase: no random characters; no pass phrase\n");
        return CString();
    }
    held = CString(drawn, kLength);
    // Without profile settings the phrase lasts as long as the process.
    if (!app || !app->WriteProfileString(kSection, kEntry, held))
        DebugLog(1, "[QxUI] CGroupPassPhrase: the pass phrase is not kept beyond this run\n");
    return held;
}

CString CGroupPassPhrase::Default()
{
    // A 64-character key followed by its 32-bit length.
    constexpr size_t kKeyBytes = 64;
    BYTE record[kKeyBytes + sizeof(ULONG)] = {};
    QXWLAPI.QXWL_ReadWiFiDirectDefaultWPAPSK(record);
    ULONG length = 0;
    std::memcpy(&length, record + kKeyBytes, sizeof length);
    const char* key = reinterpret_cast<const char*>(record);
    const CString library(key, static_cast<int>(strnlen(key, std::min<size_t>(length, kKeyBytes))));
    return library.IsEmpty() ? Get() : library;
}

void CGroupPassPhrase::Forget()
{
    Held().Empty();
}
