// The adapter handed between the utility and the system's wireless service, against the
// stand-in services registered in the prefix and the real registry.
#include "HideDlgFixture.h"
#include "base/DebugLog.h"
#include "support/LogCapture.h"
#include "support/ServiceControl.h"

#include <shlwapi.h>
#include <string>
#include <vector>

using namespace hidedlg_testing;

namespace {
// The interface key of the stand-in adapter (its instance id as the station stand-in reports it).
constexpr char kInterfaceKey[] =
    "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\{6E4F7A10-4471-4C2B-9D7E-2B1A00004471}";
constexpr char kInterfacesKey[] = "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces";
constexpr char kInterfacesParent[] = "SOFTWARE\\Microsoft\\WZCSVC";
constexpr DWORD kServiceConfigures = 0x8000;
constexpr DWORD kOtherFlags = 0x0002;

class HandOver : public HideDlgFixture {
protected:
    void SetUp() override
    {
        HideDlgFixture::SetUp();
        manager.reset(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
        ASSERT_TRUE(manager);
        zeroConfig.reset(::OpenServiceA(manager.get(), "WZCSVC", SERVICE_ALL_ACCESS));
        wlan.reset(::OpenServiceA(manager.get(), "Wlansvc", SERVICE_ALL_ACCESS));
        ASSERT_TRUE(zeroConfig && wlan) << "the stand-in services are not registered (scripts/common.sh)";
        Reset(zeroConfig.get());
        Reset(wlan.get());
    }
    void TearDown() override
    {
        if (zeroConfig) Reset(zeroConfig.get());
        if (wlan) Reset(wlan.get());
        ::SHDeleteKeyA(HKEY_LOCAL_MACHINE, kInterfacesParent);  // the key and all below it, as on XP
        HideDlgFixture::TearDown();
    }
    static void Reset(SC_HANDLE service)
    {
        StopServiceAndWait(service);
        ::ChangeServiceConfigA(service, SERVICE_NO_CHANGE, SERVICE_DEMAND_START, SERVICE_NO_CHANGE, nullptr, nullptr,
                               nullptr, nullptr, nullptr, nullptr, nullptr);
    }
    static void WriteFlags(DWORD flags)
    {
        HKEY key = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kInterfaceKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                                   nullptr, &key, nullptr));
        ::RegSetValueExA(key, "ControlFlags", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flags), sizeof flags);
        ::RegCloseKey(key);
    }
    static DWORD Flags()
    {
        DWORD flags = 0, size = sizeof flags;
        ::RegGetValueA(HKEY_LOCAL_MACHINE, kInterfaceKey, "ControlFlags", RRF_RT_REG_DWORD, nullptr, &flags, &size);
        return flags;
    }
    DWORD StartType(SC_HANDLE service)
    {
        DWORD needed = 0;
        ::QueryServiceConfigA(service, nullptr, 0, &needed);
        std::vector<BYTE> buffer(needed ? needed : 1);
        auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
        return ::QueryServiceConfigA(service, config, needed, &needed) ? config->dwStartType : 0;
    }
    bool ZeroConfigRunning() { return WaitForServiceState(zeroConfig.get(), SERVICE_RUNNING); }

    testing_support::ServiceHandle manager, zeroConfig, wlan;
};
}  // namespace

