#include "core/OneTimeAnswer.h"
#include "contract/StationContract.h"

#include <cstring>

bool IsSameProfile(const WLANPROFILE& a, const WLANPROFILE& b)
{
    return std::memcmp(a.strProfileName, b.strProfileName, sizeof a.strProfileName) == 0 &&
           std::memcmp(&a.SSID, &b.SSID, sizeof a.SSID) == 0;
}

void COneTimeAnswer::Sent(const WLANPROFILE& profile)
{
    m_sent = profile;
    m_state = State::Authenticating;
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
    return m_state != State::None && IsSameProfile(m_sent, profile) ? &m_sent : nullptr;
}
