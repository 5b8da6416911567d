#include "base/SecurityNames.h"
#include "base/LanguageTable.h"

CSecurityNames G_SecurityNames;

namespace {
constexpr int kOpenIndex = 0;
constexpr int kSharedIndex = 1;
constexpr int kDisabledCipherIndex = 12;
// Null marks the entries that take a language text.
constexpr LPCSTR kFixedNames[CSecurityNames::kCount] = {
    nullptr, nullptr, "WEP", "WPA", "WPA-PSK", "WPA2", "WPA2-PSK", "802.1X", "None",  // authentication
    "WEP", "TKIP", "AES", nullptr,                                                   // cipher
    "WEP", "WPA-PSK", "WPA-PSK", "WPA", "WPA2-PSK", "WPA2", "802.1X",               // site-survey security
    "TLS", "PEAP", "TLS", "MS-CHAPII", "TTLS", "CHAP", "MSCHAP", "MSCHAP-V2", "PAP", // EAP methods
};
}  // namespace

void CSecurityNames::Fill()
{
    for (int i = 0; i < kCount; ++i) m_names[i] = kFixedNames[i] ? kFixedNames[i] : "";
    m_names[kOpenIndex] = G_LangTable.IDS_VAL_OPEN;
    m_names[kSharedIndex] = G_LangTable.IDS_VAL_SHARE;
    m_names[kDisabledCipherIndex] = G_LangTable.IDS_VAL_DISABLE;
}

const CString& CSecurityNames::operator[](int index) const
{
    static const CString empty;
    return index >= 0 && index < kCount ? m_names[index] : empty;
}

void FillSecurityNames()
{
    G_SecurityNames.Fill();
}
