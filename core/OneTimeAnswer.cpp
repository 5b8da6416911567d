#include "core/OneTimeAnswer.h"
#include "contract/StationContract.h"

#include <cstring>

bool IsSameProfile(const WLANPROFILE& a, const WLANPROFILE& b)
{
    return std::memcmp(a.strProfileName, b.strProfileName, sizeof a.strProfileName) == 0 &&
           std::memcmp(&a.SSID, &b.SSID, sizeof a.SSID) == 0;
}

bool HoldsNoProfile(const WLANPROFILE& profile)
{
    return profile.SSID.SsidLength == 0 && profile.strProfileName[0] == '\0';
}

namespace {
// The stored settings, without the account a prompt or the library may have filled in.
WLANPROFILE WithoutAccount(const WLANPROFILE& profile)
{
    WLANPROFILE settings = profile;
    std::memset(settings.chID, 0, sizeof settings.chID);
    std::memset(settings.chPassword, 0, sizeof settings.chPassword);
    return settings;
}

// What one connect asks for: the settings without the account and the per-connect flags.
WLANPROFILE ChoiceOf(const WLANPROFILE& profile)
{
    WLANPROFILE choice = WithoutAccount(profile);
    choice.bSetAdvance = 0;
    return choice;
}

// The same profile, bound to the same access point or to none.
bool IsSameTarget(const WLANPROFILE& a, const WLANPROFILE& b)
{
    if (!IsSameProfile(a, b) || a.bBssid != b.bBssid) return false;
    return !a.bBssid || std::memcmp(a.BSSID, b.BSSID, sizeof a.BSSID) == 0;
}
}  // namespace

bool IsSameChoice(const WLANPROFILE& a, const WLANPROFILE& b)
{
    if (!IsSameTarget(a, b)) return false;
    const WLANPROFILE choiceA = ChoiceOf(a);
    const WLANPROFILE choiceB = ChoiceOf(b);
    return std::memcmp(&choiceA, &choiceB, sizeof choiceA) == 0;
}

void COneTimeAnswer::Sent(const WLANPROFILE& profile, const WLANPROFILE& stored)
{
    m_sent = profile;
    m_stored = WithoutAccount(stored);
    m_state = State::Authenticating;
    ++m_nSends;
}

bool COneTimeAnswer::StillStored(const WLANPROFILE& stored) const
{
    const WLANPROFILE settings = WithoutAccount(stored);
    return std::memcmp(&settings, &m_stored, sizeof settings) == 0;
}

void COneTimeAnswer::OnAuthStatus(UCHAR code)
{
    if (m_state == State::None) return;
    if (code == RS_CBS_AU_STATUS_AUTHENTICATED || code == RS_CBS_AU_STATUS_MEDIA_CONNECT)
        m_state = State::Authenticated;
    else if (code == RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED || code == RS_CBS_AU_STATUS_AUTH_TIMEOUT)
        Forget();
}

const WLANPROFILE* COneTimeAnswer::For(const WLANPROFILE& profile) const
{
    if (m_state == State::None) return nullptr;
    // A stored profile's edits are told by StillStored; an unstored record is its own settings.
    const bool same = HoldsNoProfile(m_stored) ? IsSameChoice(m_sent, profile) : IsSameTarget(m_sent, profile);
    return same ? &m_sent : nullptr;
}
