#include "station/BlockAckCapability.h"

namespace {
constexpr WordField kValueB{0, 8, "ValueB"}, kValueA{8, 8, "ValueA"}, kAutoAggregation{16, 1, "AutoMpduAggregation"},
    kAggregation{17, 2, "MpduAggregation"}, kDensity{19, 3, "MpduDensity"}, kAmsdu{22, 1, "AmsduEnabled"},
    kAmsduSize{23, 1, "AmsduSize"}, kMimo{24, 2, "MimoPowerSave"};
}  // namespace

ULONG PackBaCapability(const BA_CAPABILITY& cap)
{
    ULONG word = 0;
    word = SetBits(word, kValueB, cap.ValueB);
    word = SetBits(word, kValueA, cap.ValueA);
    word = SetBits(word, kAutoAggregation, cap.AutoMpduAggregation);
    word = SetBits(word, kAggregation, cap.MpduAggregation);
    word = SetBits(word, kDensity, cap.MpduDensity);
    word = SetBits(word, kAmsdu, cap.AmsduEnabled);
    word = SetBits(word, kAmsduSize, cap.AmsduSize);
    word = SetBits(word, kMimo, cap.MimoPowerSave);
    return word;
}

BA_CAPABILITY UnpackBaCapability(ULONG word)
{
    BA_CAPABILITY cap = {};
    cap.ValueB = static_cast<UCHAR>(GetBits(word, kValueB));
    cap.ValueA = static_cast<UCHAR>(GetBits(word, kValueA));
    cap.AutoMpduAggregation = static_cast<UCHAR>(GetBits(word, kAutoAggregation));
    cap.MpduAggregation = static_cast<UCHAR>(GetBits(word, kAggregation));
    cap.MpduDensity = static_cast<UCHAR>(GetBits(word, kDensity));
    cap.AmsduEnabled = static_cast<UCHAR>(GetBits(word, kAmsdu));
    cap.AmsduSize = static_cast<UCHAR>(GetBits(word, kAmsduSize));
    cap.MimoPowerSave = static_cast<UCHAR>(GetBits(word, kMimo));
    return cap;
}

// GCC 12's optimiser sees an impossible length in the inlined std::string assignment of "-" below
// (its known -Wstringop-overflow and -Wrestrict false positives); the row has a cell for every TID.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wstringop-overflow"
#pragma GCC diagnostic ignored "-Wrestrict"
bool BuildBaSide(const BA_ENTRY (&entries)[kBaEntriesPerSide], UCHAR count, UCHAR direction,
                 std::vector<BaListRow>& rows, std::vector<BA_TID_ROW>& records)
{
    rows.clear();
    records.clear();
    if (count == 0) return false;
    int taken = 0;
    for (const BA_ENTRY& entry : entries) {
        if (entry.TidBitmap == 0) continue;
        BaListRow row;
        const UCHAR* mac = entry.PeerMac;
        row[0].Format("%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
        for (int tid = 0; tid < kBaTids; ++tid) {
            const bool set = (entry.TidBitmap >> tid) & 1;
            if (set) row[1 + tid].Format("%d", entry.TidValue8[tid]);
            else row[1 + tid] = "-";
            BA_TID_ROW record(mac, static_cast<UCHAR>(tid), entry.TidValue8[tid], entry.TidValue16[tid], 0, set ? 1 : 0);
            record.Direction = direction;
            records.push_back(record);
        }
        rows.push_back(row);
        if (++taken == count) return true;
    }
    return false;
}
#pragma GCC diagnostic pop
