#include "sim/QxWLAPI/WorldModel.h"

#include <cstring>

namespace sim {

const std::vector<SettingKey>& SettingKeys()
{
#define SIM_KEY(name) SettingKey{#name, &WorldSettings::name}
    static const std::vector<SettingKey> keys = {
        SIM_KEY(OsCode), SIM_KEY(ZeroConfig), SIM_KEY(WpaCapable), SIM_KEY(UserAdmin), SIM_KEY(MoreThanOneUser),
        SIM_KEY(MSConfigService), SIM_KEY(OpMode), SIM_KEY(StoredOpMode), SIM_KEY(SetOpModeFails),
        SIM_KEY(InitNotReadyPolls), SIM_KEY(HwRadio), SIM_KEY(SwRadio), SIM_KEY(DevicePresent),
        SIM_KEY(AdapterSelectResult), SIM_KEY(GrowAdaptersAfterTooSmall), SIM_KEY(WirelessMode),
        SIM_KEY(CountryRegion), SIM_KEY(Supports11n), SIM_KEY(Supports11a), SIM_KEY(BssidRepositTime),
        SIM_KEY(WpsHwPbcPresses), SIM_KEY(WpsVersion), SIM_KEY(WpsStepMs), SIM_KEY(WpsTimeoutMs), SIM_KEY(ScanDelayMs), SIM_KEY(ConnectDelayMs),
        SIM_KEY(HandshakeTimeoutMs), SIM_KEY(BlockAckPeers), SIM_KEY(BlockAckPeersFail),
        SIM_KEY(BlockAckRequestFails), SIM_KEY(SsoEnabled), SIM_KEY(SsoMode), SIM_KEY(Wow64),
        SIM_KEY(BlockAckRequestFails), SIM_KEY(HostedNetworkSetupFails), SIM_KEY(HostedStations), SIM_KEY(HostedUnauthenticated), SIM_KEY(StartWifiDirectGOFails),
        SIM_KEY(ConfigToolResult), SIM_KEY(ConfigToolSelect), SIM_KEY(WifiDirectIntent), SIM_KEY(IcsNeverFlips),
        SIM_KEY(EapHost), SIM_KEY(CertStores), SIM_KEY(CertStoreGrows), SIM_KEY(CertOversized), SIM_KEY(CertArraysOut),
        SIM_KEY(CertFreeFaults), SIM_KEY(ProfileStoreRefuses),
    };
#undef SIM_KEY
    return keys;
}

const SettingKey* FindSettingKey(const std::string& name)
{
    for (const SettingKey& key : SettingKeys())
        if (_stricmp(key.name, name.c_str()) == 0) return &key;
    return nullptr;
}

ULONG ChannelToFrequencyKHz(LONG channel)
{
    if (channel >= 1 && channel <= 13) return 2407000 + 5000 * channel;
    if (channel == 14) return 2484000;
    if (channel >= 34 && channel <= 196) return 5000000 + 5000 * channel;
    return 0;
}

LONG FrequencyKHzToChannel(ULONG kHz)
{
    if (kHz == 2484000) return 14;
    if (kHz >= 2412000 && kHz <= 2472000 && (kHz - 2407000) % 5000 == 0) return (kHz - 2407000) / 5000;
    if (kHz >= 5170000 && kHz <= 5980000 && (kHz - 5000000) % 5000 == 0) return (kHz - 5000000) / 5000;
    return -1;
}

ULONG SimNetwork::FrequencyKHz() const
{
    return ChannelToFrequencyKHz(Channel);
}

namespace {
SimNetwork Network(const char* ssid, UCHAR lastByte, LONG channel, LONG rssi, ULONG auth, ULONG encryption,
                   const char* key)
{
    SimNetwork n;
    n.Ssid = ssid;
    const UCHAR bssid[6] = {0x00, 0x1A, 0x2B, 0x44, 0x71, lastByte};
    memcpy(n.Bssid, bssid, sizeof bssid);
    n.Channel = channel;
    n.Rssi = rssi;
    n.AuthMode = auth;
    n.Encryption = encryption;
    n.Key = key;
    return n;
}
}  // namespace

World DefaultWorld()
{
    World world;
    SimAdapter adapter;
    adapter.Name = "Kelvo 802.11n USB Wireless LAN Card";
    adapter.DeviceID = "USB\\VID_1A2B&PID_4471\\KPL4471000001";
    adapter.Description = "Kelvo 802.11n USB Wireless LAN Card";
    adapter.SoftApName = "Kelvo Wireless";
    adapter.DeviceName = "\\DEVICE\\{6E4F7A10-4471-4C2B-9D7E-2B1A00004471}";
    adapter.Location = "Port_#0001.Hub_#0004";
    adapter.Manufacturer = "Kelvo";
    world.Adapters.push_back(adapter);

    world.Networks.push_back(Network("Quixen-Open", 0x01, 1, -45, AUTH_OPEN, ENCRY_NONE, ""));
    world.Networks.push_back(Network("Quixen-WEP", 0x02, 6, -62, AUTH_OPEN, ENCRY_WEP, "12345"));
    SimNetwork wpa2 = Network("Quixen-WPA2", 0x03, 11, -52, AUTH_WPA2_PSK, ENCRY_AES, "quixen2024");
    wpa2.WPS = true;
    wpa2.WpsPbc = true;
    wpa2.WpsPin = "12345670";
    world.Networks.push_back(wpa2);
    SimNetwork corp = Network("Quixen-Corp", 0x04, 36, -67, AUTH_WPA2, ENCRY_AES, "");
    corp.EapMethod = EAPMETHOD_PEAP;
    corp.Identity = "user";
    corp.Password = "password";
    corp.HT = true;
    world.Networks.push_back(corp);
    SimNetwork hidden = Network("Quixen-Hidden", 0x05, 3, -71, AUTH_WPA2_PSK, ENCRY_AES, "hiddenpass");
    hidden.Hidden = true;
    world.Networks.push_back(hidden);
    SimNetwork fast = Network("Quixen-N300", 0x06, 44, -48, AUTH_WPA2_PSK, ENCRY_AES, "quixen300");
    fast.HT = true;
    fast.HT40 = true;
    world.Networks.push_back(fast);
    return world;
}

}  // namespace sim
