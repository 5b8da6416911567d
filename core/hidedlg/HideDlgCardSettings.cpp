// Pushes the settings the station library keeps back into the adapter, then reconnects with
// the stored WPS credential or the active stored profile.
#include "base/DebugLog.h"
#include "core/hidedlg/HideDlg.h"
#include "core/QXWLLIB.h"
#include "core/StationRecordDumps.h"
#include "contract/StationContract.h"

#include <cstring>

namespace {
constexpr char kCaller[] = "CHideDlg::InitCard_SetOidFromReg";
constexpr ULONG kLegacyModeNoBw = 2;   // LEGACYMODE 2: no 40 MHz, HtMode taken from it
constexpr ULONG kLegacyModeHtLast = 3;
}  // namespace

ADVANCE_OID CHideDlg::BuildAdvanceOid(const ADVANCE_CONFIG_DATA& config)
{
    namespace ts = transmit_setting;
    const ULONG word = config.TransmitSetting;
    const ULONG legacy = GetBits(word, ts::LEGACYMODE);
    ADVANCE_OID oid{};
    oid.PhyMode = GetBits(word, ts::PhyMode);
    oid.TransmitNo = static_cast<UCHAR>(GetBits(word, ts::TRANSNO));
    oid.HtMode = static_cast<UCHAR>((legacy == kLegacyModeNoBw || legacy == kLegacyModeHtLast) ? legacy
                                                                                               : GetBits(word, ts::HTMODE));
    oid.ExtOffset = static_cast<UCHAR>(GetBits(word, ts::EXTCHA));
    oid.MCS = static_cast<UCHAR>(GetBits(word, ts::MCS));
    oid.BW = static_cast<UCHAR>(legacy == kLegacyModeNoBw ? 0 : GetBits(word, ts::BW));
    oid.STBC = static_cast<UCHAR>(GetBits(word, ts::STBC));
    oid.SHORTGI = static_cast<UCHAR>(GetBits(word, ts::ShortGI));
    oid.nBGProtection = config.BGProtection;
    oid.bTXBurst = static_cast<ULONG>(config.TXBurst);
    oid.CountryRegIndex11BG = static_cast<ULONG>(config.CountryRegion);
    oid.CountryRegIndex11A = static_cast<ULONG>(config.CountryRegionABand);
    oid.VNphyMode = static_cast<ULONG>(config.WirelessMode);
    oid.nTXRate = static_cast<ULONG>(config.TransRate);
    return oid;
}

bool CHideDlg::ReadActiveStoredProfile(WLANPROFILE& stored, LPCSTR caller)
{
    char name[kProfileNameBytes] = {};
    DebugLog(3, "[QxUI] call QXWL_ReadActiveProfileName()\n");
    if (!IsSuccess(QXWLAPI.QXWL_ReadActiveProfileName(name), "QXWL_ReadActiveProfileName", caller)) return false;
    name[sizeof name - 1] = '\0';
    if (name[0] == '\0') {
        DebugLog(3, "[QxUI] %s: no stored profile is active\n", caller);
        return false;
    }
    DebugLog(3, "[QxUI] call QXWL_ReadProfileData()\n");
    if (IsSuccess(QXWLAPI.QXWL_ReadProfileData(&stored, name), "QXWL_ReadProfileData", caller)) return true;
    // What a failed read left in the record is no profile.
    std::memset(&stored, 0, sizeof stored);
    return false;
}

