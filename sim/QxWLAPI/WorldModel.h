// The simulated radio world as plain data: the machine and driver settings, the adapters, the
// networks in range and stored profiles. Parsed from world-file text (WorldText) and held by
// SimWorld; nothing here knows about entry points.
#pragma once
#include "contract/StationRecords.h"
#include "sim/common/NetDevices.h"

#include <string>
#include <vector>

namespace sim {

// The machine, the driver and the stand-in's own timings. Every field is reachable by its key
// name in the world file's [World] section and through SIM_Set / SIM_Get (SettingKeys()).
struct WorldSettings {
    LONG OsCode = 12;              // QXWL_GetWinOS: below 10 XP, 10-11 Vista, 12 and up Windows 7
    LONG ZeroConfig = 0;           // QXWL_IsZeroConfig: 2 = the system's wireless service owns the adapter
    LONG WpaCapable = 1;
    LONG UserAdmin = 1;
    LONG MoreThanOneUser = 0;
    LONG MSConfigService = 1;      // QXWL_CheckMSConfigService
    LONG OpMode = 0;               // the driver's operation mode (0 station, 1 soft-AP, 2 hosted, 3 Wi-Fi Direct GO)
    LONG StoredOpMode = 0;         // the stored operation mode
    LONG SetOpModeFails = 0;
    LONG InitNotReadyPolls = 0;    // QXWL_QueryInitState answers "not ready" this many times
    LONG HwRadio = 1;
    LONG SwRadio = 1;
    LONG DevicePresent = 1;
    LONG AdapterSelectResult = 1;
    LONG GrowAdaptersAfterTooSmall = 0;  // adapters that appear between the two calls of the too-small protocol
    LONG WirelessMode = 5;         // 0 b/g, 1 b, 2 a, 3 a/b/g, 4 g, 5 a/b/g/n, 6 n, 7 g/n, 8 a/n, 9 b/g/n
    LONG CountryRegion = 0;        // 2.4 GHz: 0 channels 1-11, 1 channels 1-13, 5 channels 1-14
    LONG Supports11n = 1;
    LONG Supports11a = 1;
    LONG BssidRepositTime = 0;     // QXWL_CheckBssidRepositTime
    LONG WpsHwPbcPresses = 0;      // hardware push-button presses still to report
    LONG WpsVersion = 32;
    LONG WpsStepMs = 400;          // each step of a WPS exchange (0: one step per status poll)
    LONG WpsTimeoutMs = 120000;    // a WPS exchange nobody answers ends after this long
    LONG ScanDelayMs = 1500;       // from QXWL_SiteSurveyScan to its callback
    LONG ConnectDelayMs = 800;     // association (and, for 802.1X, each authentication step)
    LONG HandshakeTimeoutMs = 2000;  // a key handshake that gets no answer ends after this long
    LONG BlockAckPeers = -1;       // the Block-Ack peer list: -1 the visible 802.11n networks, n made-up peers
    LONG BlockAckPeersFail = 0;    // the peer-list query answers failure
    LONG BlockAckRequestFails = 0; // adding or deleting a Block-Ack agreement answers failure
    LONG SsoEnabled = 0;           // QXWL_ReadSSOStatus: single sign-on on (1)
    LONG SsoMode = 0;              // QXWL_ReadSSOStatus: its mode, answered as decimal text ("2" asks first)
    LONG Wow64 = 0;                // QXWL_IsWow64
    LONG HostedNetworkSetupFails = 0;  // QXWL_HostedNetworkSetup answers failure
    LONG HostedStations = 0;           // stations on the hosted network (made-up addresses 02-00-00-00-00-n)
    LONG HostedUnauthenticated = 0;    // of them, the last this many are not authenticated
    LONG StartWifiDirectGOFails = 0;   // QXWL_StartWifiDirectGO answers failure
    LONG ConfigToolResult = 1;     // QXWL_RunOnceInitConfigTool's answer (1: nothing to do)
    LONG ConfigToolSelect = 0;     // and the select value it gives
    LONG WifiDirectIntent = 7;     // this device's group-owner intent (0-15), bits 4-7 of the control word
    LONG IcsNeverFlips = 0;        // connection sharing stays as it is whatever "QxSwap.exe" asks
    LONG EapHost = 1;              // QXWL_IsEapHostInstalled
    LONG CertStores = 1;           // 1: the built-in "MY" and "ROOT" certificates, 0: both stores empty
    LONG CertStoreGrows = 0;       // one certificate more appears after each count-only QXWL_EnumCert
    LONG CertOversized = 0;        // each store ends in a certificate whose blob is larger than a profile holds
    LONG CertArraysOut = 0;        // read only: certificate arrays filled and not yet freed
    LONG CertFreeFaults = 0;       // read only: QXWL_FreeCertArray calls for an array not (or no longer) filled
    LONG ProfileStoreRefuses = 0;  // every change of the stored profiles and PAC lists answers failure
};

struct SettingKey {
    const char* name;
    LONG WorldSettings::*member;
};
const std::vector<SettingKey>& SettingKeys();
const SettingKey* FindSettingKey(const std::string& name);

struct SimAdapter {
    std::string Name;
    std::string DeviceID;
    std::string Description;   // text at 128
    std::string Text392;
    std::string SoftApName;
    std::string DeviceName;
    std::string Location;      // text at 776
    std::string Manufacturer;  // text at 1032
    ULONG Kind = 0;
};

// A network in range. Security follows the profile numbering: the authentication code and the
// encryption code a station must use; Key is the pass phrase (WPA) or the key text (WEP).
struct SimNetwork {
    std::string Ssid;
    UCHAR Bssid[6] = {};
    LONG Channel = 1;
    LONG Rssi = -50;          // dBm
    bool Adhoc = false;
    ULONG AuthMode = AUTH_OPEN;
    ULONG Encryption = ENCRY_NONE;
    std::string Key;
    bool Hidden = false;      // its beacons carry an empty SSID
    bool HT = false;          // 802.11n
    bool HT40 = false;
    bool WPS = false;
    bool WpsPbc = false;         // its push button is pressed: it announces push-button mode
    bool WpsConfigured = true;   // it announces the configured state
    std::string WpsPin;          // its eight-digit PIN
    ULONG BeaconInterval = 100;
    // Scans the program started that miss it before it appears, and the number of scans after
    // which it has left (0: it never leaves). Before any scan it is in range unless it appears later.
    LONG AppearAfterScans = 0;
    LONG LeaveAfterScans = 0;
    // 802.1X: the method the authentication server runs and the one account it accepts.
    ULONG EapMethod = EAPMETHOD_PEAP;
    ULONG Tunnel = 0;              // the inner method it insists on (EAP type number); 0: any
    bool OneTimePassword = false;  // a password it accepted once is refused from then on
    bool AlsoPsk = false;          // it announces a pre-shared key beside 802.1X (a mixed mask)
    std::string Identity;
    std::string Password;
    LONG ClientCert = -1;  // the "MY" certificate (by position) whose blob it insists on; -1: none

