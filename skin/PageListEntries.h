// Lines of the skinned lists kept by value: a profile-list line and a hosted-network station.
#pragma once
#include "framework/Afx.h"

#include <cstring>

// One line of the skinned profile list; what the fields hold is the profile page's business.
struct ProfileListEntry {
    int nIndex;  // -1 when the filler gives none
    CString strText1;
    CString strText2;
    CString strText3;
    ULONG nValue1;
    ULONG nValue2;
    ULONG nValue3;

    ProfileListEntry(int index, const CString& text1, const CString& text2, const CString& text3, ULONG value1,
                     ULONG value2, ULONG value3)
        : nIndex(index), strText1(text1), strText2(text2), strText3(text3), nValue1(value1), nValue2(value2),
          nValue3(value3)
    {
    }
};

// One station of the hosted network, from the 12-byte entry of the library's status: the
// MAC address (its first six bytes) and the 32-bit word that follows at byte 8.
struct HOSTEDNETWORK_PEER {
    static constexpr size_t kEntryBytes = 12;
    static constexpr size_t kWordOffset = 8;
    BYTE MacAddress[6] = {};
    ULONG nValue = 0;

    HOSTEDNETWORK_PEER(const BYTE (&mac)[6], ULONG value) : nValue(value) { memcpy(MacAddress, mac, sizeof MacAddress); }
    // Built from a station entry of the status record.
    explicit HOSTEDNETWORK_PEER(const BYTE* entry)
    {
        memcpy(MacAddress, entry, sizeof MacAddress);
        memcpy(&nValue, entry + kWordOffset, sizeof nValue);
    }
};
