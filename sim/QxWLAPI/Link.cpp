#include "sim/QxWLAPI/Link.h"
#include "sim/QxWLAPI/CertStore.h"
#include "contract/StationContract.h"

#include <algorithm>
#include <cstring>

namespace sim {
namespace {

std::string Text(const char* field, size_t capacity)
{
    return std::string(field, strnlen(field, capacity));
}

bool SameEncryption(ULONG a, ULONG b)
{
    // Management-frame protection rides on the same cipher.
    auto base = [](ULONG e) { return e == ENCRY_TKIP_MFP ? ENCRY_TKIP : e == ENCRY_AES_MFP ? ENCRY_AES : e; };
    return base(a) == base(b);
}

bool Matches(const SimNetwork& n, const ConnectRequest& r)
{
    if (r.ByBssid) return memcmp(n.Bssid, r.Bssid, sizeof n.Bssid) == 0;
    return !r.Ssid.empty() && n.Ssid == r.Ssid;
}

constexpr LONG kRssiFloor = -90;
constexpr LONG kRssiSpan = 60;  // -90 dBm is 0 %, -30 dBm and above 100 %
constexpr LONG kSecondAntennaOffset = -4;
constexpr ULONG kNoAntenna = static_cast<ULONG>(-200);
constexpr ULONG kSnr0 = 31, kSnr1 = 28;
constexpr ULONG kTxPowerPercent = 100;
// Traffic of a connected link, per millisecond of connection.
constexpr ULONG kTxBytesPerMs = 12, kRxBytesPerMs = 37, kTxPacketsPerMs = 1, kRxPacketsPerMs = 2;

double RateMbps(const SimNetwork& n)
{
    if (n.HT40) return 300.0;
    if (n.HT) return 144.0;
    return 54.0;
}

}  // namespace

LONG RssiToPercent(LONG rssi)
{
    return std::clamp((rssi - kRssiFloor) * 100 / kRssiSpan, 0L, 100L);
}

ConnectRequest RequestFromProfile(const WLANPROFILE& p)
{
    ConnectRequest r;
    r.Ssid = std::string(reinterpret_cast<const char*>(p.SSID.Ssid), std::min<ULONG>(p.SSID.SsidLength, kSsidMaxLength));
    r.Ssid.resize(strnlen(r.Ssid.c_str(), r.Ssid.size()));
    r.ByBssid = p.bBssid == 1;
    memcpy(r.Bssid, p.BSSID, sizeof r.Bssid);
    r.AuthMode = p.enumAuthenMode;
    r.Encryption = p.enumEncryStatus;
    r.PassPhrase = Text(p.chPskKey, sizeof p.chPskKey);
    const char* keys[] = {p.WEPKey1, p.WEPKey2, p.WEPKey3, p.WEPKey4};
    r.WepKey = Text(keys[p.wepDefaultKey < 4 ? p.wepDefaultKey : 0], sizeof p.WEPKey1);
    r.Eap = p.b8021X == 1 || p.enumAuthenMode == AUTH_WPA || p.enumAuthenMode == AUTH_WPA2 ||
            p.enumAuthenMode == AUTH_CCKM;
    r.EapMethod = p.enumAuthenProtocol;
    r.Tunnel = p.enumTunnel;
    r.Identity = Text(p.chID, sizeof p.chID);
    r.Password = Text(p.chPassword, sizeof p.chPassword);
    if (p.bClientCert) {
        const ULONG length = std::min<ULONG>(p.user_cert.BlobLength, sizeof p.user_cert.BlobData);
        r.UserCert.assign(p.user_cert.BlobData, p.user_cert.BlobData + length);
    }
    return r;
}

Link::Verdict Link::Judge(const SimNetwork& n, const ConnectRequest& r)
{
    if (n.Encryption == ENCRY_NONE && !n.IsEnterprise())
        return (r.Encryption == ENCRY_NONE && r.AuthMode == AUTH_OPEN) ? Verdict::Connect : Verdict::Mismatch;
    if (n.UsesWep() && !n.IsEnterprise()) {
        if (r.Encryption != ENCRY_WEP || r.AuthMode != n.AuthMode) return Verdict::Mismatch;
        if (r.WepKey == n.Key) return Verdict::Connect;
        // Shared-key authentication proves the key; open-system WEP only finds out by the frames.
        return n.AuthMode == AUTH_SHARED ? Verdict::SharedKeyWrong : Verdict::WepKeyWrong;
    }
    if (r.AuthMode != n.AuthMode || !SameEncryption(r.Encryption, n.Encryption)) return Verdict::Mismatch;
    if (n.IsPsk()) return r.PassPhrase == n.Key ? Verdict::Connect : Verdict::HandshakeFails;
    if (!r.Eap || r.EapMethod != n.EapMethod) return Verdict::EapNoAnswer;
    if (n.Tunnel != 0 && r.Tunnel != n.Tunnel) return Verdict::EapReject;
    if (n.ClientCert >= 0 && r.UserCert != CertificateBlob(kCertStoreUser, static_cast<size_t>(n.ClientCert)))
        return Verdict::EapReject;
    return (r.Identity == n.Identity && r.Password == n.Password) ? Verdict::EapAccept : Verdict::EapReject;
}

void Link::Step(DWORD delayMs, std::function<void(Effects&)> step)
{
    const ULONG attempt = m_attempt;
    m_schedule(delayMs, [this, attempt, step = std::move(step)](Effects& effects) {
        if (attempt == m_attempt) step(effects);
    });
}

void Link::Up(Effects& effects)
{
    m_status = QxStatus_Connected;
    m_linkState = LINK_STATE_UP;
    m_authenticating = false;
    m_upSince = GetTickCount64();
    effects.AuthCodes.push_back(RS_CBS_AU_STATUS_MEDIA_CONNECT);
    effects.Journal.push_back("SIM link up " + m_network.Ssid);
    if (m_wepMismatch) effects.AuthCodes.push_back(RS_CBS_ICV_ERROR);
}

void Link::Reject(Effects& effects)
{
    m_authenticating = false;
    m_linkState = LINK_STATE_AUTH_FAIL;
    effects.AuthCodes.push_back(RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED);
    effects.Journal.push_back("SIM authentication rejected " + m_network.Ssid);
}

void Link::Connect(const ConnectRequest& request, const std::vector<SimNetwork>& visible,
                   const WorldSettings& settings, Effects& now)
{
    Drop(LINK_STATE_DOWN, now);
    auto found = std::find_if(visible.begin(), visible.end(), [&](const SimNetwork& n) { return Matches(n, request); });
    if (found == visible.end()) return;  // nothing answers: the link stays down
    m_network = *found;
    const Verdict verdict = Judge(m_network, request);
    const DWORD delay = static_cast<DWORD>(std::max(0L, settings.ConnectDelayMs));
    const DWORD handshake = static_cast<DWORD>(std::max(0L, settings.HandshakeTimeoutMs));

    switch (verdict) {
    case Verdict::Mismatch:
        Step(delay, [this](Effects&) { m_linkState = LINK_STATE_ASSOC_FAIL; });
        break;
    case Verdict::SharedKeyWrong:
        Step(delay, [this](Effects&) { m_linkState = LINK_STATE_AUTH_FAIL_KEYS; });
        break;
    case Verdict::Connect:
    case Verdict::WepKeyWrong:
        Step(delay, [this, verdict](Effects& e) {
            m_wepMismatch = verdict == Verdict::WepKeyWrong;
            Up(e);
        });
        break;
    case Verdict::HandshakeFails:
        // Associated, then the access point never answers message 2 of the handshake.
        Step(delay + handshake, [this](Effects&) {
            m_status = kStatusDisconnected;
            m_linkState = LINK_STATE_4WAY_TIMEOUT;
        });
        break;
    case Verdict::EapAccept:
    case Verdict::EapReject:
    case Verdict::EapNoAnswer:
        m_authenticating = true;
        now.AuthCodes.push_back(RS_CBS_AU_STATUS_START);
        Step(delay, [](Effects& e) {
            e.AuthCodes.push_back(RS_CBS_AU_STATUS_LINK_UP);
            e.AuthCodes.push_back(RS_CBS_AU_STATUS_AUTHENTICATING);
        });
        if (verdict == Verdict::EapAccept) {
            Step(2 * delay, [this, password = request.Password](Effects& e) {
                // The server spends a one-time password when it accepts it.
                if (m_network.OneTimePassword && !m_spentPasswords.insert(m_network.Ssid + '\n' + password).second)
                    return Reject(e);
                e.AuthCodes.push_back(RS_CBS_AU_STATUS_AUTHENTICATED);
                e.AuthCodes.push_back(RS_CBS_PORT_SECURED);
                Up(e);
            });
        } else if (verdict == Verdict::EapReject) {
            Step(2 * delay, [this](Effects& e) { Reject(e); });
        } else {
            Step(delay + handshake, [this](Effects& e) {
                m_authenticating = false;
                m_linkState = LINK_STATE_AUTH_FAIL;
                e.AuthCodes.push_back(RS_CBS_AU_STATUS_AUTH_TIMEOUT);
            });
        }
        break;
    }
}

void Link::Drop(ULONG linkState, Effects& now)
{
    ++m_attempt;
    if (m_status == QxStatus_Connected) now.AuthCodes.push_back(RS_CBS_AU_STATUS_MEDIA_DISCONNECT);
    m_status = kStatusNotConnected;
    m_linkState = linkState;
    m_authenticating = false;
    m_wepMismatch = false;
}

void Link::StopAuthentication()
{
    if (!m_authenticating) return;
    ++m_attempt;
    m_authenticating = false;
    m_linkState = LINK_STATE_DOWN;
}

void Link::CheckStillVisible(const std::vector<SimNetwork>& visible, ULONG linkStateIfLost, Effects& now)
{
    if (m_status != QxStatus_Connected && !m_authenticating) return;
    const bool seen = std::any_of(visible.begin(), visible.end(), [this](const SimNetwork& n) {
        return memcmp(n.Bssid, m_network.Bssid, sizeof n.Bssid) == 0 && n.Ssid == m_network.Ssid;
    });
    if (!seen) Drop(linkStateIfLost, now);
}

void Link::Fill(WLAN_STATUS& s, const WLAN_STATUS_QUERY& q) const
{
    const bool up = m_status == QxStatus_Connected;
    const SimNetwork& n = m_network;
    const ULONGLONG elapsed = up ? GetTickCount64() - m_upSince : 0;
    s.status = m_status;
    if (q.bLink) {
        s.linkState = m_linkState;
        if (up) {
            const double rate = RateMbps(n);
            s.frequency = n.FrequencyKHz();
            s.txRate = static_cast<ULONG>(rate * 2);
            s.txBytes = static_cast<ULONG>(elapsed * kTxBytesPerMs);
            s.rxBytes = m_wepMismatch ? 0 : static_cast<ULONG>(elapsed * kRxBytesPerMs);
            s.centralChannel = static_cast<ULONG>(n.HT40 ? n.Channel + 2 : n.Channel);
            s.txRateMbps = rate;
            s.rxRateMbps = rate;
            s.txPower = kTxPowerPercent;
            ULONG ht = 0;
            if (n.HT) {
                ht = 15;                       // MCS
                if (n.HT40) ht |= 1u << 7;     // 40 MHz
                ht |= 1u << 8;                 // short guard interval
                ht |= 2u << 14;                // HT mixed mode
            } else {
                ht = 1u << 14;                 // OFDM
            }
            s.htTransmitSetting = ht;
        }
    }
    if (q.bAssociation && up) {
        s.Ssid.SsidLength = static_cast<ULONG>(std::min<size_t>(n.Ssid.size(), kSsidMaxLength));
        memcpy(s.Ssid.Ssid, n.Ssid.data(), s.Ssid.SsidLength);
        memcpy(s.Bssid, n.Bssid, sizeof s.Bssid);
        s.networkType = n.Adhoc ? NETWORK_ADHOC : NETWORK_INFRASTRUCTURE;
        s.authMode = n.AuthMode;
        s.encryStatus = n.Encryption;
    }
    if (q.bSignal) {
        s.rssi0 = up ? n.Rssi : static_cast<LONG>(kNoAntenna);
        s.signal0 = up ? static_cast<ULONG>(RssiToPercent(n.Rssi)) : 0;
        s.antenna1Present = 1;
        s.rssi1 = up ? n.Rssi + kSecondAntennaOffset : static_cast<LONG>(kNoAntenna);
        s.signal1 = up ? static_cast<ULONG>(RssiToPercent(n.Rssi + kSecondAntennaOffset)) : 0;
        s.antenna2Present = 0;
        s.rssi2 = static_cast<LONG>(kNoAntenna);
        s.snr0 = up ? kSnr0 : 0;
        s.snr1 = up ? kSnr1 : 0;
        s.linkQuality = up ? static_cast<ULONG>(RssiToPercent(n.Rssi)) : 0;
    }
    if (q.bAddress && up && !m_wepMismatch) {
        const UCHAR subnet = n.Bssid[5];
        const UCHAR address[4] = {192, 168, subnet, 100}, mask[4] = {255, 255, 255, 0}, gateway[4] = {192, 168, subnet, 1};
        memcpy(s.ipAddress, address, 4);
        memcpy(s.ipMask, mask, 4);
        memcpy(s.ipGateway, gateway, 4);
    }
    if (q.bTotals && up) {
        const ULONGLONG sent = elapsed * kTxPacketsPerMs;
        s.xmitOkLow = static_cast<ULONG>(sent);
        s.xmitOkHigh = static_cast<ULONG>(sent >> 32);
        const ULONGLONG received = m_wepMismatch ? 0 : elapsed * kRxPacketsPerMs;
        s.rcvTotalLow = static_cast<ULONG>(received);
        s.rcvTotalHigh = static_cast<ULONG>(received >> 32);
        s.rcvOk = static_cast<ULONG>(received);
    }
}

}  // namespace sim
