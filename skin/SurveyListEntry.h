// One row of the site-survey list (the profile-control page's small list uses it too), and the
// rules that turn a scan record into a row: security code and text, cipher text, ordering.
#pragma once
#include "framework/Afx.h"
#include "contract/IeParseResult.h"

#include <vector>

struct SURVEY_LIST_ENTRY {
    ULONG nNetworkMode = 1;    // the record's infrastructure mode: 0 ad hoc, 1 infrastructure
    ULONG nNetworkType = 0;    // NDIS numbering; 3 = OFDM 2.4 GHz
    ULONG nSignal = 0;         // percent, 0-100
    CString strSsid;           // empty for a network that hides its name
    CString strChannel;        // decimal, empty when the frequency has no channel
    CString strSecurity;
    ULONG bConnected = 0;      // 1 for the network in use
    ULONG bSecured = 0;        // privacy bit, or any authentication or cipher bit
    ULONG nIeWord20 = 0;       // the parse result's words at bytes 20 and 148, carried only
    ULONG nIeWord148 = 0;
    ULONG bOfdmBasicRate = 0;  // OFDM 2.4 GHz with a basic OFDM rate among the 16 rate bytes
    ULONG nWapiKind = 0;       // 1 WAPI-PSK, 2 WAPI certificate, 0 neither
    BYTE Bssid[6] = {};
    // Where the row's own record lies in the page's scan buffer: Connect takes this record, so
    // two networks of one name are never confused.
    size_t nRecordOffset = 0;
};

// The scan-numbered security codes of the list (not the profile record's codes).
enum SurveyAuthCode : int {
    SURVEY_AUTH_NONE = 0, SURVEY_AUTH_WPA = 1, SURVEY_AUTH_WPA_PSK = 2, SURVEY_AUTH_WPA_NONE = 3,
    SURVEY_AUTH_WPA2 = 4, SURVEY_AUTH_WPA2_PSK = 5, SURVEY_AUTH_WAPI_PSK = 6, SURVEY_AUTH_WAPI_CERT = 7,
    SURVEY_AUTH_CCKM = 8,
};

// The authentication bit mask of the parse result as a survey code; a mask that mixes methods
// beyond WPA+WPA2 and WPA-PSK+WPA2-PSK gives the strongest it offers (pre-shared key first).
int AuthBitsToProfileAuth(ULONG authBits);
// The record's survey code: CCKM from Vista on when the parse result flags it, else by the bits.
int SurveyAuthCode(const IE_PARSE_RESULT& parsed, LONG osCode);
// The security column's text for a code; codes without a name read "WEP" when secured and the
// language's "disabled" text when open.
CString SurveySecurityText(int code, bool secured);
// "NONE", or the cipher names joined with "+" ("TKIP+AES").
CString CipherBitsText(ULONG cipherBits);
bool IsSecuredRecord(const NDIS_WLAN_BSSID_EX& record, const IE_PARSE_RESULT& parsed);
// 1 when the OFDM 2.4 GHz record offers 6, 9 or 12 Mbit/s or more as a basic rate.
ULONG HasOfdmBasicRate(const NDIS_WLAN_BSSID_EX& record);
ULONG WapiKind(ULONG authBits);
// The indexes of the SSIDs in ascending byte order; equal SSIDs keep their order.
std::vector<size_t> OrderBySsid(const std::vector<CString>& ssids);
