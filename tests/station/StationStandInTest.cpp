#include "tests/station/StationFixture.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <mutex>

using namespace station_test;
using testing_support::kWaitBoundMs;
using testing_support::ScopedFile;

namespace {

WLANPROFILE Profile(const char* ssid, ULONG auth, ULONG encryption, const char* key = "")
{
    WLANPROFILE p = {};
    p.SSID.SsidLength = static_cast<ULONG>(strlen(ssid));
    memcpy(p.SSID.Ssid, ssid, p.SSID.SsidLength);
    p.enumNetworkType = NETWORK_INFRASTRUCTURE;
    p.enumAuthenMode = auth;
    p.enumEncryStatus = encryption;
    if (encryption == ENCRY_WEP) strcpy(p.WEPKey1, key);
    else strcpy(p.chPskKey, key);
    return p;
}

WLANPROFILE EnterpriseProfile(const char* ssid, const char* identity, const char* password)
{
    WLANPROFILE p = Profile(ssid, AUTH_WPA2, ENCRY_AES);
    p.b8021X = 1;
    p.enumAuthenProtocol = EAPMETHOD_PEAP;
    p.enumTunnel = TUNNEL_MSCHAPV2;
    strcpy(p.chID, identity);
    strcpy(p.chPassword, password);
    return p;
}

NDIS_802_11_SSID Ssid(const char* text)
{
    NDIS_802_11_SSID ssid = {};
    ssid.SsidLength = static_cast<ULONG>(strlen(text));
    memcpy(ssid.Ssid, text, ssid.SsidLength);
    return ssid;
}

// A window that only receives: the library's notifications land in its queue.
class NotifyWindow {
public:
    NotifyWindow() : m_hwnd(::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~NotifyWindow() { ::DestroyWindow(m_hwnd); }
    operator HWND() const { return m_hwnd; }
    // The library's messages waiting in the queue, in order.
    std::vector<UINT> Take()
    {
        std::vector<UINT> received;
        MSG msg;
        while (::PeekMessageA(&msg, m_hwnd, MSG_SCAN_LIST_CHANGED, MSG_RECONNECT, PM_REMOVE))
            received.push_back(msg.message);
        return received;
    }

private:
    HWND m_hwnd;
};

// What the 802.1X callback saw: its codes and the threads it ran on.
struct AuthRecord {
    std::mutex lock;
    std::vector<UCHAR> codes;
    std::vector<DWORD> threads;
};
AuthRecord* g_auth = nullptr;
void WINAPI RecordAuthStatus(UCHAR status, void*, char* reply)
{
    if (!g_auth) return;
    std::lock_guard<std::mutex> guard(g_auth->lock);
    g_auth->codes.push_back(status);
    g_auth->threads.push_back(::GetCurrentThreadId());
    if (reply) reply[kAuthReplyBytes - 1] = '\0';  // the whole reply buffer is ours to write
}

std::atomic<DWORD> g_scanThread{0};
std::atomic<int> g_scans{0};
void WINAPI RecordScanDone()
{
    g_scanThread = ::GetCurrentThreadId();
    ++g_scans;
}

class ConnectStateMachine : public StationTest {
protected:
    void SetUp() override
    {
        StationTest::SetUp();
        g_auth = &auth;
        std::vector<ADAPTER_ENTRY> adapters;
        ASSERT_TRUE(ReadAdapterList(lib->QXWL_GetAvailableAdapters, adapters, "test"));
        ASSERT_EQ(1u, adapters.size());
        ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXWL_Initial(kStationVendorText, window));
        ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXWL_AdapterSelect(&adapters[0], &RecordAuthStatus, window));
    }
    void TearDown() override
    {
        StationTest::TearDown();
        g_auth = nullptr;
    }
    // The library's messages to the window so far, once its pending events have run: it posts
    // them before an event counts as done.
    std::vector<UINT> Posted()
    {
        EXPECT_TRUE(sim.WaitIdle(kWaitBoundMs));
        return window.Take();
    }
    std::vector<UCHAR> AuthCodes()
    {
        sim.WaitIdle();
        std::lock_guard<std::mutex> guard(auth.lock);
        return auth.codes;
    }

