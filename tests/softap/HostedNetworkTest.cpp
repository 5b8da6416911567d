// The hosted-network settings page's checks and record, the skinned pages' key checks and the
// network device lookup's filters.
#include <gtest/gtest.h>
#include "base/LanguageTable.h"
#include "softap/KelvoPageApConfigDlg.h"
#include "softap/KelvoPageApConfigXPVistaDlg.h"
#include "softap/NetAdapterDevice.h"
#include "softap/PageExtAPDlg.h"

#include <string>

namespace {
const CString* Check(LPCSTR peers, LPCSTR ssid, LPCSTR key)
{
    return CPageExtAPDlg::CheckSettings(peers, ssid, key);
}

const CString kHex64(std::string(63, 'a').append("F").c_str());
}  // namespace

TEST(HostedSettings, PeersMustBeDigitsFromOneToThirtyTwo)
{
    const CString* peersRefused = &G_LangTable.IDS_MSG_INVALID_MAXCLIENT;
    for (LPCSTR bad : {"0", "33", "5x", " 5", "", "-1", "4294967297"})
        EXPECT_EQ(Check(bad, "Lab", "password"), peersRefused) << "peers '" << bad << "'";
    EXPECT_EQ(Check("1", "Lab", "password"), nullptr);
    EXPECT_EQ(Check("32", "Lab", "password"), nullptr);
    // The first failure wins: the peers are checked before the SSID.
    EXPECT_EQ(Check("33", "", "short"), peersRefused);
    EXPECT_EQ(Check("20", "", "password"), &G_LangTable.IDS_ADHOCINPUTSSID);
}

TEST(HostedSettings, KeyIsEightToSixtyThreeCharactersOrSixtyFourHexDigits)
{
    const CString* keyRefused = &G_LangTable.IDS_MSGPSKKEYINVALID;
    EXPECT_EQ(Check("20", "Lab", "1234567"), keyRefused);
    EXPECT_EQ(Check("20", "Lab", "12345678"), nullptr);
    EXPECT_EQ(Check("20", "Lab", CString(std::string(63, '~').c_str())), nullptr);
    EXPECT_EQ(Check("20", "Lab", kHex64), nullptr);
    // ':' to '@' sit between the digits and 'A': a hex test by ranges would let them through.
    EXPECT_EQ(Check("20", "Lab", CString(std::string(63, 'a').append(":").c_str())), keyRefused);
    EXPECT_EQ(Check("20", "Lab", CString(std::string(65, 'a').c_str())), keyRefused);
}

TEST(HostedSettings, ObsoleteFiveGigahertzChannelsAreNotOffered)
{
    for (ULONG channel : {34u, 38u, 42u, 46u}) EXPECT_FALSE(CPageExtAPDlg::IsOfferedChannel(channel)) << channel;
    for (ULONG channel : {1u, 11u, 14u, 36u, 40u, 44u, 48u, 165u}) EXPECT_TRUE(CPageExtAPDlg::IsOfferedChannel(channel)) << channel;
}

TEST(HostedSettings, BridgeWordIsStoredBesideTheChannelNeverOverIt)
{
    CPageExtAPDlg page;
    page.m_strSSID = CString(std::string(40, 'S').c_str());
    page.m_strKey = CString(std::string(70, 'k').c_str());
    page.m_strChannel = "11";
    page.m_strMaxPeers = "8";
    page.m_nBridgeWord = 0x1000123;
    const EXTAP_CONFIG stored = page.BuildRecord(page.m_nBridgeWord);
    EXPECT_EQ(stored.Channel, 11u);
    EXPECT_EQ(stored.Reserved112, 0x1000123u);
    EXPECT_EQ(stored.SsidLength, 32u);
    EXPECT_EQ(stored.KeyLength, 64u);
    EXPECT_EQ(stored.MaxPeers, 8u);
    // The hosted network's own set-up never sees the bridge word.
    const EXTAP_CONFIG setup = page.BuildRecord();
    EXPECT_EQ(setup.Channel, 11u);
    EXPECT_EQ(setup.Reserved112, 0u);
}

TEST(ApSecurityChecks, WepKeysByLengthAndHexDigits)
{
    const CLanguageTable& t = G_LangTable;
    // Lower-case hex is upper-cased before the test.
    EXPECT_EQ(CheckApSecurity(1, 0, "0a1b2c3d4e", ""), nullptr);
    EXPECT_EQ(CheckApSecurity(1, 0, "0a1b2c3d4g", ""), &t.IDS_MSG_WEPKEY_ERROR1);
    EXPECT_EQ(CheckApSecurity(1, 0, "abcde", ""), nullptr);
    EXPECT_EQ(CheckApSecurity(1, 0, "abcdef", ""), &t.IDS_MSG_WEPKEY_ERROR2);
    EXPECT_EQ(CheckApSecurity(1, 1, "0123456789abcdef0123456789", ""), nullptr);
    EXPECT_EQ(CheckApSecurity(1, 1, "0123456789abcdef012345678z", ""), &t.IDS_MSG_WEPKEY_ERROR3);
    EXPECT_EQ(CheckApSecurity(1, 1, "13 characters", ""), nullptr);
    EXPECT_EQ(CheckApSecurity(1, 1, "0a1b2c3d4e", ""), &t.IDS_MSG_WEPKEY_ERROR4);
}

