#include "core/QXAPLIB.h"
#include "core/IniFile.h"

QXAPLIB QXAPAPI;

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