TEST_F(HandOver, TrayCommandOnXpGivesTheAdapterToTheServiceAndSetsItsInterfaceBit)
{
    WriteFlags(kOtherFlags);
    CHideDlg& d = Start("[World]\nOsCode=8\n");
    sim.ClearJournal();
    testing_support::LogCapture log(3);
    d.SendMessage(WM_COMMAND, ID_TRAY_SWITCH_CONFIG);

    EXPECT_TRUE(log.Contains("[QxUI] Set VN_OID_802_11_INFRASTRUCTURE_MODE as 1, return "));
    EXPECT_TRUE(log.Contains("[QxUI] QXWL_ReadConfigData() return TRUE\n"));
    EXPECT_TRUE(log.Contains("[QxUI] Set VN_OID_802_11_INFRASTRUCTURE_MODE, return "));
    EXPECT_EQ(1u, d.m_Data.bZeroConfig);
    EXPECT_TRUE(ZeroConfigRunning());
    EXPECT_EQ(static_cast<DWORD>(SERVICE_AUTO_START), StartType(zeroConfig.get()));
    EXPECT_EQ(kOtherFlags | kServiceConfigures, Flags());
    EXPECT_TRUE(Called("QXWL_WriteRegValue(NetworkType, 1, 1, 1)"));
    EXPECT_TRUE(Called("QXWL_OIDSetInfo(0x0D810108, 4, 01:00:00:00)"));
    EXPECT_TRUE(Called("QXWL_OIDSetInfo(0x0DF1013B, 12,"));
    EXPECT_TRUE(Called("QXWL_Release"));
}

TEST_F(HandOver, TrayCommandWhileTheServiceOwnsTheAdapterTakesItBackAndStopsTheService)
{
    WriteFlags(kServiceConfigures);
    CHideDlg& d = Start("[World]\nOsCode=8\n");
    ASSERT_TRUE(StartServiceAndWait(zeroConfig.get()));
    sim.Set("ZeroConfig", 2);
    sim.ClearJournal();
    d.SendMessage(WM_COMMAND, ID_TRAY_SWITCH_CONFIG);

    EXPECT_EQ(0u, d.m_Data.bZeroConfig);
    EXPECT_TRUE(WaitForServiceState(zeroConfig.get(), SERVICE_STOPPED));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_DEMAND_START), StartType(zeroConfig.get()));
    EXPECT_TRUE(Called("QXWL_RunOnceInitConfigTxBurst"));  // the card is initialised again
    EXPECT_FALSE(Called("QXWL_StopAuth"));
}

// The service reads its flags when it starts: a running one is stopped before they change, and
// started again afterwards.
TEST_F(HandOver, ChangingTheInterfaceBitStopsARunningServiceFirst)
{
    for (BOOL enable : {FALSE, TRUE}) {
        SCOPED_TRACE(enable);
        WriteFlags(enable ? 0 : kServiceConfigures);
        CHideDlg& d = Start("[World]\nOsCode=9\n");
        ASSERT_TRUE(StartServiceAndWait(zeroConfig.get()));
        DWORD stateAtStop = 0, flagsAtStop = 0;
        const int savedMode = QXWLAPI.nDebugMode;
        QXWLAPI.nDebugMode = 3;
        SetDebugOutputSink([&](LPCSTR line) {
            if (std::string(line).find("<-- CHideDlg::StopXpZeroConfig") == std::string::npos) return;
            stateAtStop = ServiceState(zeroConfig.get());
            flagsAtStop = Flags();
        });
        d.StartXpZeroConfig(enable);
        SetDebugOutputSink(nullptr);
        QXWLAPI.nDebugMode = savedMode;

        EXPECT_NE(static_cast<DWORD>(SERVICE_RUNNING), stateAtStop);
        EXPECT_EQ(enable ? 0u : kServiceConfigures, flagsAtStop);
        EXPECT_EQ(enable ? kServiceConfigures : 0u, Flags());
        EXPECT_TRUE(ZeroConfigRunning());
        dlg.reset();
        Reset(zeroConfig.get());
    }
}

TEST_F(HandOver, WithoutTheInterfaceKeyTheServiceIsStillStarted)
{
    CHideDlg& d = Start("[World]\nOsCode=8\n");
    d.StartXpZeroConfig(TRUE);
    EXPECT_TRUE(ZeroConfigRunning());
    HKEY key = nullptr;
    EXPECT_NE(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInterfaceKey, 0, KEY_READ, &key));
}