TEST(ApSecurityChecks, PreSharedKeysAndTheOpenType)
{
    const CString* refused = &G_LangTable.IDS_MSG_PREKEY_ERROR;
    for (int type : {2, 3, 4}) {
        EXPECT_EQ(CheckApSecurity(type, 0, "", CString(std::string(63, 'x').c_str())), nullptr) << type;
        EXPECT_EQ(CheckApSecurity(type, 0, "", "1234567"), refused) << type;
        EXPECT_EQ(CheckApSecurity(type, 0, "", CString(std::string(65, 'a').c_str())), refused) << type;
        EXPECT_EQ(CheckApSecurity(type, 0, "", kHex64), nullptr) << type;
        EXPECT_EQ(CheckApSecurity(type, 0, "", CString(std::string(64, 'x').c_str())), refused) << type;
    }
    EXPECT_EQ(CheckApSecurity(0, 0, "junk", "junk"), nullptr);
    EXPECT_EQ(IsUpperHexString(""), 1);
    EXPECT_EQ(IsUpperHexString("0A9F"), 1);
    EXPECT_EQ(IsUpperHexString("0a9f"), 0);
}

namespace {
NetDeviceRecord Device(LPCSTR name, LPCSTR matchingId, LPCSTR instanceId = "{0}", ULONG status = 0x0180200A)
{
    NetDeviceRecord d;
    d.StatusRead = true;
    d.Status = status;
    d.Name = name;
    d.KeyOpened = true;
    d.InstanceId = instanceId;
    d.HasMatchingId = matchingId != nullptr;
    d.MatchingId = matchingId ? matchingId : "";
    return d;
}

class NetDeviceLookup : public ::testing::Test {
protected:
    void TearDown() override { SetNetDeviceSource({}); }
    void Use(std::vector<NetDeviceRecord> devices, bool classFound = true)
    {
        SetNetDeviceSource([devices, classFound](std::vector<NetDeviceRecord>& out) {
            out = devices;
            return classFound;
        });
    }
    std::vector<CString> Find(LPCSTR own = "{OWN-ADAPTER}")
    {
        std::vector<CString> list{"stale entry"};
        ownName[0] = '\0';
        FindNetAdapterDevice(list, own, ownName);
        return list;
    }
    char ownName[kNetDeviceTextBytes] = {};
};
}  // namespace

TEST_F(NetDeviceLookup, OnlyPresentUsbAndPciAdaptersOtherThanBluetoothAndOurOwn)
{
    NetDeviceRecord unreadable = Device("Unreadable status", "pci\\ven_1111");
    unreadable.StatusRead = false;
    NetDeviceRecord noKey = Device("No driver key", "pci\\ven_2222");
    noKey.KeyOpened = false;
    Use({Device("Wired PCI", "PCI\\VEN_8086&DEV_100E"),
         Device("BT PAN", "usb\\bluetooth_pan"),
         Device("BT mixed case", "BTH\\MS_BTHPAN&usb&BlueTooth"),
         unreadable,
         Device("Problem adapter", "PCI\\VEN_10EC", "{1}", 0x0180200A | 0x400),
         Device("Hidden adapter", "PCI\\VEN_10EC", "{2}", 0x40000000),
         Device("Virtual miniport", "ms_ndiswanip"),
         noKey,
         Device("No matching id", nullptr),
         Device("Our adapter", "root\\virtual", "{own-adapter}"),
         Device("USB dongle", "usb\\vid_0bda&pid_8179")});
    const std::vector<CString> list = Find();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_STREQ(list[0], "Wired PCI");
    EXPECT_STREQ(list[1], "USB dongle");
    // Our own adapter is named even though its matching id would not qualify.
    EXPECT_STREQ(ownName, "Our adapter");
}

TEST_F(NetDeviceLookup, MissingClassGivesAnEmptyList)
{
    Use({Device("Wired PCI", "PCI\\VEN_8086")}, false);
    EXPECT_TRUE(Find().empty());
    EXPECT_STREQ(ownName, "");
}