void CHideDlg::InitCard_SetOidFromReg(BOOL bSetAdvance, BOOL bConnect)
{
    DebugLog(3, "[QxUI] --> CHideDlg::InitCard_SetOidFromReg\n");
    if (!G_bReConnect) {
        DebugLog(3, "[QxUI] G_bReConnect is FALSE!\n");
        DebugLog(3, "[QxUI] <-- CHideDlg::InitCard_SetOidFromReg\n");
        return;
    }
    WLANPROFILE& stored = *G_pProfileBuffer;
    std::memset(&stored, 0, sizeof stored);
    WPS_MODE wpsMode{};
    WPS_PROFILE wpsProfile{};
    BOOL wpsFlag = FALSE;
    QXWLAPI.QXWL_ReadWPSFlag(&wpsFlag);
    QXWLAPI.QXWL_ReadWPSProfile(&wpsMode, &wpsProfile);

    DebugLog(3, "[QxUI] call QXWL_ReadCCX2Cont()\n");
    CCX2_CONTROL ccx = 0;
    QXWLAPI.QXWL_ReadCCX2Cont(&ccx);
    DebugLog(3, "[QxUI] QXWL_ReadCCX2Cont() return...\n");
    DumpCCX2Ctrl(ccx);

    if (bSetAdvance) {
        DebugLog(3, "[QxUI] bSetAdvance is TRUE\n");
        ADVANCE_CONFIG_DATA config{};
        DebugLog(3, "[QxUI] call QXWL_ReadAdvanceCfgData()\n");
        // Without the stored settings the adapter keeps its own: an all-zero record would set
        // the wireless mode, the country regions and the rate to 0.
        if (IsSuccess(QXWLAPI.QXWL_ReadAdvanceCfgData(&config), "QXWL_ReadAdvanceCfgData", kCaller)) {
            DebugLog(3, "[QxUI] call QXWL_ReadAdvanceCfgData() return...\n");
            DumpAdvanceCfg(config);
            const ADVANCE_OID oid = BuildAdvanceOid(config);
            DebugLog(3, "[QxUI] Before call QXWL_SetAdvanceSetting()...\n");
            DumpAdvanceOID(oid);
            DebugLog(3, "[QxUI] call QXWL_SetAdvanceSetting()\n");
            QXWLAPI.QXWL_SetAdvanceSetting(oid);
        }
        QXWLAPI.QXWL_QuerySTAConfig(&stored.configSta);
    }
    const IMainWindow::ProfileMarks marks = m_pQxUI ? m_pQxUI->ActiveProfileMarks() : IMainWindow::ProfileMarks{};
    if (marks.pActiveProfile) *marks.pActiveProfile = 0;

    if (wpsFlag) {
        DebugLog(3, "[QxUI] WPS flag is TRUE\n");
        if (wpsProfile.ProfileCnt > 0 && QXWLAPI.QXWL_IsZeroConfig() != 2) {
            DebugLog(3, "[QxUI] call QXWL_StopAuth()\n");
            QXWLAPI.QXWL_StopAuth();
            QueueWpsCredential(wpsProfile);
        }
        DebugLog(3, "[QxUI] <-- CHideDlg::InitCard_SetOidFromReg\n");
        return;
    }

    DebugLog(3, "[QxUI] WPS flag is FALSE\n");
    // A failed read leaves no profile: nothing is connected below.
    ReadActiveStoredProfile(stored, kCaller);
    if (marks.pActiveProfile) {
        *marks.pActiveProfile = 1;
        DebugLog(3, "[QxUI] m_pPageProfileDlg->m_bActiveProfile = %d, m_pPageProfileDlg->m_strProfile = %s\n",
                 *marks.pActiveProfile, marks.pProfile->GetString());
    }
    stored.bSetAdvance = bSetAdvance ? 1 : 0;
    // No active profile: its empty record would only drop a link the user made meanwhile.
    if (bConnect && HoldsNoProfile(stored)) {
        DebugLog(3, "[QxUI] bConnect is TRUE, but no profile is active: nothing to connect\n");
    } else if (bConnect) {
        DebugLog(3, "[QxUI] bConnect is TRUE\n");
        DebugLog(3, "[QxUI] Insert profile type action!\n");
        InsertAndExec(actionTypeProfile, &stored);
    }
    DebugLog(3, "[QxUI] <-- CHideDlg::InitCard_SetOidFromReg\n");
}
