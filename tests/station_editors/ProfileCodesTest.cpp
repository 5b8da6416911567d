// The index/code translation of the security pages and the stored WEP key bytes.
#include <gtest/gtest.h>
#include "base/LanguageTable.h"
#include "station/ProfileCodes.h"

#include <cstring>

TEST(ProfileCodes, EveryAuthenticationIndexSurvivesTheRecordButTheReservedOne)
{
    for (int index = 0; index < kAuthIndexCount; ++index) {
        const int back = AuthCodeToIndex(AuthIndexToCode(index));
        EXPECT_EQ(index == AUTHIDX_RESERVED2 ? AUTHIDX_OPEN : index, back) << index;
    }
    // The codes that swap places between the menu and the record.
    EXPECT_EQ(6u, AuthIndexToCode(AUTHIDX_WPA2));
    EXPECT_EQ(5u, AuthIndexToCode(AUTHIDX_WPA_NONE));
    EXPECT_EQ(14u, AuthIndexToCode(AUTHIDX_RESERVED11));
}

TEST(ProfileCodes, UnknownAuthenticationCodesReadBackAsOpen)
{
    for (ULONG code : {2u, 8u, 9u, 12u, 15u, 0xFFFFFFFFu}) EXPECT_EQ(AUTHIDX_OPEN, AuthCodeToIndex(code)) << code;
}

TEST(ProfileCodes, EncryptionCodesWithoutAnIndexLeaveTheIndexAlone)
{
    for (int index = 0; index < kEncryIndexCount; ++index) {
        int back = -1;
        ASSERT_TRUE(EncryCodeToIndex(EncryIndexToCode(index), &back));
        EXPECT_EQ(index, back);
    }
    EXPECT_EQ(1u, EncryIndexToCode(ENCRIDX_NONE));
    EXPECT_EQ(0u, EncryIndexToCode(ENCRIDX_WEP));
    for (ULONG code : {2u, 3u, 5u, 7u, 8u, 12u}) {
        int index = ENCRIDX_AES;
        EXPECT_FALSE(EncryCodeToIndex(code, &index)) << code;
        EXPECT_EQ(ENCRIDX_AES, index);
    }
}

TEST(ProfileCodes, InnerMethodsAreEapTypeNumbers)
{
    EXPECT_EQ(26u, PeapInnerToEapType(0));
    EXPECT_EQ(13u, PeapInnerToEapType(1));
    EXPECT_EQ(6u, PeapInnerToEapType(2));
    const ULONG ttls[] = {72, 71, 26, 73, 4};
    for (int index = 0; index < 5; ++index) EXPECT_EQ(ttls[index], TtlsInnerToEapType(index));
    EXPECT_EQ(6u, ProvisioningToEapType(2));
    // A choice outside the menu falls back to the first entry instead of reading past the table.
    EXPECT_EQ(72u, TtlsInnerToEapType(5));
    EXPECT_EQ(26u, PeapInnerToEapType(-1));
}

TEST(ProfileCodes, TunnelFollowsTheEapMethod)
{
    StringRecord7 record;
    record.nPeapInner = TUNNEL_TLS;
    record.nTtlsInner = TUNNEL_PAP;
    EXPECT_EQ(TUNNEL_TLS, record.TunnelCode());
    record.nEapMethod = EAPMETHOD_TTLS;
    EXPECT_EQ(TUNNEL_PAP, record.TunnelCode());
}

TEST(ProfileCodes, ProvisioningIndexComesFromTheButtonCaption)
{
    CString gtc = G_LangTable.IDS_8021X_PEAP_TUNNEL_TLS_GTC, card = G_LangTable.IDS_8021X_PEAP_TUNNEL_TLS_SMART_CARD;
    G_LangTable.IDS_8021X_PEAP_TUNNEL_TLS_GTC = "TLS GTC";
    G_LangTable.IDS_8021X_PEAP_TUNNEL_TLS_SMART_CARD = "TLS Smart Card";
    EXPECT_EQ(2, ProvisioningIndexFromCaption("TLS GTC"));
    EXPECT_EQ(1, ProvisioningIndexFromCaption("TLS Smart Card"));
    EXPECT_EQ(0, ProvisioningIndexFromCaption("EAP-MSCHAP v2"));
    G_LangTable.IDS_8021X_PEAP_TUNNEL_TLS_GTC = gtc;
    G_LangTable.IDS_8021X_PEAP_TUNNEL_TLS_SMART_CARD = card;
}

TEST(ProfileCodes, PreambleAndPowerSaveReadBackWithinTheirMenus)
{
    EXPECT_EQ(2u, PreambleIndexToCode(0));
    EXPECT_EQ(0u, PreambleIndexToCode(1));
    EXPECT_EQ(2u, PreambleIndexToCode(7));
    EXPECT_EQ(1, PreambleCodeToIndex(0));
    EXPECT_EQ(0, PreambleCodeToIndex(2));
    EXPECT_EQ(0, PreambleCodeToIndex(1));
    EXPECT_EQ(0, PowerSaveCodeToIndex(0));
    EXPECT_EQ(1, PowerSaveCodeToIndex(1));
    EXPECT_EQ(1, PowerSaveCodeToIndex(9));
}

TEST(WepKeyBytes, HexPairsAsciiCharactersAndTheTerminator)
{
    BYTE out[kWepKeyBytes];
    EXPECT_EQ(13u, WepKeyToBytes("0102030405060708090A0B0CFF", KEYFMT_HEX, out));
    EXPECT_EQ(0x01, out[0]);
    EXPECT_EQ(0xFF, out[12]);
    EXPECT_EQ(0, out[13]);
    EXPECT_EQ(5u, WepKeyToBytes("abcde", KEYFMT_ASCII, out));
    EXPECT_EQ(0, std::memcmp(out, "abcde\0\0\0\0\0\0\0\0\0", kWepKeyBytes));
    EXPECT_EQ(0u, WepKeyToBytes("", KEYFMT_HEX, out));
    for (BYTE b : out) EXPECT_EQ(0, b);
}

TEST(WepKeyBytes, AKeyLongerThanTheBufferIsCutAndStillTerminated)
{
    BYTE out[kWepKeyBytes];
    EXPECT_EQ(13u, WepKeyToBytes("ABCDEFGHIJKLMNOPQRSTUVWXYZ", KEYFMT_ASCII, out));
    EXPECT_EQ('M', out[12]);
    EXPECT_EQ(0, out[13]);
    EXPECT_EQ(13u, WepKeyToBytes(CString('A', 40), KEYFMT_HEX, out));
    EXPECT_EQ(0, out[13]);
}
