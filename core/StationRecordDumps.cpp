#include "core/StationRecordDumps.h"
#include "base/DebugLog.h"
#include "contract/StationContract.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {
constexpr int kDumpLevel = 4;

// Opens and closes a dump with its bracket lines.
class DumpBracket {
public:
    DumpBracket(LPCSTR dump, LPCSTR record) : m_dump(dump)
    {
        DebugLog(kDumpLevel, "[QxUI] --> %s\n", dump);
        DebugLog(kDumpLevel, "[QxUI] struct %s:\n", record);
    }
    ~DumpBracket() { DebugLog(kDumpLevel, "[QxUI] <-- %s\n", m_dump); }
    DumpBracket(const DumpBracket&) = delete;
    DumpBracket& operator=(const DumpBracket&) = delete;

private:
    LPCSTR m_dump;
};

void Number(LPCSTR name, LONG value)
{
    DebugLog(kDumpLevel, "[QxUI] \t%s = %d\n", name, static_cast<int>(value));
}
void Hex(LPCSTR name, ULONG value)
{
    DebugLog(kDumpLevel, "[QxUI] \t%s = 0x%X\n", name, value);
}
template <size_t N>
void Text(LPCSTR name, const char (&field)[N])
{
    DebugLog(kDumpLevel, "[QxUI] \t%s = %s\n", name, std::string(field, strnlen(field, N)).c_str());
}
void Ssid(LPCSTR name, const NDIS_802_11_SSID& ssid)
{
    DebugLog(kDumpLevel, "[QxUI] \t%s = %s\n", name, SsidToText(ssid).c_str());
}
void Mac(LPCSTR name, const UCHAR* mac)
{
    DebugLog(kDumpLevel, "[QxUI] \t%s = %02X:%02X:%02X:%02X:%02X:%02X\n", name, mac[0], mac[1], mac[2], mac[3],
             mac[4], mac[5]);
}
void Bytes(LPCSTR name, const UCHAR* data, ULONG length, ULONG capacity)
{
    length = std::min(length, capacity);
    for (ULONG i = 0; i < length; ++i) DebugLog(kDumpLevel, "[QxUI] \t\t%s[%d] = 0x%X\n", name, static_cast<int>(i), data[i]);
}
void Blob(LPCSTR name, const VN_BLOB_KEY& blob)
{
    DebugLog(kDumpLevel, "[QxUI] \t%s.BlobLength = %d\n", name, static_cast<int>(blob.BlobLength));
    Bytes("BlobData", blob.BlobData, blob.BlobLength, kBlobDataBytes);
}
void BitFields(const WordField* fields, size_t count, ULONG word, LPCSTR indent)
{
    for (size_t i = 0; i < count; ++i)
        DebugLog(kDumpLevel, "[QxUI] %s%s = %d\n", indent, fields[i].name, static_cast<int>(GetBits(word, fields[i])));
}
}  // namespace

void DumpWlanProfile(const WLANPROFILE& p)
{
    DumpBracket bracket("DumpWlanProfile", "WLANPROFILE");
    Number("bBssid", p.bBssid);
    Ssid("SSID", p.SSID);
    Mac("BSSID", p.BSSID);
    Number("enumNetworkType", p.enumNetworkType);
    Number("enumPreamType", p.enumPreamType);
    Number("lRtsThre", p.lRtsThre);
    Number("lFragThre", p.lFragThre);
    Number("enumAuthenMode", p.enumAuthenMode);
    Number("enumEncryStatus", p.enumEncryStatus);
    Number("lTxPower", p.lTxPower);
    Number("WEPKey1Type", p.WEPKey1Type);
    Number("WEPKey2Type", p.WEPKey2Type);
    Number("WEPKey3Type", p.WEPKey3Type);
    Number("WEPKey4Type", p.WEPKey4Type);
    Number("wepDefaultKey", p.wepDefaultKey);
    Number("enumPSMode", p.enumPSMode);
    Number("bACCam", p.bACCam);
    Number("lFreq", p.lFreq);
    Number("bDisassociate", p.bDisassociate);
    Number("bUseDiagnostic", p.bUseDiagnostic);
    Number("bSetAdvance", p.bSetAdvance);
    Number("bSetOidFromProfilePageSetting", p.bSetOidFromProfilePageSetting);
    const UCHAR* r = p.aryRates;
    DebugLog(kDumpLevel, "[QxUI] \taryRates = %02X:%02X:%02X:%02X:%02X:%02X:%02X:%02X\n", r[0], r[1], r[2], r[3], r[4],
             r[5], r[6], r[7]);
    Number("SupRateLen", p.arySupDesRates.SupRateLen);
    const ULONG rates = std::min<ULONG>(p.arySupDesRates.SupRateLen, kMaxSupRates);
    for (ULONG i = 0; i < rates; ++i)
        DebugLog(kDumpLevel, "[QxUI] \t\tSupRate[%d] = %d\n", static_cast<int>(i), p.arySupDesRates.SupRate[i]);
    Number("configSta.EnableTxBurst", p.configSta.EnableTxBurst);
    Number("configSta.EnableTurboRate", p.configSta.EnableTurboRate);
    Number("configSta.UseBGProtection", p.configSta.UseBGProtection);
    Number("configSta.UseShortSlotTime", p.configSta.UseShortSlotTime);
    Number("configSta.AdhocMode", p.configSta.AdhocMode);
    Number("configSta.HwRadioStatus", p.configSta.HwRadioStatus);
    Number("configSta.SystemErrorBitmap", p.configSta.SystemErrorBitmap);
    DumpCCX2Ctrl(p.ccx2Control);
    Number("nCountryRegion", p.nCountryRegion);
    Number("b8021X", p.b8021X);
    Number("enumAuthenProtocol", p.enumAuthenProtocol);
    Number("enumTunnel", p.enumTunnel);
    Number("enumProvisioningTunnel", p.enumProvisioningTunnel);
    Number("nSessionResumption", p.nSessionResumption);
    Number("bClientCert", p.bClientCert);
    Number("bClientCertInSmartCard", p.bClientCertInSmartCard);
    Number("bServerCert", p.bServerCert);
    Number("bPAC", p.bPAC);
    Number("bProvision", p.bProvision);
    Text("chPACfilepath", p.chPACfilepath);
    Number("bIntermediateCert", p.bIntermediateCert);
    Number("nServerNameRule", p.nServerNameRule);
    Text("chID", p.chID);
    Text("chServerName", p.chServerName);
    Text("chDomainName", p.chDomainName);
    Number("nIDModeIndex", p.nIDModeIndex);
    Number("nPskKeyLen", p.nPskKeyLen);
    Number("nPskKeyType", p.nPskKeyType);
    Number("nPasswordMode", p.nPasswordMode);
    Blob("CA_cert", p.CA_cert);
    Blob("user_cert", p.user_cert);
    Number("dwLenEapFastConfigBlob", p.dwLenEapFastConfigBlob);
    Bytes("pEapFastConfigBlob", p.pEapFastConfigBlob, p.dwLenEapFastConfigBlob, kEapFastBlobBytes);
    Number("bUseSSO", (p.ssoInfo & prof_sso::bUseSSO) ? 1 : 0);
    Number("bAllowMachine", (p.ssoInfo & prof_sso::bAllowMachine) ? 1 : 0);
    Number("nLogon", (p.ssoInfo & prof_sso::nLogon) ? 1 : 0);
    Text("chUserCertPath", p.chUserCertPath);
    Text("chASCertPath", p.chASCertPath);
    Number("bIsWPS", p.bIsWPS);
    Number("bUseFragThre", p.bUseFragThre);
    Number("bUseRTSThre", p.bUseRTSThre);
    Text("strProfileName", p.strProfileName);
    Number("nProfileID", p.nProfileID);
    Number("bCacheUserInfo", p.bCacheUserInfo);
}

