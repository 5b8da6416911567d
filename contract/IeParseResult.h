// `IE_PARSE_RESULT`: what QXWL_ParseInfoElement decodes from one scan-table entry's
// information elements (384 bytes, zeroed by the caller). Texts are zero-terminated within
// their room; T/F words are nonzero for true.
#pragma once
#include "contract/StationRecords.h"

#include <cstddef>

// Bits of IE_PARSE_RESULT.authMask and cipherMask.
enum : ULONG {
    IE_AUTH_WPA = 1u << 0, IE_AUTH_WPA_PSK = 1u << 1, IE_AUTH_WPA_NONE = 1u << 2, IE_AUTH_WPA2 = 1u << 3,
    IE_AUTH_WPA2_PSK = 1u << 4, IE_AUTH_WPA2_NONE = 1u << 5, IE_AUTH_WAPI_PSK = 1u << 6, IE_AUTH_WAPI_CERT = 1u << 7,
};
enum : ULONG { IE_CIPHER_WEP = 1u << 0, IE_CIPHER_TKIP = 1u << 1, IE_CIPHER_AES = 1u << 2, IE_CIPHER_SMS4 = 1u << 3 };

struct IE_PARSE_RESULT {
    ULONG authMask;
    ULONG cipherMask;
    ULONG bCckm;
    ULONG bCmic;
    ULONG bCkip;
    char wpsRfBands[4];                 // the stand-in's choice of place for the WPS RF bands
    char wpsConfigMethods[8];
    char wpsDevicePasswordId[8];
    char wpsSelectedRegistrar[8];
    char wpsState[16];
    char wpsVersion[24];
    char wpsApSetupLocked[44];
    char wpsUuidE[16];
    ULONG bHT;                          // the access point announces HT capabilities
    // Secondary Channel Offset element
    UCHAR secondaryChannelOffset;
    UCHAR Reserved153[3];
    // Extended Capabilities, Neighbor Report
    ULONG bHtInfoExchange;
    ULONG bMobilityDomain;
    ULONG bHighThroughput;              // 1: the largest HT rate is a 40 MHz rate
    // HT Capabilities element
    ULONG bHtCapability;
    ULONG bLdpc;
    UCHAR supportedChannelWidth;
    UCHAR smPowerSave;
    UCHAR Reserved178[2];
    ULONG bGreenfield;
    ULONG bShortGi20;
    ULONG bShortGi40;
    ULONG bTxStbc;
    UCHAR rxStbc;
    UCHAR Reserved197[3];
    ULONG bDelayedBlockAck;
    UCHAR maxAmsdu;
    UCHAR Reserved205[3];
    ULONG bDsssCck40;
    ULONG bPsmp;
    ULONG bHtCapabilityPsmp;
    ULONG bMaxAmsduLength;
    ULONG bFortyMhzIntolerant;
    ULONG bLsigTxopProtection;
    // A-MPDU parameters
    UCHAR maxRxAmpduFactor;
    UCHAR minMpduStartSpacing;
    UCHAR Reserved234[2];
    // Supported MCS set
    ULONG bTxMcsSetDefined;
    ULONG bTxRxMcsSetNotEqual;
    UCHAR txMaxSpatialStreams;
    UCHAR Reserved245[3];
    ULONG bTxUnequalModulation;
    // HT capabilities info
    ULONG bDssCck40Info;
    ULONG bHtInfoPsmp;
    UCHAR Reserved260[8];
    // HT extended capabilities
    ULONG bHtcSupport;
    ULONG bRdResponder;
    // HT Information element
    UCHAR primaryChannel;
    UCHAR htInfoSecondaryOffset;
    UCHAR staChannelWidth;
    UCHAR Reserved279;
    ULONG bRifsMode;
    ULONG bPsmpStasOnly;
    UCHAR serviceIntervalGranularity;
    UCHAR operatingMode;
    UCHAR Reserved290[2];
    ULONG bNonGreenfieldPresent;
    ULONG bTransmitBurstLimit;
    ULONG bObssNonHtPresent;
    ULONG bDualBeacon;
    ULONG bDualCtsProtection;
    ULONG bSecondaryBeacon;
    ULONG bLsigTxopFullSupport;
    ULONG bPcoActive;
    ULONG bPcoPhase;
    ULONG bBasicMcsSet;
    ULONG basicMcsSet[4];               // shown signed
    UCHAR mcsBitmap[16];                // bit j of byte k: MCS 8k + j
    UCHAR Reserved364[8];
    USHORT beaconInterval;
    UCHAR Reserved374[2];
    ULONG bMobilityDomainElement;
    UCHAR mdid[2];
    UCHAR Reserved382[2];
};
static_assert(sizeof(IE_PARSE_RESULT) == 384);
static_assert(offsetof(IE_PARSE_RESULT, cipherMask) == 4);
static_assert(offsetof(IE_PARSE_RESULT, bCkip) == 16);
static_assert(offsetof(IE_PARSE_RESULT, wpsRfBands) == 20);
static_assert(offsetof(IE_PARSE_RESULT, wpsConfigMethods) == 24);
static_assert(offsetof(IE_PARSE_RESULT, wpsDevicePasswordId) == 32);
static_assert(offsetof(IE_PARSE_RESULT, wpsSelectedRegistrar) == 40);
static_assert(offsetof(IE_PARSE_RESULT, wpsState) == 48);
static_assert(offsetof(IE_PARSE_RESULT, wpsVersion) == 64);
static_assert(offsetof(IE_PARSE_RESULT, wpsApSetupLocked) == 88);
static_assert(offsetof(IE_PARSE_RESULT, wpsUuidE) == 132);
static_assert(offsetof(IE_PARSE_RESULT, bHT) == 148);
static_assert(offsetof(IE_PARSE_RESULT, secondaryChannelOffset) == 152);
static_assert(offsetof(IE_PARSE_RESULT, bHighThroughput) == 164);
static_assert(offsetof(IE_PARSE_RESULT, supportedChannelWidth) == 176);
static_assert(offsetof(IE_PARSE_RESULT, smPowerSave) == 177);
static_assert(offsetof(IE_PARSE_RESULT, bShortGi20) == 184);
static_assert(offsetof(IE_PARSE_RESULT, bShortGi40) == 188);
static_assert(offsetof(IE_PARSE_RESULT, rxStbc) == 196);
static_assert(offsetof(IE_PARSE_RESULT, maxAmsdu) == 204);
static_assert(offsetof(IE_PARSE_RESULT, bLsigTxopProtection) == 228);
static_assert(offsetof(IE_PARSE_RESULT, maxRxAmpduFactor) == 232);
static_assert(offsetof(IE_PARSE_RESULT, minMpduStartSpacing) == 233);
static_assert(offsetof(IE_PARSE_RESULT, txMaxSpatialStreams) == 244);
static_assert(offsetof(IE_PARSE_RESULT, bHtInfoPsmp) == 256);
static_assert(offsetof(IE_PARSE_RESULT, bHtcSupport) == 268);
static_assert(offsetof(IE_PARSE_RESULT, primaryChannel) == 276);
static_assert(offsetof(IE_PARSE_RESULT, staChannelWidth) == 278);
static_assert(offsetof(IE_PARSE_RESULT, bRifsMode) == 280);
static_assert(offsetof(IE_PARSE_RESULT, serviceIntervalGranularity) == 288);
static_assert(offsetof(IE_PARSE_RESULT, operatingMode) == 289);
static_assert(offsetof(IE_PARSE_RESULT, bNonGreenfieldPresent) == 292);
static_assert(offsetof(IE_PARSE_RESULT, bBasicMcsSet) == 328);
static_assert(offsetof(IE_PARSE_RESULT, basicMcsSet) == 332);
static_assert(offsetof(IE_PARSE_RESULT, mcsBitmap) == 348);
static_assert(offsetof(IE_PARSE_RESULT, beaconInterval) == 372);
static_assert(offsetof(IE_PARSE_RESULT, bMobilityDomainElement) == 376);
static_assert(offsetof(IE_PARSE_RESULT, mdid) == 380);