TEST_F(NetDeviceLookup, PlatformWalkAnswersWhateverTheDeviceTreeHolds)
{
    SetNetDeviceSource({});
    std::vector<CString> list{"stale"};
    char own[kNetDeviceTextBytes] = "";
    FindNetAdapterDevice(list, "{no-such-adapter}", own);
    for (const CString& name : list) EXPECT_STRNE(name, "stale");
    std::vector<NetDeviceRecord> records;
    ReadPlatformNetDevices(records);  // must walk without failing, whatever it finds
    for (const NetDeviceRecord& record : records) {
        if (record.HasMatchingId) {
            EXPECT_TRUE(record.KeyOpened);
        }
    }
}

namespace {
// A combo filled as the security dialog fills its lists: item data = the code.
class CodeCombo {
public:
    explicit CodeCombo(std::initializer_list<ULONG> codes)
    {
        m_hWnd = ::CreateWindowA("COMBOBOX", "", CBS_DROPDOWNLIST, 0, 0, 100, 100, HWND_MESSAGE, nullptr, nullptr, nullptr);
        for (ULONG code : codes) {
            const LRESULT index = ::SendMessageA(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("entry"));
            ::SendMessageA(m_hWnd, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<LPARAM>(code));
        }
    }
    ~CodeCombo() { ::DestroyWindow(m_hWnd); }
    ULONG CodeAt(int index) const { return static_cast<ULONG>(::SendMessageA(m_hWnd, CB_GETITEMDATA, index, 0)); }
    HWND m_hWnd;
};

ApSecurityChoice Choice(int type, int auth, int encryption)
{
    ApSecurityChoice c;
    c.SecurityType = type;
    c.AuthType = auth;
    c.EncryptionType = encryption;
    return c;
}
}  // namespace

TEST(ApSecurityMapping, CodesNotPositionsWhenWepIsBarred)
{
    // WEP barred: Shared is not offered, so WPA-PSK sits where Shared would be.
    CodeCombo auth({0, 4, 7, 9});
    const ApSecurityCodes wpa = SecurityCodesFromChoice(Choice(2, 0, 1));
    EXPECT_EQ(wpa.Auth, 4u);
    EXPECT_EQ(wpa.Encryption, 6u);
    const int index = FindComboCode(auth.m_hWnd, wpa.Auth);
    EXPECT_EQ(index, 1);
    // Read back from that entry, it is WPA-PSK again, not Shared WEP.
    ApSecurityCodes read;
    read.Auth = auth.CodeAt(index);
    read.Encryption = 6;
    EXPECT_EQ(SecurityChoiceFromCodes(read).SecurityType, 2);
    // WEP cannot be applied when the dialog does not offer it.
    CodeCombo openEncryption({1});
    EXPECT_EQ(FindComboCode(openEncryption.m_hWnd, SecurityCodesFromChoice(Choice(1, 0, 0)).Encryption), CB_ERR);
    EXPECT_EQ(FindComboCode(auth.m_hWnd, SecurityCodesFromChoice(Choice(1, 1, 0)).Auth), CB_ERR);
}

TEST(ApSecurityMapping, TkipBarredAndEveryTypeRoundTrips)
{
    CodeCombo wpa2Encryption({6});  // TKIP barred: AES only
    EXPECT_EQ(FindComboCode(wpa2Encryption.m_hWnd, SecurityCodesFromChoice(Choice(3, 0, 1)).Encryption), 0);
    EXPECT_EQ(FindComboCode(wpa2Encryption.m_hWnd, SecurityCodesFromChoice(Choice(3, 0, 0)).Encryption), CB_ERR);
    for (const ApSecurityChoice& c : {Choice(0, 0, 0), Choice(1, 0, 0), Choice(1, 1, 0), Choice(2, 0, 0), Choice(2, 0, 1),
                                      Choice(3, 0, 0), Choice(3, 0, 1), Choice(4, 0, 0), Choice(4, 0, 1)}) {
        const ApSecurityChoice back = SecurityChoiceFromCodes(SecurityCodesFromChoice(c));
        EXPECT_EQ(back.SecurityType, c.SecurityType);
        EXPECT_EQ(back.AuthType, c.AuthType) << c.SecurityType;
        if (c.SecurityType >= 2) {
            EXPECT_EQ(back.EncryptionType, c.EncryptionType) << c.SecurityType;
        }
    }
    // The mixed mode keeps its own entry: WPA-only clients stay welcome.
    ApSecurityCodes mixed;
    mixed.Auth = 9;
    mixed.Encryption = 6;
    EXPECT_EQ(SecurityChoiceFromCodes(mixed).SecurityType, 4);
    EXPECT_EQ(SecurityCodesFromChoice(SecurityChoiceFromCodes(mixed)).Auth, 9u);
    EXPECT_EQ(SecurityCodesFromChoice(SecurityChoiceFromCodes(mixed)).Encryption, 6u);
}
