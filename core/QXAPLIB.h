// The soft-AP library object: "QxAPAPI.dll" bound by name, the soft-AP adapter entry and the
// soft-AP settings of the settings file.
#pragma once
#include "framework/Afx.h"
#include "contract/SoftApEntryPoints.h"

class QXAPLIB {
public:
    QXAPLIB();  // every entry point answers failure until a library is loaded
    QXAPLIB(const QXAPLIB&) = delete;
    QXAPLIB& operator=(const QXAPLIB&) = delete;

    // Reads the soft-AP settings, loads the library from path and binds every entry point.
    // False when path is null or the library cannot be loaded; the settings stand anyway.
    // There is no release: each load adds a reference and the library stays until the process
    // ends, so no entry point ever points into an unloaded library.
    bool LoadApi(LPCSTR path);
    bool IsLoaded() const { return m_hQxAPAPI != nullptr; }

    HMODULE m_hQxAPAPI = nullptr;
    ADAPTER_ENTRY m_AdapterEntry = {};  // the soft-AP adapter, handed to QXAP_AdapterSelect

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

    // The entry points, one pointer each, named after the library's functions. Before the first
    // load, and for an entry point the library lacks, each is a stub that logs the call and
    // answers failure (the program calls them all without testing).
#define QXAP_DECLARE_MEMBER(ret, name, params) PFN_##name name = nullptr;
    QXAP_ENTRY_POINTS(QXAP_DECLARE_MEMBER)
#undef QXAP_DECLARE_MEMBER

private:
    void Bind(HMODULE module);
    void BindUnbound();
};

extern QXAPLIB QXAPAPI;