    NotifyWindow window;
    AuthRecord auth;
};

class Notifications : public ConnectStateMachine {};
class SimulatedWorld : public StationTest {};

}  // namespace

// --- Connect state machine --------------------------------------------------------------------

TEST_F(ConnectStateMachine, OpenNetworkConnects)
{
    const WLANPROFILE profile = Profile("Quixen-Open", AUTH_OPEN, ENCRY_NONE);
    lib->QXWL_SetWLANProfile(&profile);
    const WLAN_STATUS status = Status();
    EXPECT_EQ(QxStatus_Connected, status.status);
    EXPECT_EQ(LINK_STATE_UP, status.linkState);
    EXPECT_EQ("Quixen-Open", SsidToText(status.Ssid));
    const UCHAR bssid[6] = {0x00, 0x1A, 0x2B, 0x44, 0x71, 0x01};
    EXPECT_EQ(0, memcmp(bssid, status.Bssid, 6));
    EXPECT_EQ(2412000u, status.frequency);
    EXPECT_EQ(AUTH_OPEN, status.authMode);
    EXPECT_EQ(ENCRY_NONE, status.encryStatus);
    EXPECT_EQ(192, status.ipAddress[0]);
    EXPECT_EQ((std::vector<UCHAR>{RS_CBS_AU_STATUS_MEDIA_CONNECT}), AuthCodes());
}

TEST_F(ConnectStateMachine, RightWpa2PassPhraseConnects)
{
    const WLANPROFILE profile = Profile("Quixen-WPA2", AUTH_WPA2_PSK, ENCRY_AES, "quixen2024");
    lib->QXWL_SetWLANProfile(&profile);
    const WLAN_STATUS status = Status();
    EXPECT_EQ(QxStatus_Connected, status.status);
    EXPECT_EQ(AUTH_WPA2_PSK, status.authMode);
    EXPECT_EQ(ENCRY_AES, status.encryStatus);
}

TEST_F(ConnectStateMachine, WrongWpa2PassPhraseFailsAsTheFourWayHandshake)
{
    const WLANPROFILE profile = Profile("Quixen-WPA2", AUTH_WPA2_PSK, ENCRY_AES, "not-the-key");
    lib->QXWL_SetWLANProfile(&profile);
    const WLAN_STATUS status = Status();
    EXPECT_EQ(kStatusDisconnected, status.status);
    EXPECT_EQ(LINK_STATE_4WAY_TIMEOUT, status.linkState);
    const UCHAR none[6] = {};
    EXPECT_EQ(0, memcmp(none, status.Bssid, 6));
    EXPECT_TRUE(AuthCodes().empty());
}

TEST_F(ConnectStateMachine, SecurityThatDoesNotMatchTheNetworkFailsToAssociate)
{
    const WLANPROFILE profile = Profile("Quixen-WPA2", AUTH_OPEN, ENCRY_NONE);
    lib->QXWL_SetWLANProfile(&profile);
    const WLAN_STATUS status = Status();
    EXPECT_EQ(kStatusNotConnected, status.status);
    EXPECT_EQ(LINK_STATE_ASSOC_FAIL, status.linkState);
}

TEST_F(ConnectStateMachine, WrongWepKeyAssociatesButReceivesNothing)
{
    const WLANPROFILE profile = Profile("Quixen-WEP", AUTH_OPEN, ENCRY_WEP, "54321");
    lib->QXWL_SetWLANProfile(&profile);
    const WLAN_STATUS status = Status();
    EXPECT_EQ(QxStatus_Connected, status.status);
    EXPECT_EQ(0u, status.rcvOk);
    ULONG message = 0;
    lib->QXWL_QueryPrivateMsg(&message);
    EXPECT_EQ(1u, message & 1);
    EXPECT_EQ((std::vector<UCHAR>{RS_CBS_AU_STATUS_MEDIA_CONNECT, RS_CBS_ICV_ERROR}), AuthCodes());
}

