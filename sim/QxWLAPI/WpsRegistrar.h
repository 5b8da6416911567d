// A WPS exchange as the access points in range answer it: chosen when the program sets the
// WPS mode, then read back poll by poll. Plain data; SimWorld holds one and takes its lock.
#pragma once
#include "sim/QxWLAPI/WorldModel.h"

#include <vector>

namespace sim {

// Status codes of the exchange (low 28 bits of the status word), as the driver reports them.
constexpr ULONG kWpsCodeIdle = 0;
constexpr ULONG kWpsCodeSearching = 2;
constexpr ULONG kWpsCodeSuccess = 15;
constexpr ULONG kWpsCodeOverlap = 0x101;   // more than one access point in push-button mode
constexpr ULONG kWpsCodePinError = 0x201;  // the access point rejected the PIN
constexpr ULONG kWpsCodeTimeout = 0x204;   // nobody answered in time
constexpr ULONG kWpsStatusPbcBit = 0x10000000;
constexpr ULONG kWpsModePbc = 0x20000000;
constexpr ULONG kWpsModePin = 0x10000000;
constexpr UCHAR kWpsConfigRegistrar = 2;

class WpsRegistrar {
public:
    // Plans the exchange the mode asks for against the networks in range; `now` in ms.
    void Start(const WPS_MODE& mode, const std::vector<SimNetwork>& inRange, ULONGLONG now);
    void Stop() { *this = WpsRegistrar(); }
    // The status word of a poll at `now`: with stepMs 0 each poll takes the next step, else
    // each step lasts stepMs. A run nobody answers keeps searching until timeoutMs.
    ULONG Poll(ULONGLONG now, LONG stepMs, LONG timeoutMs);

    bool Active() const { return m_active; }
    bool Succeeded() const { return m_succeeded; }
    bool Registrar() const { return m_registrar; }
    // The access point that answered (valid when one did).
    const SimNetwork& Peer() const { return m_peer; }
    bool HasPeer() const { return m_hasPeer; }
    const WPS_MODE& Mode() const { return m_mode; }

private:
    bool m_active = false;
    bool m_pbc = false;
    bool m_registrar = false;
    bool m_waiting = false;  // nobody answers: searching until the time-out
    bool m_succeeded = false;
    bool m_hasPeer = false;
    SimNetwork m_peer;
    WPS_MODE m_mode = {};
    std::vector<ULONG> m_codes;
    ULONGLONG m_start = 0;
    size_t m_polls = 0;
    ULONG m_last = kWpsCodeIdle;
};

// Wi-Fi Simple Configuration codes of a network's security, and back.
ULONG WscAuthOf(const SimNetwork& n);
ULONG WscEncrOf(const SimNetwork& n);
void ApplyWscCredential(const WPS_CREDENTIAL& c, SimNetwork& n);

}  // namespace sim
