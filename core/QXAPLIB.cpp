#include "core/QXAPLIB.h"
#include "base/DebugLog.h"
#include "base/IniFile.h"
#include "core/LibraryBinding.h"
#include "contract/StationContract.h"

QXAPLIB QXAPAPI;

namespace {
// Stands in for an entry point the loaded library lacks: the call is logged and answers
// failure (QXWL_ERROR_FAILURE, FALSE, 0).
void LogUnboundCall(LPCSTR name)
{
    DebugLog(1, "[ApUI] %s() is not bound to a loaded QxAPAPI.dll, return not QXWL_ERROR_SUCCESS\n", name);
}
#define QXAP_DEFINE_UNBOUND(ret, name, params) DEFINE_UNBOUND_ENTRY_POINT(LogUnboundCall, ret, name, params)
QXAP_ENTRY_POINTS(QXAP_DEFINE_UNBOUND)
#undef QXAP_DEFINE_UNBOUND

}  // namespace

QXAPLIB::QXAPLIB()
{
    BindUnbound();
}

void QXAPLIB::BindUnbound()
{
#define QXAP_BIND_UNBOUND(ret, name, params) name = &Unbound_##name;
    QXAP_ENTRY_POINTS(QXAP_BIND_UNBOUND)
#undef QXAP_BIND_UNBOUND
}

bool QXAPLIB::LoadApi(LPCSTR path)
{
    ReadIni();
    if (!path) return false;
    HMODULE module = ::LoadLibraryA(path);
    if (!module) {
        DebugLog(1, "[ApUI] LoadLibrary(%s) fail! GetLastError() return %d\n", path, static_cast<int>(::GetLastError()));
        return false;
    }
    m_hQxAPAPI = module;
    Bind(module);
    m_AdapterEntry.chName[0] = '\0';
    m_AdapterEntry.chDeviceID[0] = '\0';
    m_AdapterEntry.chText128[0] = '\0';
    m_AdapterEntry.chText392[0] = '\0';
    return true;
}

void QXAPLIB::Bind(HMODULE module)
{
#define QXAP_BIND(ret, name, params)                                              \
    name = ResolveEntryPoint<PFN_##name>(module, #name);                                   \
    if (!name) {                                                                 \
        DebugLog(1, "[ApUI] QxAPAPI.dll has no entry point %s\n", #name);      \
        name = &Unbound_##name;                                                  \
    }
    QXAP_ENTRY_POINTS(QXAP_BIND)
#undef QXAP_BIND
}

void QXAPLIB::ReadIni()
{
    EnableCountryRegion = ReadIniFlagNot0("CountryRegion", "EnableCountryRegion", "1");
    ShowPasswordCheckBox = ReadIniFlagNot0("AuthEncry", "ShowPasswordCheckBox", "0");
    DisplayPassword = ReadIniFlagNot0("AuthEncry", "DisplayPassword", "0");
    N11Setting = ReadIniFlagNot0("Page", "11n Setting", "0");
    Select11nDialog = ReadIniFlagNot0("Advance", "Select11nDialog", "0");
    if (Select11nDialog) {
        TxRate = 1;
        HTSetting = 1;
    } else {
        TxRate = ReadIniFlagNot0("Advance", "TxRate", "0");
        HTSetting = ReadIniFlagNot0("Advance", "HT Setting", "0");
    }
    BgProtection = ReadIniFlagNot0("Advance", "BgProtection", "0");
    WaitforDriverInitialized = ReadIniInt("Advance", "WaitforDriverInitialized", 5);
    TGnWiFiTest = ReadIniInt("Advance", "TGnWiFiTest", 0);
    RTSSuccessCount = ReadIniFlagNot0("Statistics", "RTSSuccessCount", "0");
    RTSFailureCount = ReadIniFlagNot0("Statistics", "RTSFailureCount", "0");
    DebugMode = ReadIniInt("Settings", "DebugMode", 0);
    // These two are on when the value is exactly "0", which a missing key gives too.
    ProhibitTKIPonHT = ReadModuleIniString("Settings", "ProhibitTKIPonHT", "0") == "0" ? 1 : 0;
    ProhibitWEPonHT = ReadModuleIniString("Settings", "ProhibitWEPonHT", "0") == "0" ? 1 : 0;
    UTILITY_FILE_NAME = ReadModuleIniString("QxSwap", "UTILITY_FILE_NAME", "QxUI");
    SHORTCUT_FOLDER_NAME = ReadModuleIniString("QxSwap", "SHORTCUT_FOLDER_NAME", "Quixen Wireless");
    SHORTCUT_UI_NAME = ReadModuleIniString("QxSwap", "SHORTCUT_UI_NAME", "Quixen Wireless Utility");
}
