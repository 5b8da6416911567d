// What every caller of the station library relies on: status words, the notifications the
// library posts, the too-small protocol of list queries, the one way failures are logged, and
// safe reading of the lists and texts the library returns.
// Depends on the platform only, so the stand-in libraries share its constants.
#pragma once
#include "contract/StationEntryPoints.h"

#include <functional>
#include <string>
#include <vector>

// Status words. Queries that answer a question return the answer instead.
constexpr LONG QXWL_ERROR_SUCCESS = 1;
constexpr LONG QXWL_ERROR_FAILURE = 0;  // zero, so a caller that tests "non-zero" never reads a failure as success
constexpr LONG QXWL_ERROR_BUFFER_TOO_SMALL = -10;
constexpr LONG QXWL_ERROR_WIFIDIRECT_NO_IP = -31;
constexpr LONG QXWL_ERROR_WIFIDIRECT_SUBNETMASK_NOT_MATCH = -32;
constexpr LONG QXWL_ERROR_WIFIDIRECT_SVC_OPEN_SCMGR = -35;
constexpr LONG QXWL_ERROR_WIFIDIRECT_SVC_OPEN_SVC = -36;
constexpr LONG QX_SVC_ERR_QUERY_SVC_STATUS = -37;

// Posted by the library to the window given to QXWL_Initial (and QXWL_AdapterSelect).
constexpr UINT MSG_SCAN_LIST_CHANGED = WM_USER + 1;  // a new scan list is available
constexpr UINT MSG_TURN_ON_RADIO = WM_USER + 2;
constexpr UINT MSG_TURN_OFF_RADIO = WM_USER + 3;
constexpr UINT MSG_RECONNECT = WM_USER + 8;

// Status codes of the 802.1X callback (first argument of QXWL_AUTH_CALLBACK).
enum : UCHAR {
    RS_CBS_FAST_SAVE_PAC = 2, RS_CBS_CHANGE_PASSWORD_SUCCESS = 3, RS_CBS_AU_STATUS_LINK_DOWN = 4,
    RS_CBS_AU_STATUS_START = 5, RS_CBS_AU_STATUS_LINK_UP = 6, RS_CBS_AU_STATUS_AUTHENTICATING = 7,
    RS_CBS_AU_STATUS_AUTHENTICATED = 14, RS_CBS_AU_STATUS_FAST_PROVISIONING_SUCCESS = 15,
    RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED = 16, RS_CBS_AU_STATUS_AUTH_TIMEOUT = 17,
    RS_CBS_CHANGE_PASSWORD_REQUEST = 20, RS_CBS_FAST_PAC_AID_INFO = 21, RS_CBS_FAST_INVALID_PAC_OPAQUE = 22,
    RS_CBS_FAST_LOAD_PAC = 23, RS_CCX_DIAG_PROFILE = 25, RS_CCX_VENDOR_MSG_STR = 26,
    RS_CBS_AU_STATUS_MEDIA_CONNECT = 29, RS_CBS_AU_STATUS_MEDIA_DISCONNECT = 30, RS_CBS_ICV_ERROR = 31,
    RS_CBS_PORT_SECURED = 32,
};

// The vendor text of QXWL_Initial.
inline constexpr char kStationVendorText[] = "Quixen";
// Capacity of the 802.1X callback's reply buffer (a password or a PAC name and its terminator).
constexpr size_t kAuthReplyBytes = 256;
// First buffers of the list queries.
constexpr LONG kFirstAdapterCapacity = 1;
constexpr ULONG kSiteSurveyBufferBytes = 15364;
// Largest list a library answer may ask us to allocate.
constexpr ULONG kMaxListBytes = 16u * 1024 * 1024;

// The one way a library failure is logged (level 1):
// "[QxUI] <caller>: <entry point>() return not QXWL_ERROR_SUCCESS (<status>)".
void LogNotSuccess(LPCSTR entryPoint, LONG status, LPCSTR caller);
// True for QXWL_ERROR_SUCCESS; any other status is logged as above.
bool IsSuccess(LONG status, LPCSTR entryPoint, LPCSTR caller);

// One call of a list query: fill `buffer` of `capacityBytes`; answer the status, and with
// QXWL_ERROR_BUFFER_TOO_SMALL the bytes needed in `neededBytes`.
using ListQuery = std::function<LONG(BYTE* buffer, ULONG capacityBytes, ULONG& neededBytes)>;
// The too-small protocol: one call with firstBytes; on -10 exactly one more with a buffer of the
// size asked for (refused above kMaxListBytes). Answers the last status; `buffer` is sized to the
// last capacity offered and holds what the library wrote. Failures are logged.
LONG RunTooSmallProtocol(std::vector<BYTE>& buffer, ULONG firstBytes, const ListQuery& query, LPCSTR entryPoint,
                         LPCSTR caller);

// The adapter list (QXWL_GetAvailableAdapters, room for kFirstAdapterCapacity first). A count
// beyond what the buffer holds is clamped and logged. False when the list could not be read.
bool ReadAdapterList(PFN_QXWL_GetAvailableAdapters query, std::vector<ADAPTER_ENTRY>& adapters, LPCSTR caller);
// The scan list (QXWL_SiteSurveyQuery, kSiteSurveyBufferBytes first). The buffer holds the list
// as the library wrote it, cut to the size it reported; read it through BssidListView.
bool ReadSiteSurveyList(PFN_QXWL_SiteSurveyQuery query, std::vector<BYTE>& list, LPCSTR caller);
// The stored profiles (QXWL_ReadProfileList: the count first, then the records).
bool ReadProfileList(PFN_QXWL_ReadProfileList query, std::vector<WLANPROFILE>& profiles, LPCSTR caller);

// A checked view of an NDIS_802_11_BSSID_LIST_EX returned by the library. Keeps the entries
// that lie whole inside the buffer, in order, up to NumberOfItems: each entry's Length must hold
// the fixed part and its information elements and stay inside the buffer. The first bad entry
// ends the walk (a bad Length leaves nothing to find the next entry by); that is logged.
class BssidListView {
public:
    BssidListView(const void* buffer, size_t size, LPCSTR caller);
    size_t Count() const { return m_entries.size(); }
    const NDIS_WLAN_BSSID_EX& operator[](size_t i) const { return *m_entries[i]; }
    // The entry's information elements (IELength bytes, inside its Length).
    const BYTE* InformationElements(size_t i) const;
    // Entries the list announced but that were refused.
    ULONG Refused() const { return m_refused; }

private:
    std::vector<const NDIS_WLAN_BSSID_EX*> m_entries;
    ULONG m_refused = 0;
};

// The SSID as text, its length clamped to 32 (logged when the library claimed more).
std::string SsidToText(const NDIS_802_11_SSID& ssid);
// A text the library wrote into a buffer of `capacity` bytes: up to its terminator, or all of
// the buffer when it has none (logged).
std::string LibraryText(const char* buffer, size_t capacity, LPCSTR entryPoint);