TEST_F(ConnectStateMachine, EnterpriseReportsEveryStepThroughTheCallbackOnTheLibrarysThread)
{
    const WLANPROFILE profile = EnterpriseProfile("Quixen-Corp", "user", "password");
    lib->QXWL_SetWLANProfile(&profile);
    EXPECT_EQ((std::vector<UCHAR>{RS_CBS_AU_STATUS_START, RS_CBS_AU_STATUS_LINK_UP, RS_CBS_AU_STATUS_AUTHENTICATING,
                                  RS_CBS_AU_STATUS_AUTHENTICATED, RS_CBS_PORT_SECURED, RS_CBS_AU_STATUS_MEDIA_CONNECT}),
              AuthCodes());
    EXPECT_EQ(QxStatus_Connected, Status().status);
    std::lock_guard<std::mutex> guard(auth.lock);
    for (DWORD thread : auth.threads) EXPECT_NE(::GetCurrentThreadId(), thread);
}

TEST_F(ConnectStateMachine, ConnectsInARowReportTheirStepsInTheOrderTheyHappened)
{
    // Without delays a connect's later steps may run on the library's thread the moment the
    // connect lets go of the world: their codes still come after the connect's own.
    const WLANPROFILE profile = EnterpriseProfile("Quixen-Corp", "user", "password");
    const std::vector<UCHAR> steps = {RS_CBS_AU_STATUS_START,         RS_CBS_AU_STATUS_LINK_UP,
                                      RS_CBS_AU_STATUS_AUTHENTICATING, RS_CBS_AU_STATUS_AUTHENTICATED,
                                      RS_CBS_PORT_SECURED,            RS_CBS_AU_STATUS_MEDIA_CONNECT};
    std::vector<UCHAR> again = steps;
    again.insert(again.begin(), RS_CBS_AU_STATUS_MEDIA_DISCONNECT);  // the link before goes first
    for (int i = 0; i < 100; ++i) {
        lib->QXWL_SetWLANProfile(&profile);
        ASSERT_EQ(i == 0 ? steps : again, AuthCodes()) << "connect " << i;
        std::lock_guard<std::mutex> guard(auth.lock);
        auth.codes.clear();
    }
}

TEST_F(ConnectStateMachine, EnterpriseWithAWrongPasswordIsRejected)
{
    const WLANPROFILE profile = EnterpriseProfile("Quixen-Corp", "user", "guess");
    lib->QXWL_SetWLANProfile(&profile);
    const std::vector<UCHAR> codes = AuthCodes();
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED, codes.back());
    const WLAN_STATUS status = Status();
    EXPECT_EQ(kStatusNotConnected, status.status);
    EXPECT_EQ(LINK_STATE_AUTH_FAIL, status.linkState);
}

TEST_F(ConnectStateMachine, OneTimePasswordIsTakenOnceAndOnlyThroughTheServersInnerMethod)
{
    ASSERT_TRUE(sim.Load("[Network1]\nSsid=Token\nSecurity=WPA2\nEapMethod=PEAP\nTunnel=GTC\nIdentity=alice\n"
                         "Password=739104\nOneTimePassword=1\n"));
    WLANPROFILE profile = EnterpriseProfile("Token", "alice", "739104");
    // The right password through another inner method is refused, and not spent by it.
    lib->QXWL_SetWLANProfile(&profile);
    EXPECT_EQ(RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED, AuthCodes().back());
    profile.enumTunnel = RS_TunnelGTC;
    lib->QXWL_SetWLANProfile(&profile);
    EXPECT_EQ(RS_CBS_AU_STATUS_MEDIA_CONNECT, AuthCodes().back());
    EXPECT_EQ(QxStatus_Connected, Status().status);
    EXPECT_EQ(1u, sim.JournalLines("SIM link up Token").size());
    // Spent: the same password again is refused.
    lib->QXWL_SetWLANProfile(&profile);
    EXPECT_EQ(RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED, AuthCodes().back());
    EXPECT_EQ(kStatusNotConnected, Status().status);
    EXPECT_EQ(2u, sim.JournalLines("SIM authentication rejected Token").size());
}

