// Trace dumps of the station library's records: one debug-log line per field at level 4,
// bracketed by "--> Dump..." / "struct ...:" and "<-- Dump...". No secret is written (WEP keys,
// pass phrase, password, PIN, WPS key bytes); counts and lengths are clamped to the record.
#pragma once
#include "contract/StationRecords.h"

void DumpWlanProfile(const WLANPROFILE& profile);
void DumpCCX2Ctrl(CCX2_CONTROL control);
void DumpAdvanceCfg(const ADVANCE_CONFIG_DATA& config);
void DumpAdvanceOID(const ADVANCE_OID& oid);
void DumpWPSMode(const WPS_MODE& mode);
void DumpOneWPSProfile(const WPS_CREDENTIAL& credential);
void DumpWPSProfile(const WPS_PROFILE& profile);
