// The soft-AP library object: the settings it carries.
// (The library binding and entry points join this class with the soft-AP library.)
#pragma once
#include "framework/Afx.h"

class QXAPLIB {
public:
    QXAPLIB() = default;
    QXAPLIB(const QXAPLIB&) = delete;
    QXAPLIB& operator=(const QXAPLIB&) = delete;

    // The soft-AP keys of the settings file, in the order they are read.
    void ReadIni();

    int EnableCountryRegion = 0;
    int ShowPasswordCheckBox = 0;
    int DisplayPassword = 0;
    int TxRate = 0;
    int BgProtection = 0;
    int HTSetting = 0;        // key "HT Setting"
    int N11Setting = 0;       // key "11n Setting" of [Page]
    int WaitforDriverInitialized = 0;
    int TGnWiFiTest = 0;
    int RTSSuccessCount = 0;
    int RTSFailureCount = 0;
    int DebugMode = 0;
    int ProhibitTKIPonHT = 0;
    int ProhibitWEPonHT = 0;
    int Select11nDialog = 0;

    // [QxSwap]
    CString UTILITY_FILE_NAME;
    CString SHORTCUT_FOLDER_NAME;
    CString SHORTCUT_UI_NAME;
};

extern QXAPLIB QXAPAPI;