TEST_F(HandOver, WithoutTheAdapterInstanceIdNeitherKeysNorServiceAreTouched)
{
    WriteFlags(0);
    CHideDlg& d = Start("[World]\nOsCode=8\n");
    QXWLAPI.Release();  // every entry point now answers failure, the instance id too
    d.StartXpZeroConfig(TRUE);
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), ServiceState(zeroConfig.get()));
    EXPECT_EQ(0u, Flags());
    HKEY parent = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInterfacesKey, 0, KEY_READ, &parent));
    EXPECT_NE(ERROR_SUCCESS, ::RegQueryValueExA(parent, "ControlFlags", nullptr, nullptr, nullptr, nullptr));
    ::RegCloseKey(parent);
}

// An interface key without its flag word counts as an empty word: handing over writes the bit,
// taking back has nothing to clear. A word of another kind is never replaced.
TEST_F(HandOver, InterfaceKeyWithoutItsFlagWordGetsTheBitAndAForeignValueIsKept)
{
    CHideDlg& d = Start("[World]\nOsCode=8\n");
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kInterfaceKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                               nullptr, &key, nullptr));
    d.StartXpZeroConfig(FALSE);
    EXPECT_NE(ERROR_SUCCESS, ::RegQueryValueExA(key, "ControlFlags", nullptr, nullptr, nullptr, nullptr));
    d.StartXpZeroConfig(TRUE);
    EXPECT_EQ(kServiceConfigures, Flags());

    const char text[] = "32768";
    ::RegSetValueExA(key, "ControlFlags", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);
    d.StartXpZeroConfig(TRUE);
    char stored[16] = "";
    DWORD type = 0, size = sizeof stored;
    EXPECT_EQ(ERROR_SUCCESS,
              ::RegQueryValueExA(key, "ControlFlags", nullptr, &type, reinterpret_cast<BYTE*>(stored), &size));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_STREQ(text, stored);
    ::RegCloseKey(key);
    EXPECT_TRUE(ZeroConfigRunning());
}

TEST_F(HandOver, FromVistaOnOnlyAuthenticationStopsAndTheAdapterIsReleased)
{
    WriteFlags(0);
    CHideDlg& d = Start("[World]\nOsCode=10\n");
    sim.ClearJournal();
    d.SendMessage(WM_COMMAND, ID_TRAY_SWITCH_CONFIG);  // the XP family's command only
    EXPECT_FALSE(Called("QXWL_StopAuth"));

    d.OnTraySwitchZeroConfig();
    EXPECT_EQ(1u, d.m_Data.bZeroConfig);
    EXPECT_TRUE(Called("QXWL_StopAuth"));
    EXPECT_TRUE(Called("QXWL_Release"));
    EXPECT_FALSE(Called("QXWL_WriteRegValue"));
    EXPECT_FALSE(Called("QXWL_OIDSetInfo"));
    EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), ServiceState(zeroConfig.get()));
    EXPECT_EQ(0u, Flags());
}

TEST_F(HandOver, ExitOnXpHandsTheAdapterToTheService)
{
    WriteFlags(0);
    Start("[World]\nOsCode=7\n");
    dlg->SendMessage(WM_COMMAND, ID_TRAY_EXIT);
    EXPECT_TRUE(ZeroConfigRunning());
    EXPECT_EQ(kServiceConfigures, Flags());
    const auto stored = ReadDataFile();
    ASSERT_TRUE(stored);
    EXPECT_EQ(0u, stored->bZeroConfig);  // the utility owned it: the next start takes it back
}

TEST_F(HandOver, WlansvcRunningFollowsTheService)
{
    CHideDlg& d = Start("[World]\nOsCode=12\n");
    EXPECT_FALSE(d.IsWlansvcRunning());
    ASSERT_TRUE(StartServiceAndWait(wlan.get()));
    EXPECT_TRUE(d.IsWlansvcRunning());
    StopServiceAndWait(wlan.get());
    EXPECT_FALSE(d.IsWlansvcRunning());
}
