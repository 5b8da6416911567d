// The connect state machine of the simulated adapter. A connect request (a profile, an SSID or
// a BSSID with the security settings in force) succeeds or fails by the target network's
// security and the keys given, step by step on the library's thread, as a real link would:
// an open network associates; a WEP key that does not match associates but receives nothing
// (ICV errors); a wrong WPA pass phrase associates and then fails in the 4-way handshake; an
// 802.1X network runs the authentication and reports each step through the callback.
#pragma once
#include "sim/QxWLAPI/WorldModel.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace sim {

// What a step leaves to do once the world's lock is given up.
struct Effects {
    std::vector<UCHAR> AuthCodes;  // 802.1X callback codes, in order
    std::vector<UINT> Messages;    // messages for the notification window, in order
    std::vector<std::string> Journal;  // lines for the journal ("SIM link up <ssid>")
};

// The security settings a connect request carries.
struct ConnectRequest {
    std::string Ssid;
    bool ByBssid = false;
    UCHAR Bssid[6] = {};
    ULONG AuthMode = AUTH_OPEN;
    ULONG Encryption = ENCRY_NONE;
    std::string PassPhrase;
    std::string WepKey;
    bool Eap = false;
    ULONG EapMethod = EAPMETHOD_PEAP;
    ULONG Tunnel = 0;
    std::string Identity;
    std::string Password;
    std::vector<BYTE> UserCert;  // the client certificate's blob, as many bytes as its length says
};
ConnectRequest RequestFromProfile(const WLANPROFILE& profile);

// Schedules a step on the library's thread; the step runs under the world's lock.
using StepScheduler = std::function<void(DWORD delayMs, std::function<void(Effects&)> step)>;

class Link {
public:
    explicit Link(StepScheduler schedule) : m_schedule(std::move(schedule)) {}

    void Connect(const ConnectRequest& request, const std::vector<SimNetwork>& visible, const WorldSettings& settings,
                 Effects& now);
    // Drops the link (and any attempt under way) with this link-state code.
    void Drop(ULONG linkState, Effects& now);
    // Ends a running 802.1X authentication; an open link stays.
    void StopAuthentication();
    // The network the link is up on vanished (out of range, radio off, adapter gone).
    void CheckStillVisible(const std::vector<SimNetwork>& visible, ULONG linkStateIfLost, Effects& now);

    // The status record's parts, as the selectors choose. The status word is always filled.
    void Fill(WLAN_STATUS& status, const WLAN_STATUS_QUERY& query) const;
    bool Connected() const { return m_status == QxStatus_Connected; }
    // Bit 0: the network's WEP key differs from ours (the driver's private message word).
    ULONG PrivateMessage() const { return m_wepMismatch ? 1u : 0u; }

private:
    enum class Verdict { Mismatch, SharedKeyWrong, Connect, WepKeyWrong, HandshakeFails, EapAccept,
                         EapReject, EapNoAnswer };
    static Verdict Judge(const SimNetwork& network, const ConnectRequest& request);
    void Up(Effects& effects);
    void Reject(Effects& effects);
    void Step(DWORD delayMs, std::function<void(Effects&)> step);

    StepScheduler m_schedule;
    ULONG m_attempt = 0;  // a newer request or a drop makes older steps void
    ULONG m_status = kStatusNotConnected;
    ULONG m_linkState = LINK_STATE_DOWN;
    bool m_authenticating = false;
    bool m_wepMismatch = false;
    SimNetwork m_network;
    ULONGLONG m_upSince = 0;
    // One-time passwords spent, as "<ssid>\n<password>": the server takes each only once.
    std::set<std::string> m_spentPasswords;
};

// Signal strength in percent for an RSSI in dBm.
LONG RssiToPercent(LONG rssi);

}  // namespace sim