TEST_F(ConnectStateMachine, AServerThatWantsACertificateTakesItsBlobWholeAndNothingElse)
{
    ASSERT_TRUE(sim.Load("[Network1]\nSsid=Lab\nSecurity=WPA2\nEapMethod=TLS\nIdentity=alice\nClientCert=1\n"));
    // The store's blobs are binary, as certificates are: zero bytes inside.
    ULONG count = 0;
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXWL_EnumCert(kCertStoreUser, nullptr, &count));
    std::vector<qxwl::CERT_INFO> certs(count);
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXWL_EnumCert(kCertStoreUser, reinterpret_cast<BYTE*>(certs.data()), &count));
    ASSERT_GE(count, 2u);
    const qxwl::CERT_INFO& wanted = certs[1];
    ASSERT_NE(nullptr, memchr(wanted.pBlob, 0, wanted.BlobLength));
    ASSERT_GT(wanted.BlobLength, strlen(reinterpret_cast<const char*>(wanted.pBlob)) + 1);

    WLANPROFILE profile = EnterpriseProfile("Lab", "alice", "");
    profile.enumAuthenProtocol = EAPMETHOD_TLS;
    profile.bClientCert = 1;
    auto present = [&](const qxwl::CERT_INFO& cert, ULONG length) {
        profile.user_cert = {};
        profile.user_cert.BlobLength = std::min<ULONG>(length, sizeof profile.user_cert.BlobData);
        memcpy(profile.user_cert.BlobData, cert.pBlob, profile.user_cert.BlobLength);
        lib->QXWL_SetWLANProfile(&profile);
        const std::vector<UCHAR> codes = AuthCodes();
        return codes.empty() ? UCHAR{0} : codes.back();
    };
    // Cut at its first zero byte, as a text would carry it: refused; another certificate too.
    EXPECT_EQ(RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED,
              present(wanted, static_cast<ULONG>(strlen(reinterpret_cast<const char*>(wanted.pBlob)))));
    EXPECT_EQ(RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED, present(certs[0], certs[0].BlobLength));
    EXPECT_EQ(RS_CBS_AU_STATUS_MEDIA_CONNECT, present(wanted, wanted.BlobLength));
    EXPECT_EQ(1u, sim.JournalLines("SIM link up Lab").size());
    lib->QXWL_FreeCertArray(reinterpret_cast<BYTE*>(certs.data()), &count);
}

TEST_F(ConnectStateMachine, SsidAndBssidConnectsUseTheSecurityInForce)
{
    lib->QXWL_SetSSID(Ssid("Quixen-Open"));
    EXPECT_EQ(QxStatus_Connected, Status().status);

    const WLANPROFILE wpa2 = Profile("Quixen-N300", AUTH_WPA2_PSK, ENCRY_AES, "quixen300");
    lib->QXWL_SetWLANProfile(&wpa2);
    EXPECT_EQ("Quixen-N300", SsidToText(Status().Ssid));
    const UCHAR hiddenBssid[6] = {0x00, 0x1A, 0x2B, 0x44, 0x71, 0x05};  // Quixen-Hidden, same security, other key
    lib->QXWL_SetBSSID(hiddenBssid);
    EXPECT_EQ(LINK_STATE_4WAY_TIMEOUT, Status().linkState);
    EXPECT_EQ(1u, sim.JournalLines("QXWL_SetBSSID(00:1A:2B:44:71:05)").size());
}