    bool IsEnterprise() const { return AuthMode == AUTH_WPA || AuthMode == AUTH_WPA2 || AuthMode == AUTH_CCKM; }
    bool IsPsk() const { return AuthMode == AUTH_WPA_PSK || AuthMode == AUTH_WPA2_PSK; }
    bool UsesWep() const { return Encryption == ENCRY_WEP; }
    ULONG FrequencyKHz() const;
    // In range at the scan of that number (1 the first the program started, 0 before any).
    bool InRangeAtScan(ULONG scan) const
    {
        return static_cast<LONG>(scan) >= AppearAfterScans + (AppearAfterScans > 0 ? 1 : 0) &&
               (LeaveAfterScans <= 0 || static_cast<LONG>(scan) <= LeaveAfterScans);
    }
};

// A stored profile given by the world file (the program stores its own through the library).
struct StoredProfile {
    std::string Name;
    std::string Ssid;
    ULONG AuthMode = AUTH_OPEN;
    ULONG Encryption = ENCRY_NONE;
    std::string Key;
    std::string Identity;  // 802.1X account
    std::string Password;
    ULONG EapMethod = EAPMETHOD_PEAP;
    ULONG Tunnel = 0;      // inner method (EAP type number)
    bool Active = false;
};

// A Wi-Fi Direct peer in range. Accept says which connections it takes: "PBC", "PIN", "Any" or
// "None" (it refuses). A peer with an Owner address is a client of that owner's group.
struct SimPeer {
    std::string Name;
    UCHAR Address[6] = {};
    ULONG Role = 2;          // 1 group owner, 2 device
    LONG Intent = 7;         // group-owner intent 0-15
    std::string Accept = "Any";
    UCHAR Owner[6] = {};     // all zero: not in another group
    bool Invites = false;    // asks to connect to us once Wi-Fi Direct is switched on
    ULONG ConfigMethods = 0x0188;
    USHORT DeviceCategory = 1;  // the WPS primary device type's category (1 computer, 3 printer, 4 camera ...)
    // When set, the PIN it shows once invited for a PIN typed on our side without one; it then
    // takes that PIN only, and only once shown. Unset, it takes any PIN.
    std::string ShowsPin;
};

struct World {
    WorldSettings Settings;
    std::vector<SimAdapter> Adapters;
    std::vector<SimNetwork> Networks;
    std::vector<StoredProfile> Profiles;
    std::vector<SimPeer> Peers;
    std::vector<NetDevice> NetDevices;  // the machine's other network adapters
    // The system's own wireless profiles (the wireless service's, not the library's store).
    std::vector<std::string> SystemProfiles;
    std::string JournalFile;  // when set, every journal line is appended to it too
};

// The built-in world a new user sees: one adapter and a handful of networks of every kind of
// security (open, WEP, WPA2-PSK, WPA2-Enterprise, a hidden one, an 802.11n one).
World DefaultWorld();

// Channel numbering: 2.4 GHz channels 1-14, 5 GHz from 36; 0 for an unknown channel or frequency.
ULONG ChannelToFrequencyKHz(LONG channel);
LONG FrequencyKHzToChannel(ULONG frequencyKHz);  // -1 for none

}  // namespace sim
