#include "sim/QxWLAPI/WpsRegistrar.h"

#include <algorithm>
#include <cstring>

namespace sim {

namespace {
// The enrollee's walk through the exchange: the common start, then the messages of a
// push-button or a PIN exchange, each the next step of the progress.
constexpr ULONG kStartSteps[] = {2, 3, 4, 5, 6};
constexpr ULONG kPbcSteps[] = {17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27};
constexpr ULONG kPinSteps[] = {34, 35, 36, 37, 38, 39, 40, 41, 42, 43};
constexpr size_t kPinStepsBeforeRefusal = 2;  // M1 to M4: the PIN halves are proved after them

bool SameBssid(const UCHAR* a, const UCHAR* b) { return memcmp(a, b, 6) == 0; }
bool ZeroBssid(const UCHAR* a) { static const UCHAR zero[6] = {}; return SameBssid(a, zero); }
}  // namespace

void WpsRegistrar::Start(const WPS_MODE& mode, const std::vector<SimNetwork>& inRange, ULONGLONG now)
{
    Stop();
    m_active = true;
    m_mode = mode;
    m_start = now;
    m_pbc = mode.WpsMode == kWpsModePbc;
    m_registrar = mode.ConfigMode == kWpsConfigRegistrar;
    std::vector<ULONG>& codes = m_codes;
    if (m_pbc) {
        std::vector<const SimNetwork*> pressed;
        for (const SimNetwork& n : inRange)
            if (n.WPS && n.WpsPbc) pressed.push_back(&n);
        if (pressed.empty()) {
            m_waiting = true;
            return;
        }
        if (pressed.size() > 1) {
            codes = {2, 3, kWpsCodeOverlap};
            return;
        }
        m_peer = *pressed[0];
        m_hasPeer = true;
        codes.assign(std::begin(kStartSteps), std::end(kStartSteps));
        codes.insert(codes.end(), std::begin(kPbcSteps), std::end(kPbcSteps));
        codes.push_back(kWpsCodeSuccess);
        return;
    }
    const std::string ssid(reinterpret_cast<const char*>(mode.WpsSSID.Ssid), std::min<ULONG>(mode.WpsSSID.SsidLength, kSsidMaxLength));
    const SimNetwork* target = nullptr;
    for (const SimNetwork& n : inRange) {
        if (!n.WPS) continue;
        if (ZeroBssid(mode.Bssid) ? n.Ssid == ssid : SameBssid(n.Bssid, mode.Bssid)) {
            target = &n;
            break;
        }
    }
    if (!target) {
        m_waiting = true;
        return;
    }
    m_peer = *target;
    m_hasPeer = true;
    codes.assign(std::begin(kStartSteps), std::end(kStartSteps));
    const bool pinMatches = target->WpsPin.size() == sizeof mode.PIN &&
                            memcmp(target->WpsPin.data(), mode.PIN, sizeof mode.PIN) == 0;
    if (!pinMatches) {
        codes.insert(codes.end(), kPinSteps, kPinSteps + kPinStepsBeforeRefusal);
        codes.push_back(kWpsCodePinError);
        return;
    }
    codes.insert(codes.end(), std::begin(kPinSteps), std::end(kPinSteps));
    codes.push_back(kWpsCodeSuccess);
}

ULONG WpsRegistrar::Poll(ULONGLONG now, LONG stepMs, LONG timeoutMs)
{
    if (!m_active) return m_last;
    const ULONGLONG elapsed = now - m_start;
    const size_t step = stepMs > 0 ? static_cast<size_t>(elapsed / static_cast<ULONGLONG>(stepMs)) : m_polls;
    ++m_polls;
    ULONG code;
    if (m_waiting) {
        if (elapsed >= static_cast<ULONGLONG>(std::max(0L, timeoutMs)) && m_polls > 1) {
            code = kWpsCodeTimeout;
            m_active = false;
        } else {
            code = kWpsCodeSearching;
        }
    } else {
        code = m_codes[std::min(step, m_codes.size() - 1)];
        if (step + 1 >= m_codes.size()) {
            m_active = false;
            m_succeeded = code == kWpsCodeSuccess;
        }
    }
    m_last = code | (m_pbc ? kWpsStatusPbcBit : 0);
    return m_last;
}

ULONG WscAuthOf(const SimNetwork& n)
{
    switch (n.AuthMode) {
    case AUTH_SHARED: return 0x04;
    case AUTH_WPA: return 0x08;
    case AUTH_WPA_PSK: return 0x02;
    case AUTH_WPA2: return 0x10;
    case AUTH_WPA2_PSK: return 0x20;
    default: return 0x01;
    }
}

ULONG WscEncrOf(const SimNetwork& n)
{
    switch (n.Encryption) {
    case ENCRY_WEP: return 0x02;
    case ENCRY_TKIP: return 0x04;
    case ENCRY_AES: return 0x08;
    default: return 0x01;
    }
}

void ApplyWscCredential(const WPS_CREDENTIAL& c, SimNetwork& n)
{
    n.Ssid.assign(reinterpret_cast<const char*>(c.SSID.Ssid), std::min<ULONG>(c.SSID.SsidLength, kSsidMaxLength));
    switch (c.AuthType) {
    case 0x02: n.AuthMode = AUTH_WPA_PSK; break;
    case 0x04: n.AuthMode = AUTH_SHARED; break;
    case 0x08: n.AuthMode = AUTH_WPA; break;
    case 0x10: n.AuthMode = AUTH_WPA2; break;
    case 0x20: case 0x22: n.AuthMode = AUTH_WPA2_PSK; break;
    default: n.AuthMode = AUTH_OPEN; break;
    }
    switch (c.EncrType) {
    case 0x02: n.Encryption = ENCRY_WEP; break;
    case 0x04: n.Encryption = ENCRY_TKIP; break;
    case 0x08: case 0x0C: n.Encryption = ENCRY_AES; break;
    default: n.Encryption = ENCRY_NONE; break;
    }
    n.Key.assign(reinterpret_cast<const char*>(c.Key), std::min<ULONG>(c.KeyLength, kWpsKeyMaxBytes));
    n.WpsConfigured = true;
}

}  // namespace sim