TEST_F(ConnectStateMachine, HiddenNetworkConnectsByItsName)
{
    const WLANPROFILE profile = Profile("Quixen-Hidden", AUTH_WPA2_PSK, ENCRY_AES, "hiddenpass");
    lib->QXWL_SetWLANProfile(&profile);
    EXPECT_EQ(QxStatus_Connected, Status().status);
}

TEST_F(ConnectStateMachine, NetworkOutOfRangeLeavesTheLinkDown)
{
    lib->QXWL_SetSSID(Ssid("Elsewhere"));
    const WLAN_STATUS status = Status();
    EXPECT_EQ(kStatusNotConnected, status.status);
    EXPECT_EQ(LINK_STATE_DOWN, status.linkState);
}

TEST_F(ConnectStateMachine, DisassociateDropsTheLink)
{
    lib->QXWL_SetSSID(Ssid("Quixen-Open"));
    ASSERT_EQ(QxStatus_Connected, Status().status);
    lib->QXWL_Disassociate();
    EXPECT_EQ(kStatusNotConnected, Status().status);
    EXPECT_EQ(RS_CBS_AU_STATUS_MEDIA_DISCONNECT, AuthCodes().back());
}

TEST_F(ConnectStateMachine, StatusSelectorsChooseThePartsFilled)
{
    lib->QXWL_SetSSID(Ssid("Quixen-Open"));
    const WLAN_STATUS association = Status({0, 1, 0, 0, 0});
    EXPECT_EQ(QxStatus_Connected, association.status);
    EXPECT_EQ("Quixen-Open", SsidToText(association.Ssid));
    EXPECT_EQ(0, association.rssi0);
    EXPECT_EQ(0u, association.ipAddress[0]);
    const WLAN_STATUS signal = Status({0, 0, 1, 0, 0});
    EXPECT_EQ(-45, signal.rssi0);
    EXPECT_EQ(-200, signal.rssi2);  // antenna 2 absent
    EXPECT_EQ(0u, signal.Ssid.SsidLength);
}

// --- Notifications and the library's thread ---------------------------------------------------

TEST_F(Notifications, RadioSwitchesArePostedToTheWindowOfInitial)
{
    Posted();
    lib->QXWL_SetAndWriteRadioState(FALSE);
    EXPECT_EQ((std::vector<UINT>{MSG_TURN_OFF_RADIO, MSG_SCAN_LIST_CHANGED}), Posted());  // nothing in range now
    EXPECT_FALSE(lib->QXWL_ReadRadioStatus());
    ASSERT_TRUE(sim.Set("HwRadio", 0));  // nothing more to turn off
    lib->QXWL_SetAndWriteRadioState(TRUE);
    EXPECT_TRUE(Posted().empty());
    ASSERT_TRUE(sim.Set("HwRadio", 1));
    EXPECT_EQ((std::vector<UINT>{MSG_TURN_ON_RADIO, MSG_SCAN_LIST_CHANGED}), Posted());
}

TEST_F(Notifications, RadioOffDropsTheLinkAndEmptiesTheScan)
{
    lib->QXWL_SetSSID(Ssid("Quixen-Open"));
    ASSERT_EQ(QxStatus_Connected, Status().status);
    ASSERT_TRUE(sim.Set("HwRadio", 0));
    const WLAN_STATUS status = Status();
    EXPECT_EQ(kStatusNotConnected, status.status);
    EXPECT_EQ(LINK_STATE_HW_RADIO_OFF, status.linkState);
    std::vector<BYTE> list;
    ASSERT_TRUE(ReadSiteSurveyList(lib->QXWL_SiteSurveyQuery, list, "test"));
    EXPECT_EQ(0u, BssidListView(list.data(), list.size(), "test").Count());
}

