// Decodes a scan-table entry's information elements into the library's parse record.
#pragma once
#include "contract/IeParseResult.h"

namespace sim {
// The entry's IEs (after its fixed fields) must lie within ieLength bytes; a truncated element
// ends the walk.
void ParseInformationElements(const NDIS_WLAN_BSSID_EX& entry, const BYTE* ies, ULONG ieLength, IE_PARSE_RESULT& out);
}