void DumpCCX2Ctrl(CCX2_CONTROL control)
{
    DumpBracket bracket("DumpCCX2Ctrl", "CCX2_CONTROL");
    BitFields(ccx2::kAll, std::size(ccx2::kAll), control, "\t");
}

void DumpAdvanceCfg(const ADVANCE_CONFIG_DATA& c)
{
    DumpBracket bracket("DumpAdvanceCfg", "ADVANCE_CONFIG_DATA");
    Number("BGProtection", c.BGProtection);
    Hex("CCX2Control", c.CCX2Control);
    Number("CountryRegion", c.CountryRegion);
    Number("CountryRegionABand", c.CountryRegionABand);
    Number("ShowAuthStatus", c.ShowAuthStatus);
    DebugLog(kDumpLevel, "[QxUI] \tTRANSMIT_SETTING TransmitSetting:\n");
    BitFields(transmit_setting::kAll, std::size(transmit_setting::kAll), c.TransmitSetting, "\t\t");
    Number("TransRate", c.TransRate);
    Number("TXBurst", c.TXBurst);
    Number("WirelessMode", c.WirelessMode);
    Number("EnableTcpWindowSize", c.EnableTcpWindowSize);
}

void DumpAdvanceOID(const ADVANCE_OID& o)
{
    DumpBracket bracket("DumpAdvanceOID", "ADVANCE_OID");
    Number("PhyMode", o.PhyMode);
    Number("TransmitNo", o.TransmitNo);
    Number("HtMode", o.HtMode);
    Number("ExtOffset", o.ExtOffset);
    Number("MCS", o.MCS);
    Number("BW", o.BW);
    Number("STBC", o.STBC);
    Number("SHORTGI", o.SHORTGI);
    Number("nBGProtection", o.nBGProtection);
    Number("bTXBurst", o.bTXBurst);
    Number("CountryRegIndex11BG", o.CountryRegIndex11BG);
    Number("CountryRegIndex11A", o.CountryRegIndex11A);
    Number("VNphyMode", o.VNphyMode);
    Number("nTXRate", o.nTXRate);
}

void DumpWPSMode(const WPS_MODE& m)
{
    DumpBracket bracket("DumpWPSMode", "WPS_MODE");
    Hex("WpsMode", m.WpsMode);
    Ssid("WpsSSID", m.WpsSSID);
    Mac("Bssid", m.Bssid);
    Number("Channel", m.Channel);
    Number("ConfigMode", m.ConfigMode);
}

void DumpOneWPSProfile(const WPS_CREDENTIAL& c)
{
    DumpBracket bracket("DumpOneWPSProfile", "WPS_CREDENTIAL");
    Ssid("SSID", c.SSID);
    Hex("AuthType", c.AuthType);
    Hex("EncrType", c.EncrType);
    Number("KeyIndex", c.KeyIndex);
    Number("KeyLength", std::min(c.KeyLength, kWpsKeyMaxBytes));
    Mac("MacAddr", c.MacAddr);
}

void DumpWPSProfile(const WPS_PROFILE& p)
{
    DumpBracket bracket("DumpWPSProfile", "WPS_PROFILE");
    Number("ProfileCnt", p.ProfileCnt);
    const ULONG count = std::min(p.ProfileCnt, kWpsMaxCredentials);
    for (ULONG i = 0; i < count; ++i) {
        DebugLog(kDumpLevel, "[QxUI] \t\tProfile[%d]:\n", static_cast<int>(i));
        DumpOneWPSProfile(p.Profile[i]);
    }
}