TEST_F(Notifications, NewScanListIsAnnouncedAndItsCallbackRunsOnTheLibrarysThread)
{
    Posted();
    g_scans = 0;
    ASSERT_TRUE(sim.Load("[Network1]\nSsid=Newcomer\n"));
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXWL_SiteSurveyScan(&RecordScanDone));
    sim.WaitIdle();
    EXPECT_EQ((std::vector<UINT>{MSG_SCAN_LIST_CHANGED}), Posted());
    EXPECT_EQ(1, g_scans.load());
    EXPECT_NE(0u, g_scanThread.load());
    EXPECT_NE(::GetCurrentThreadId(), g_scanThread.load());
    // The same world scanned again is no new list.
    lib->QXWL_SiteSurveyScan(&RecordScanDone);
    sim.WaitIdle();
    EXPECT_TRUE(Posted().empty());
    EXPECT_EQ(2, g_scans.load());
}

TEST_F(Notifications, ReconnectRequestReachesTheWindow)
{
    Posted();
    ASSERT_TRUE(sim.PostNotification(MSG_RECONNECT));
    EXPECT_EQ((std::vector<UINT>{MSG_RECONNECT}), Posted());
}

// --- The simulated world ---------------------------------------------------------------------

TEST_F(SimulatedWorld, BuiltInWorldOffersEveryKindOfSecurity)
{
    std::vector<BYTE> list;
    ASSERT_TRUE(ReadSiteSurveyList(lib->QXWL_SiteSurveyQuery, list, "test"));
    BssidListView view(list.data(), list.size(), "test");
    ASSERT_EQ(6u, view.Count());
    std::vector<std::string> ssids;
    for (size_t i = 0; i < view.Count(); ++i) ssids.push_back(SsidToText(view[i].Ssid));
    EXPECT_EQ((std::vector<std::string>{"Quixen-Open", "Quixen-WEP", "Quixen-WPA2", "Quixen-Corp", "", "Quixen-N300"}),
              ssids);  // the hidden one answers with an empty SSID
    EXPECT_EQ(0u, view[0].Privacy);
    EXPECT_EQ(1u, view[1].Privacy);
    EXPECT_EQ(5180000u, view[3].Configuration.DSConfig);
}

TEST_F(SimulatedWorld, ScanEntriesCarryRealInformationElements)
{
    ASSERT_TRUE(sim.Load("[Network1]\nSsid=Cafe\nChannel=6\nSecurity=WPA2-PSK\nHT=1\nWPS=1\n"
                         "[Network2]\nSsid=Old\nSecurity=WPA-PSK\n"));
    std::vector<BYTE> list;
    ASSERT_TRUE(ReadSiteSurveyList(lib->QXWL_SiteSurveyQuery, list, "test"));
    BssidListView view(list.data(), list.size(), "test");
    ASSERT_EQ(2u, view.Count());

    auto elements = [&](size_t i) {
        std::vector<std::vector<BYTE>> found;  // id, then the body
        const BYTE* ies = view.InformationElements(i);
        for (size_t at = 12; at + 2 <= view[i].IELength; at += 2 + ies[at + 1]) {
            std::vector<BYTE> element(ies + at, ies + at + 2 + ies[at + 1]);
            element.erase(element.begin() + 1);
            found.push_back(element);
        }
        return found;
    };
    auto find = [](const std::vector<std::vector<BYTE>>& all, BYTE id, BYTE ouiType = 0) -> const std::vector<BYTE>* {
        for (const auto& e : all)
            if (e[0] == id && (id != 221 || e[4] == ouiType)) return &e;
        return nullptr;
    };
    const auto cafe = elements(0);
    ASSERT_NE(nullptr, find(cafe, 0));
    EXPECT_EQ("Cafe", std::string(find(cafe, 0)->begin() + 1, find(cafe, 0)->end()));
    const std::vector<BYTE>* rsn = find(cafe, 48);
    ASSERT_NE(nullptr, rsn);
    EXPECT_EQ((std::vector<BYTE>{0x00, 0x0F, 0xAC, 0x02}), std::vector<BYTE>(rsn->begin() + 15, rsn->begin() + 19))
        << "one AKM suite: PSK";
    EXPECT_NE(nullptr, find(cafe, 45));       // HT capabilities
    EXPECT_NE(nullptr, find(cafe, 61));       // HT operation
    EXPECT_NE(nullptr, find(cafe, 221, 4));   // WPS
    const auto old = elements(1);
    EXPECT_EQ(nullptr, find(old, 48));
    EXPECT_NE(nullptr, find(old, 221, 1));    // WPA
    EXPECT_EQ(nullptr, find(old, 45));
}

