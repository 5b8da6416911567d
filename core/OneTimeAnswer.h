// The authentication a typed one-time password went out with. A connect of the same profile
// while that authentication runs, or while the link it made is up, reuses it: stopping it to ask
// again throws the typed token away, and a token server takes each token only once.
// Reached from the user-interface thread only.
#pragma once
#include "contract/StationRecords.h"

// The same stored profile: profile name and network name.
bool IsSameProfile(const WLANPROFILE& a, const WLANPROFILE& b);
// A record with neither a profile name nor a network name: it names no profile, and connecting
// it would only drop a link.
bool HoldsNoProfile(const WLANPROFILE& profile);
// The same connect asked for: the same profile, bound to the same access point or to none, with
// the same settings apart from the account and the per-connect flags.
bool IsSameChoice(const WLANPROFILE& a, const WLANPROFILE& b);

class COneTimeAnswer {
public:
    // The answer went to the library in this profile record; `stored` is the profile's stored
    // record at that moment.
    void Sent(const WLANPROFILE& profile, const WLANPROFILE& stored);
    // The answer's authentication is over or replaced: the next connect asks again.
    void Forget() { m_state = State::None; }
    // An 802.1X status of the current authentication: success marks the link made, a failure
    // ends the answer's use.
    void OnAuthStatus(UCHAR code);
    // The record the answer went out in, while it is the answer to a connect of `profile`: the
    // same profile, bound to the same access point or to none, and, for a record the library
    // does not store (a survey connection), asking for the same settings. Null otherwise.
    const WLANPROFILE* For(const WLANPROFILE& profile) const;
    // Whether the profile's stored settings are still those the answer went out with (its
    // account aside): an edited profile must connect with what was stored, not with the old record.
    bool StillStored(const WLANPROFILE& stored) const;
    // The answer's authentication succeeded: whether its link still stands is the library's to say.
    bool Authenticated() const { return m_state == State::Authenticated; }
    // How many answers went out so far: a connect that sees this change while it waited knows
    // that a newer one went out meanwhile.
    unsigned Sends() const { return m_nSends; }

private:
    enum class State { None, Authenticating, Authenticated };
    State m_state = State::None;
    WLANPROFILE m_sent = {};
    WLANPROFILE m_stored = {};
    unsigned m_nSends = 0;
};