TEST_F(SimulatedWorld, DriverIsNotReadyForTheFirstQueries)
{
    ASSERT_TRUE(sim.Set("InitNotReadyPolls", 2));
    std::vector<BOOL> answers;
    for (int i = 0; i < 3; ++i) {
        BOOL ready = -1;
        lib->QXWL_QueryInitState(&ready);
        answers.push_back(ready);
    }
    EXPECT_EQ((std::vector<BOOL>{FALSE, FALSE, TRUE}), answers);
}

TEST_F(SimulatedWorld, RemovedAdapterIsGoneUntilItReturns)
{
    std::vector<ADAPTER_ENTRY> adapters;
    ASSERT_TRUE(ReadAdapterList(lib->QXWL_GetAvailableAdapters, adapters, "test"));
    ASSERT_EQ(1u, adapters.size());
    ASSERT_TRUE(lib->QXWL_IsDeviceExist(adapters[0].chName));
    ASSERT_TRUE(sim.Set("DevicePresent", 0));
    EXPECT_FALSE(lib->QXWL_IsDeviceExist(adapters[0].chName));
    EXPECT_EQ(QXWL_ERROR_FAILURE, lib->QXWL_AdapterSelect(&adapters[0], nullptr, nullptr));
    ASSERT_TRUE(sim.Set("DevicePresent", 1));
    EXPECT_TRUE(lib->QXWL_IsDeviceExist(adapters[0].chName));
}

TEST_F(SimulatedWorld, OperationModeIsWrittenToDriverAndStore)
{
    ASSERT_TRUE(sim.Load("[World]\nOpMode=1\nStoredOpMode=2\n"));
    EXPECT_EQ(1, lib->QXWL_QueryOPMode());
    EXPECT_EQ(2, lib->QXWL_ReadOpMode());
    EXPECT_TRUE(lib->QXWL_SetAndWriteOPMode(0));
    EXPECT_EQ(0, lib->QXWL_QueryOPMode());
    EXPECT_EQ(0, lib->QXWL_ReadOpMode());
}

TEST_F(SimulatedWorld, WorldFileIsReadAtOnceAndAgainWhenItChanges)
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "qxsim-world-" + std::to_string(::GetCurrentProcessId()) + ".ini";
    {
        ScopedFile file(path, "[World]\nOsCode=9\n");
        ASSERT_TRUE(sim.UseWorldFile(path));
        EXPECT_EQ(9, lib->QXWL_GetWinOS());
        {
            ScopedFile changed(path, "[World]\nOsCode=10\nZeroConfig=2\n");
            // The file is looked at again a few hundred milliseconds later.
            EXPECT_TRUE(testing_support::PumpUntil([&] { return lib->QXWL_GetWinOS() == 10; }, kWaitBoundMs));
            EXPECT_EQ(2, lib->QXWL_IsZeroConfig());
        }
    }
    sim.UseWorldFile("");
}

TEST_F(SimulatedWorld, LibraryLoadedAfreshReadsTheWorldFileNamedByTheEnvironment)
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "qxsim-start-" + std::to_string(::GetCurrentProcessId()) + ".ini";
    ScopedFile file(path, "[World]\nOsCode=11\n[Network1]\nSsid=FromFile\n");
    ::SetEnvironmentVariableA(kSimWorldFileVariable, path.c_str());
    lib->Release();
    sim.Unload();  // every reference gone: the next load starts the library afresh
    ASSERT_EQ(nullptr, ::GetModuleHandleA(StandInPath().c_str()));
    ASSERT_TRUE(sim.Reload());
    ASSERT_TRUE(lib->LoadApi(StandInPath().c_str()));
    EXPECT_EQ(11, lib->QXWL_GetWinOS());
    ::SetEnvironmentVariableA(kSimWorldFileVariable, nullptr);
    std::vector<BYTE> list;
    ASSERT_TRUE(ReadSiteSurveyList(lib->QXWL_SiteSurveyQuery, list, "test"));
    BssidListView view(list.data(), list.size(), "test");
    ASSERT_EQ(1u, view.Count());
    EXPECT_EQ("FromFile", SsidToText(view[0].Ssid));
}

TEST_F(SimulatedWorld, WorldTextItCannotReadIsRefusedAndJournalled)
{
    EXPECT_FALSE(sim.Load("[World]\nOsCod=10\n"));
    EXPECT_FALSE(sim.Load("[Network1]\nSecurity=Magic\n"));
    EXPECT_EQ(12, lib->QXWL_GetWinOS());
    EXPECT_EQ(2u, sim.JournalLines("SIM_LoadWorldText: line").size());
}

TEST_F(SimulatedWorld, AStoreThatRefusesChangesAnswersFailureAndKeepsWhatItHeld)
{
    ASSERT_TRUE(sim.Load("[World]\nProfileStoreRefuses=1\n[Profile1]\nName=Home\nSsid=Home\nSecurity=Open\n"));
    WLANPROFILE office = Profile("Office", AUTH_OPEN, ENCRY_NONE);
    strcpy(office.strProfileName, "Office");
    EXPECT_NE(QXWL_ERROR_SUCCESS, lib->QXWL_WriteProfile("Office", &office));
    const BYTE pac[516] = {};  // one entry of the library's PAC list
    EXPECT_NE(QXWL_ERROR_SUCCESS, lib->QXWL_WritePACList(1, pac, "Home"));
    EXPECT_NE(QXWL_ERROR_SUCCESS, lib->QXWL_DeleteProfile("Home", FALSE));
    std::vector<WLANPROFILE> profiles;
    ASSERT_TRUE(ReadProfileList(lib->QXWL_ReadProfileList, profiles, "test"));
    ASSERT_EQ(1u, profiles.size());  // the world's own profile, and nothing the program tried
    EXPECT_STREQ("Home", profiles[0].strProfileName);
    ULONG count = 9;
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXWL_ReadPACList(&count, nullptr, "Home"));
    EXPECT_EQ(0u, count);
    ASSERT_TRUE(sim.Set("ProfileStoreRefuses", 0));
    EXPECT_EQ(QXWL_ERROR_SUCCESS, lib->QXWL_WriteProfile("Office", &office));
}

TEST_F(SimulatedWorld, ProfileWrittenUnderANewNameReplacesTheStoredOne)
{
    WLANPROFILE home = Profile("Home", AUTH_OPEN, ENCRY_NONE);
    strcpy(home.strProfileName, "Home");
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXWL_WriteProfile("Home", &home));
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXWL_CopyProfileToCurrentSetting("Home"));
    strcpy(home.strProfileName, "House");
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXWL_WriteProfile("Home", &home));
    std::vector<WLANPROFILE> profiles;
    ASSERT_TRUE(ReadProfileList(lib->QXWL_ReadProfileList, profiles, "test"));
    ASSERT_EQ(1u, profiles.size());
    EXPECT_STREQ("House", profiles[0].strProfileName);
    char active[kProfileNameBytes] = {};
    lib->QXWL_ReadActiveProfileName(active);
    EXPECT_STREQ("House", active);
    EXPECT_EQ(-16, lib->QXWL_CheckDuplicatedProfileName("house"));
}
