#include "wifidirect/WiFiDirectSetting.h"
#include "base/StationLibraryView.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "base/SecureRandom.h"
#include "core/ProductMessageBox.h"
#include "contract/StationContract.h"
#include "core/QXWLLIB.h"
#include "wifidirect/AdvancedWiFiDirect.h"
#include "wifidirect/GroupPassPhrase.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {
constexpr LONG kOpModeWiFiDirectGo = 3;
constexpr ULONG kConnected = 3;
constexpr int kMaxNameChars = 32;
constexpr size_t kNameBufferBytes = 64;
constexpr int kMinKeyChars = 8, kHexKeyChars = 64;
constexpr ULONG kWpsVersionFourDigitPins = 32;
constexpr ULONG kWpsVersionUnknown = 16;
// The characters of a group SSID's suffix: no lower-case t.
constexpr char kSsidAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrsuvwxyz0123456789";
static_assert(sizeof kSsidAlphabet - 1 == 61);

void CopyText(UCHAR* target, size_t capacity, const CString& text)
{
    std::memset(target, 0, capacity);
    std::memcpy(target, text.GetString(), std::min<size_t>(text.GetLength(), capacity));
}

CString Digits(ULONG value, LPCSTR format = "%08lu")
{
    CString text;
    text.Format(format, value);
    return text;
}

CString CutTo(const CString& text, int length)
{
    return text.GetLength() > length ? text.Left(length) : text;
}

bool IsAllHex(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i)
        if (!std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
    return true;
}

void Message(LPCSTR text)
{
    ShowProductMessageBox(text);
}

LONG ApplyRecord(const WIFIDIRECT_WPSE_PROFILE& record, LPCSTR caller)
{
    const LONG result = QXWLAPI.QXWL_SetWifiDirectWpseConfig(const_cast<WIFIDIRECT_WPSE_PROFILE*>(&record));
    DebugLog(3, "[QxUI] %s: QXWL_SetWifiDirectWpseConfig(%lu) return %ld\n", caller, record.ConfigMode, result);
    return result;
}
}  // namespace

void WritePinText(char (&pin)[8], ULONG value)
{
    char text[16] = {};
    std::snprintf(text, sizeof text, "%08lu", value % 100000000UL);
    std::memcpy(pin, text, sizeof pin);
}

// ---------------------------------------------------------------------------------------------
// Pages.

bool CWiFiDirectSettingDeviceName::OnLeavePage()
{
    if (m_pWizard->m_nAction != ACTION_ENABLE) return true;
    if (m_strDeviceName.IsEmpty() || m_strDeviceName.GetLength() > kMaxNameChars) {
        Message(kMsgDeviceName);
        return false;
    }
    return true;
}

void CWiFiDirectSettingWPS::OnEnterPage()
{
    const int action = m_pWizard->m_nAction;
    m_bPBCChecked = m_bPinRegChecked = m_bPinUserChecked = FALSE;
    m_bPinUserOffered = (m_WpsCapability & WIFI_DIRECT_WPSE_PIN_MODE_USER_SPEC) != 0;
    m_bPinRegOffered = (m_WpsCapability & WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC) != 0;
    m_bPBCOffered = (m_WpsCapability & WIFI_DIRECT_WPSE_PBC_MODE) != 0;
    m_bPinUserChecked = m_bPinUserOffered;
    m_bPinRegChecked = m_bPinRegOffered;
    m_bPBCChecked = m_bPBCOffered;
    m_bNextEnabled = TRUE;
    if (action == ACTION_DISPLAY_PIN) {
        WIFIDIRECT_WPSE_PROFILE record = {};
        record.ConfigMode = CONFIG_MODE_SET_GO_WPS;
        record.WpsMethod = WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC;
        WritePinText(record.PIN, m_ulPin);
        ApplyRecord(record, "CWiFiDirectSettingWPS::OnEnterPage");
        m_pWizard->m_ulWiFiDirectDefPin = m_ulPin;
    }
    if (action == ACTION_Profile_DETAIL) {
        m_bPinReadOnly = TRUE;
        m_strTempPinCode = Digits(m_ulPin);
    }
    if (!m_bPBCOffered && !m_bPinRegOffered && !m_bPinUserOffered) {
        Message(kMsgNoMethod);
        m_bNextEnabled = FALSE;
    }
}

void CWiFiDirectSettingWPS::rBtnPBCClick()
{
    m_bPBCChecked = TRUE;
    m_bPinRegChecked = m_bPinUserChecked = FALSE;
    m_ulWPSType = WIFI_DIRECT_WPSE_PBC_MODE;
    m_bPinShown = FALSE;
}

void CWiFiDirectSettingWPS::rBtnPIN_RegSpecClick()
{
    m_bPinRegChecked = TRUE;
    m_bPBCChecked = m_bPinUserChecked = FALSE;
    m_ulWPSType = WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC;
    m_bPinShown = TRUE;
    m_bPinEnabled = TRUE;
    m_bPinReadOnly = TRUE;
    m_strTempPinCode = Digits(m_ulPin);
}

void CWiFiDirectSettingWPS::rBtnPIN_UserSpecClick()
{
    const int action = m_pWizard->m_nAction;
    m_bPinUserChecked = TRUE;
    m_bPBCChecked = m_bPinRegChecked = FALSE;
    m_ulWPSType = WIFI_DIRECT_WPSE_PIN_MODE_USER_SPEC;
    m_bPinShown = TRUE;
    m_bPinEnabled = action != ACTION_CONNECT;
    m_bPinReadOnly = action == ACTION_Profile_DETAIL;
    if (action == ACTION_Profile_DETAIL) m_strTempPinCode = Digits(m_ulPin);
}

CString CWiFiDirectSettingWPS::CheckPinCode(const CString& pin, bool testChecksum)
{
    bool fourAllowed = false;
    if (QXWLAPI.QXWL_QueryWPSVersion) {
        ULONG version = 0;
        if (QXWLAPI.QXWL_QueryWPSVersion(&version) != QXWL_ERROR_SUCCESS) version = kWpsVersionUnknown;
        fourAllowed = version >= kWpsVersionFourDigitPins;
    }
    const int length = pin.GetLength();
    // Only digits make a PIN: a letter would pass the length test and reach the driver.
    for (int i = 0; i < length; ++i)
        if (pin[i] < '0' || pin[i] > '9') return kMsgInvalidPin;
    if (length != 8 && !(fourAllowed && length == 4)) return kMsgInvalidPin;
    if (testChecksum && length == 8) {
        const ULONG value = std::strtoul(pin.GetString(), nullptr, 10);
        if (WpsPinChecksum(value / 10) != value % 10) return kMsgPinChecksum;
    }
    return "";
}

bool CWiFiDirectSettingWPS::OnLeavePage()
{
    CWiFiDirectSetting& w = *m_pWizard;
    WIFIDIRECT_WPSE_PROFILE& record = w.m_data_WIFIDIRECT_WPSE_Profile;
    if (w.m_nAction == ACTION_CONNECT && m_ulWPSType == WIFI_DIRECT_WPSE_PIN_MODE_USER_SPEC) {
        record.WpsMethod = m_ulWPSType;
        // Once the user typed the peer's PIN it goes with the method: without it the driver
        // would run a PIN method with no PIN.
        std::memset(record.PIN, 0, sizeof record.PIN);
        if (CheckPinCode(m_strTempPinCode, false).IsEmpty())
            std::memcpy(record.PIN, m_strTempPinCode.GetString(), std::min<size_t>(m_strTempPinCode.GetLength(), sizeof record.PIN));
        return true;
    }
    if (!m_bPBCChecked && !m_bPinRegChecked && !m_bPinUserChecked) return false;
    if (m_bPinRegChecked || m_bPinUserChecked) {
        const CString error = CheckPinCode(m_strTempPinCode, false);
        if (!error.IsEmpty()) {
            Message(error);
            return false;
        }
        std::memset(record.PIN, 0, sizeof record.PIN);
        std::memcpy(record.PIN, m_strTempPinCode.GetString(), std::min<size_t>(m_strTempPinCode.GetLength(), sizeof record.PIN));
    }
    record.WpsMethod = m_ulWPSType;
    return true;
}

void CWiFiDirectSettingAdvanced::OnEnterPage()
{
    const int action = m_pWizard->m_nAction;
    m_strIntentText.Format("%d", m_nIntentIndex);
    m_bIntentEditable = TRUE;
    if (action == ACTION_AUTONOMOUSGO) {
        m_strIntentText = kAutonomousGoIndexText;
        m_bIntentEditable = FALSE;
    } else if (action == ACTION_Profile_DETAIL) {
        if (m_nIntentIndex == kAutonomousGoIntent) m_strIntentText = kAutonomousGoIndexText;
        m_bIntentEditable = FALSE;
    }
    m_pWizard->FillChannelList(m_strListenChannel, m_vecChannels, m_nChannelSel, true);
}

bool CWiFiDirectSettingAdvanced::OnLeavePage()
{
    CWiFiDirectSetting& w = *m_pWizard;
    WIFIDIRECT_WPSE_PROFILE& record = w.m_data_WIFIDIRECT_WPSE_Profile;
    if (m_strIntentText.IsEmpty()) {
        Message(kMsgIntent);
        return false;
    }
    // The list is read again: a channel chosen on the page is kept by its text.
    const CString chosen = m_nChannelSel >= 0 && m_nChannelSel < static_cast<int>(m_vecChannels.size())
                               ? m_vecChannels[m_nChannelSel]
                               : m_strListenChannel;
    w.FillChannelList(chosen, m_vecChannels, m_nChannelSel, true);
    if (w.m_nAction == ACTION_AUTONOMOUSGO) {
        m_nIntentIndex = kAutonomousGoIntent;
    } else if (w.m_nAction != ACTION_Profile_DETAIL) {
        const CString& t = m_strIntentText;
        bool digits = t.GetLength() <= 2;
        for (int i = 0; i < t.GetLength() && digits; ++i) digits = t[i] >= '0' && t[i] <= '9';
        const int value = digits ? std::atoi(t.GetString()) : kAutonomousGoIntent;
        if (value > 15) {
            Message(kMsgIntent);
            return false;
        }
        m_nIntentIndex = value;
    }
    CopyText(record.SSID.Ssid, sizeof record.SSID.Ssid, w.m_strGroupSsid);
    record.SSID.SsidLength = static_cast<ULONG>(std::min<int>(w.m_strGroupSsid.GetLength(), sizeof record.SSID.Ssid));
    record.ulListenChannel = 0;
    if (QXWLAPI.SupportAdvanceSettings && m_nChannelSel >= 0 && m_nChannelSel < static_cast<int>(m_vecChannels.size()))
        record.ulListenChannel = static_cast<ULONG>(std::atoi(m_vecChannels[m_nChannelSel].GetString()));
    record.ulIntentIndex = static_cast<ULONG>(m_nIntentIndex);
    return true;
}

void CWiFiDirectSettingSaveProfile::OnEnterPage()
{
    m_pWizard->FillChannelList(m_strOperatingChannel, m_vecChannels, m_nChannelSel, false);
    m_bSaveOffered = m_pWizard->m_nAction != ACTION_Profile_DETAIL;
}

bool CWiFiDirectSettingSaveProfile::OnLeavePage()
{
    CWiFiDirectSetting& w = *m_pWizard;
    WIFIDIRECT_WPSE_PROFILE& record = w.m_data_WIFIDIRECT_WPSE_Profile;
    if (m_bSaveChecked && (w.m_strProfileName.IsEmpty() || w.m_strProfileName.GetLength() > kMaxNameChars)) {
        Message(G_LangTable.IDS_PROFILENAMELENGTH);
        return false;
    }
    record.ulOperatingChannel = 0;
    if (m_nChannelSel >= 0 && m_nChannelSel < static_cast<int>(m_vecChannels.size()))
        record.ulOperatingChannel = static_cast<ULONG>(std::atoi(m_vecChannels[m_nChannelSel].GetString()));
    std::memset(record.ProfileName, 0, sizeof record.ProfileName);
    std::memcpy(record.ProfileName, w.m_strProfileName.GetString(),
                std::min<size_t>(w.m_strProfileName.GetLength(), sizeof record.ProfileName - 1));
    m_bSaveProfile = m_bSaveChecked;
    CopyText(record.MyDeviceName.chString, sizeof record.MyDeviceName.chString, w.m_strDeviceName);
    record.ulDeviceNameLength = static_cast<ULONG>(std::min<int>(w.m_strDeviceName.GetLength(), kMaxNameChars));
    return true;
}

void CWiFiDirectSettingAutonomousGO::OnEnterPage()
{
    const int action = m_pWizard->m_nAction;
    m_bKeyShownReadOnly = action == ACTION_Profile_DETAIL;
    if (action == ACTION_SET_GO_KEY) m_bKeyEditable = QXWLAPI.QXWL_ReadOpMode() != kOpModeWiFiDirectGo;
    else m_bKeyEditable = action != ACTION_Profile_DETAIL;
}

bool CWiFiDirectSettingAutonomousGO::OnLeavePage()
{
    CWiFiDirectSetting& w = *m_pWizard;
    WIFIDIRECT_WPSE_PROFILE& record = w.m_data_WIFIDIRECT_WPSE_Profile;
    if (m_bKeyEditable || w.m_nAction == ACTION_SET_GO_KEY) {
        CString upper = m_strKey;
        upper.MakeUpper();
        const int length = upper.GetLength();
        const bool valid = length >= kMinKeyChars && length <= kHexKeyChars && (length < kHexKeyChars || IsAllHex(upper));
        if (!valid) {
            Message(G_LangTable.IDS_MSGWPA2PSKKEYINVALID);
            return false;
        }
    }
    CopyText(record.Key, sizeof record.Key, m_strKey);
    record.KeyLength = static_cast<ULONG>(std::min<int>(m_strKey.GetLength(), sizeof record.Key));
    return true;
}

// ---------------------------------------------------------------------------------------------
// The wizard.

CWiFiDirectSetting::CWiFiDirectSetting(CAdvancedWiFiDirect* owner)
    : m_pDeviceName(new CWiFiDirectSettingDeviceName(this)),
      m_pWPS(new CWiFiDirectSettingWPS(this)),
      m_pAdvanced(new CWiFiDirectSettingAdvanced(this)),
      m_pSaveProfile(new CWiFiDirectSettingSaveProfile(this)),
      m_pAutonomousGO(new CWiFiDirectSettingAutonomousGO(this)),
      m_pOwner(owner)
{
}

CWiFiDirectSetting::~CWiFiDirectSetting()
{
    delete m_pDeviceName;
    delete m_pWPS;
    delete m_pAdvanced;
    delete m_pSaveProfile;
    delete m_pAutonomousGO;
}

ULONG CWiFiDirectSetting::NewPin() const
{
    ULONG pin = 0;
    if (!GenerateWpsPin(&pin)) DebugLog(1, "[QxUI] CWiFiDirectSetting: no PIN from the random source\n");
    return pin;
}

bool CWiFiDirectSetting::SwitchPage(CWiFiDirectSettingPage* from, CWiFiDirectSettingPage* to)
{
    if (from && !from->OnLeavePage()) return false;
    if (!to) return true;
    to->OnEnterPage();
    m_pCurrentPage = to;
    return true;
}

void CWiFiDirectSetting::FillOperatingChannel()
{
    m_pSaveProfile->m_strOperatingChannel.Empty();
    if (QXWLAPI.QXWL_QueryOPMode() == kOpModeWiFiDirectGo) {
        WLAN_STATUS status = {};
        QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{1, 1, 1, 1, 1});
        if (status.status == kConnected && status.frequency != 0)
            m_pSaveProfile->m_strOperatingChannel = Digits(static_cast<ULONG>(QXWLAPI.QXWL_FrequencyToChannel(status.frequency)), "%lu");
    }
    m_pSaveProfile->m_bSaveProfile = TRUE;
}

void CWiFiDirectSetting::FormShow(int action, LPCSTR pageName)
{
    DebugLog(3, "[QxUI] CWiFiDirectSetting::FormShow(%d, %s)\n", action, pageName ? pageName : "");
    m_nAction = action;
    Visible = TRUE;
    Closed = FALSE;
    CAdvancedWiFiDirect& e = *m_pOwner;
    e.m_bDeviceNameReady = FALSE;
    EnableDisableTimer(FALSE);
    e.m_strShowPin.Empty();
    // Each run starts without a PIN text: an earlier run's must never go out with this one.
    m_pWPS->m_strTempPinCode.Empty();
    WIFIDIRECT_WPSE_PROFILE& record = m_data_WIFIDIRECT_WPSE_Profile;
    CWiFiDirectSettingPage* first = nullptr;

    switch (action) {
    case ACTION_ENABLE:
        m_ulWiFiDirectDefPin = QXWLAPI.UseDefaultRegPIN >= 1 ? static_cast<ULONG>(QXWLAPI.UseDefaultRegPIN) : NewPin();
        m_pDeviceName->Show();
        m_pCurrentPage = m_pDeviceName;
        return;
    case ACTION_GET_CONNECT_REQUEST:
        SwitchHostTimer(TIMER_WIFIDIRECT_SETTING, m_dwRequestTimeoutMs, TRUE);
        m_dwRequestGiveUpAt = ::GetTickCount() + m_dwRequestTimeoutMs;
        [[fallthrough]];
    case ACTION_CONNECT: {
        std::memset(&record, 0, sizeof record);
        const WIFIDIRECT_DEVICE_ENTRY& peer = e.m_SeleteDeviceEntry;
        const int peerLength = static_cast<int>(std::min<ULONG>(peer.ulDeviceNameLength, sizeof peer.chDeviceName));
        const CString peerName(reinterpret_cast<const char*>(peer.chDeviceName), peerLength);
        m_strProfileName = CutTo(CutTo("Cont" + peerName, peerLength + 4), kMaxNameChars);
        m_strGroupSsid = GenerateGroupSsid();
        record.ulNumOfDeviceName = 1;
        std::memcpy(record.DeviceNames[0], peer.chDeviceName, sizeof record.DeviceNames[0]);
        record.ulNumOfDeviceAddr = 1;
        std::memcpy(record.DeviceAddrs[0], peer.MacAddr, sizeof record.DeviceAddrs[0]);
        m_pWPS->m_WpsCapability = QXWLAPI.QXWL_ConvertWpsConfigMethodToWpsCapabilityMap(peer.ConfigMethod, 0);
        m_pWPS->m_WiFiDirectFlags = peer.WiFiDirectFlags;
        m_lDefPin = static_cast<LONG>(NewPin());
        m_pWPS->m_ulPin = static_cast<ULONG>(m_lDefPin);
        m_pAdvanced->m_nIntentIndex =
            (e.m_nIntentIndex == 0 || e.m_nIntentIndex == kAutonomousGoIntent) ? e.m_nDefaultIntentIndex : e.m_nIntentIndex;
        FillOperatingChannel();
        first = m_pWPS;
        break;
    }
    case ACTION_AUTONOMOUSGO: {
        std::memset(&record, 0, sizeof record);
        m_strProfileName = CutTo(CutTo("AutoGO" + m_strDeviceName, m_strDeviceName.GetLength() + 6), kMaxNameChars);
        m_strGroupSsid = GenerateGroupSsid();
        m_pAutonomousGO->m_strKey = CGroupPassPhrase::Default();
        m_pAdvanced->m_nIntentIndex = kAutonomousGoIntent;
        FillOperatingChannel();
        first = m_pAutonomousGO;
        break;
    }
    case ACTION_DISPLAY_PIN:
        std::memset(&record, 0, sizeof record);
        record.WpsMethod = WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC;
        m_pWPS->m_WpsCapability = WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC;
        m_lDefPin = static_cast<LONG>(m_ulWiFiDirectDefPin     ? m_ulWiFiDirectDefPin
                                      : QXWLAPI.UseDefaultRegPIN >= 1 ? static_cast<ULONG>(QXWLAPI.UseDefaultRegPIN)
                                                                      : NewPin());
        m_pWPS->m_ulPin = static_cast<ULONG>(m_lDefPin);
        first = m_pWPS;
        break;
    case ACTION_WPS:
        std::memset(&record, 0, sizeof record);
        m_lDefPin = static_cast<LONG>(m_ulWiFiDirectDefPin ? m_ulWiFiDirectDefPin : NewPin());
        m_pWPS->m_ulPin = static_cast<ULONG>(m_lDefPin);
        m_pWPS->m_WpsCapability = QXWLAPI.QXWL_ConvertWpsConfigMethodToWpsCapabilityMap(e.MyDeviceData.ConfigMethod, 1);
        first = m_pWPS;
        break;
    case ACTION_Profile_DETAIL: {
        std::memset(&record, 0, sizeof record);
        char name[128] = {};
        std::memcpy(name, m_strProfileName.GetString(), std::min<size_t>(m_strProfileName.GetLength(), sizeof name - 1));
        QXWLAPI.QXWL_ReadWifiDirectWpseProfile(name, &record);
        const ULONG ssidLength = std::min<ULONG>(record.SSID.SsidLength, sizeof record.SSID.Ssid);
        m_strGroupSsid = CString(reinterpret_cast<const char*>(record.SSID.Ssid), static_cast<int>(ssidLength));
        m_pWPS->m_WiFiDirectFlags = 0;
        char pin[9] = {};
        std::memcpy(pin, record.PIN, sizeof record.PIN);
        m_lDefPin = static_cast<LONG>(std::strtoul(pin, nullptr, 10));
        m_pWPS->m_ulPin = static_cast<ULONG>(m_lDefPin);
        const ULONG keyLength = std::min<ULONG>(record.KeyLength, sizeof record.Key);
        m_pAutonomousGO->m_strKey = CString(reinterpret_cast<const char*>(record.Key), static_cast<int>(keyLength));
        m_pAdvanced->m_nIntentIndex = static_cast<int>(record.ulIntentIndex);
        m_pAdvanced->m_strListenChannel = Digits(record.ulListenChannel, "%lu");
        m_pSaveProfile->m_strOperatingChannel = Digits(record.ulOperatingChannel, "%lu");
        m_pSaveProfile->m_bSaveProfile = TRUE;
        const ULONG nameLength = std::min<ULONG>(record.ulDeviceNameLength, sizeof record.MyDeviceName.chString);
        m_strDeviceName = CString(reinterpret_cast<const char*>(record.MyDeviceName.chString), static_cast<int>(nameLength));
        first = record.ulIntentIndex == kAutonomousGoIntent ? static_cast<CWiFiDirectSettingPage*>(m_pAutonomousGO)
                                                             : static_cast<CWiFiDirectSettingPage*>(m_pWPS);
        break;
    }
    case ACTION_SET_GO_KEY:
        std::memset(&record, 0, sizeof record);
        m_pAutonomousGO->m_strKey = CGroupPassPhrase::Default();
        first = m_pAutonomousGO;
        break;
    default:
        DebugLog(1, "[QxUI] CWiFiDirectSetting::FormShow: unknown action %d\n", action);
        return;
    }
    m_pCurrentPage = nullptr;
    SwitchPage(nullptr, first);
}

void CWiFiDirectSetting::SaveProfileAndApply(bool apply, bool clearActiveWhenUnsaved)
{
    WIFIDIRECT_WPSE_PROFILE& record = m_data_WIFIDIRECT_WPSE_Profile;
    if (!m_pSaveProfile->m_bSaveProfile) {
        if (clearActiveWhenUnsaved) QXWLAPI.QXWL_WriteActiveWifiDirectWpseProfileName("");
    } else {
        QXWLAPI.QXWL_WriteWifiDirectWpseProfile(record.ProfileName, &record);
        if (apply) {
            QXWLAPI.QXWL_WriteActiveWifiDirectWpseProfileName(record.ProfileName);
            if (m_pOwner->m_pProfile && !m_pOwner->m_bProfileFormGone) m_pOwner->m_pProfile->LoadProfileList();
        }
    }
    if (apply) SetWifiDirectWpseConfig();
}

void CWiFiDirectSetting::BtnWiFiDirectNextClick()
{
    CAdvancedWiFiDirect& e = *m_pOwner;
    CWiFiDirectSettingPage* const current = m_pCurrentPage;
    const bool advanced = QXWLAPI.SupportAdvanceSettings != 0;
    DebugLog(3, "[QxUI] CWiFiDirectSetting::BtnWiFiDirectNextClick action %d\n", m_nAction);
    switch (m_nAction) {
    case ACTION_ENABLE: {
        if (current != m_pDeviceName || !SwitchPage(m_pDeviceName, nullptr)) return;
        char name[kNameBufferBytes] = {};
        std::memcpy(name, m_pDeviceName->m_strDeviceName.GetString(),
                    std::min<size_t>(m_pDeviceName->m_strDeviceName.GetLength(), kMaxNameChars));
        QXWLAPI.QXWL_WriteWiFiDirectDeviceName(name);
        const ULONG length = static_cast<ULONG>(std::strlen(name));
        std::memset(e.MyDeviceData.chDeviceName, 0, sizeof e.MyDeviceData.chDeviceName);
        std::memcpy(e.MyDeviceData.chDeviceName, name, length);
        e.MyDeviceData.ulDeviceNameLength = length;
        e.m_strMyDeviceName = name;
        m_strDeviceName = name;
        e.m_bDeviceNameReady = TRUE;
        Hide();
        return;
    }
    case ACTION_CONNECT:
    case ACTION_GET_CONNECT_REQUEST:
    case ACTION_AUTONOMOUSGO:
    case ACTION_Profile_DETAIL: {
        const bool fromStart = current == m_pWPS || current == m_pAutonomousGO;
        if (fromStart) {
            if (!SwitchPage(current, m_pAdvanced)) return;
            if (m_nAction == ACTION_CONNECT && m_pWPS->m_ulWPSType == WIFI_DIRECT_WPSE_PIN_MODE_USER_SPEC && current == m_pWPS) {
                SetWifiDirectWpseConfig();
                Hide();
                return;
            }
            if (!advanced) SwitchPage(m_pAdvanced, m_pSaveProfile);
            return;
        }
        if (current == m_pAdvanced) {
            SwitchPage(m_pAdvanced, m_pSaveProfile);
            return;
        }
        if (current != m_pSaveProfile || !SwitchPage(m_pSaveProfile, nullptr)) return;
        if (m_nAction == ACTION_Profile_DETAIL) {
            if (m_pSaveProfile->m_bSaveProfile)
                QXWLAPI.QXWL_WriteWifiDirectWpseProfile(m_data_WIFIDIRECT_WPSE_Profile.ProfileName, &m_data_WIFIDIRECT_WPSE_Profile);
            m_pWPS->m_strTempPinCode.Empty();
        } else {
            SaveProfileAndApply(true, m_nAction != ACTION_AUTONOMOUSGO);
        }
        Hide();
        return;
    }
    case ACTION_DISPLAY_PIN:
        m_pWPS->m_strTempPinCode.Empty();
        Hide();
        return;
    case ACTION_WPS: {
        if (current != m_pWPS || !SwitchPage(m_pWPS, nullptr)) return;
        WIFIDIRECT_WPSE_PROFILE record = {};
        record.ConfigMode = CONFIG_MODE_SET_GO_WPS;
        record.WpsMethod = m_pWPS->m_ulWPSType;
        if (WpsMethodCarriesPin(record.WpsMethod))
            std::memcpy(record.PIN, m_data_WIFIDIRECT_WPSE_Profile.PIN, sizeof record.PIN);
        const LONG result = ApplyRecord(record, "BtnWiFiDirectNextClick(ACTION_WPS)");
        if (result == QXWL_ERROR_SUCCESS && record.WpsMethod == WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC) {
            char pin[9] = {};
            std::memcpy(pin, record.PIN, sizeof record.PIN);
            m_ulWiFiDirectDefPin = std::strtoul(pin, nullptr, 10);
        }
        e.ShowMyInfo();
        m_pWPS->m_strTempPinCode.Empty();
        e.m_bDeviceNameReady = TRUE;
        Hide();
        return;
    }
    case ACTION_SET_GO_KEY: {
        if (current != m_pAutonomousGO || !SwitchPage(m_pAutonomousGO, nullptr)) return;
        if (QXWLAPI.QXWL_ReadOpMode() != kOpModeWiFiDirectGo) {
            WIFIDIRECT_WPSE_PROFILE& record = m_data_WIFIDIRECT_WPSE_Profile;
            record.ConfigMode = CONFIG_MODE_SET_PASSPHRASE;
            const CString ssid = m_strGroupSsid.IsEmpty() ? GenerateGroupSsid() : e.m_strGroupSSID;
            std::memset(&record.SSID, 0, sizeof record.SSID);
            CopyText(record.SSID.Ssid, sizeof record.SSID.Ssid, ssid);
            record.SSID.SsidLength = static_cast<ULONG>(std::min<int>(ssid.GetLength(), sizeof record.SSID.Ssid));
            ApplyRecord(record, "BtnWiFiDirectNextClick(ACTION_SET_GO_KEY)");
        }
        Hide();
        return;
    }
    default:
        return;
    }
}

void CWiFiDirectSetting::SetWifiDirectWpseConfig()
{
    CAdvancedWiFiDirect& e = *m_pOwner;
    WIFIDIRECT_WPSE_PROFILE& record = m_data_WIFIDIRECT_WPSE_Profile;
    const bool keepLink = QXWLAPI.QXWL_QueryOPMode() == kOpModeWiFiDirectGo || (e.MyDeviceData.EntryStatus & 0x2) ||
                          e.m_nNumOfMyGroup > 1;
    if (!keepLink) {
        if (QXWLAPI.WinOS() < kVistaOsCode) {
            QXWLAPI.QXWL_SetAuthMode(0);
            QXWLAPI.QXWL_Disassociate();
        } else {
            QXWLAPI.QXWL_WlanDisconnect();
            // Only an earlier group's own profile goes: the user's wireless profiles stay.
            if (!e.m_strGroupSSID.IsEmpty()) QXWLAPI.QXWL_WlanDeleteWindowsProfile(e.m_strGroupSSID);
        }
    }
    QXWLAPI.QXWL_WriteWPSFlag(FALSE);
    QXWLAPI.QXWL_WriteWifiDirectFlag(TRUE);
    record.ConfigMode = WIFIDIRECT_CONFIG_INVITE;
    const LONG result = ApplyRecord(record, "CWiFiDirectSetting::SetWifiDirectWpseConfig");
    e.m_strShowPin.Empty();
    if (result == QXWL_ERROR_SUCCESS && record.WpsMethod == WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC) {
        char pin[9] = {};
        std::memcpy(pin, record.PIN, sizeof record.PIN);
        m_ulWiFiDirectDefPin = std::strtoul(pin, nullptr, 10);
        e.m_strShowPin.Format("PIN >> %08lu", m_ulWiFiDirectDefPin);
    }
    // The user's PIN method without its PIN only asks the peer to show one; with the PIN it is
    // the connection, and its progress is shown like any other's.
    if (m_nAction == ACTION_CONNECT && record.WpsMethod == WIFI_DIRECT_WPSE_PIN_MODE_USER_SPEC && record.PIN[0] == '\0') {
        e.StartWiFiDirectProgress(false, 0);
        e.m_bDeviceNameReady = FALSE;
        return;
    }
    const ULONG ssidLength = std::min<ULONG>(record.SSID.SsidLength, sizeof record.SSID.Ssid);
    e.m_strGroupSSID = CString(reinterpret_cast<const char*>(record.SSID.Ssid), static_cast<int>(ssidLength));
    if (m_nAction == ACTION_CONNECT || m_nAction == ACTION_AUTONOMOUSGO || m_nAction == ACTION_GET_CONNECT_REQUEST)
        e.m_nIntentIndex = static_cast<int>(record.ulIntentIndex);
    e.ShowMyInfo();
    e.StartWiFiDirectProgress(false, 0);
    e.m_bDeviceNameReady = TRUE;
}

void CWiFiDirectSetting::CancelAndHide()
{
    m_pOwner->m_bDeviceNameReady = FALSE;
    m_pWPS->m_strTempPinCode.Empty();
    Hide();
}

int CWiFiDirectSetting::FillChannelList(const CString& current, std::vector<CString>& list, int& selection, bool socialOnly)
{
    list.clear();
    selection = -1;
    ULONG wirelessMode = 0, adhocMode = 0, count = 0;
    UCHAR channels[64] = {};
    QXWLAPI.QXWL_QueryWirelessMode(&wirelessMode);
    QXWLAPI.QXWL_ConvertPhyModeToAdHocMode(wirelessMode, &adhocMode);
    QXWLAPI.QXWL_GetAvailableChannels(0, wirelessMode, adhocMode, channels, &count, 1);
    count = std::min<ULONG>(count, sizeof channels);
    for (ULONG i = 0; i < count; ++i) {
        const UCHAR c = channels[i];
        const bool keep = socialOnly ? (c == 1 || c == 6 || c == 11) : !(c == 14 || c == 34 || c == 38 || c == 42 || c == 46);
        if (keep) list.push_back(Digits(c, "%lu"));
    }
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i] == current) {
            selection = static_cast<int>(i);
            return 1;
        }
    if (!list.empty()) selection = 0;
    return -1;
}

CString CWiFiDirectSetting::GenerateGroupSsid()
{
    NDIS_802_11_SSID own = {};
    QXWLAPI.QXWL_ReadWiFiDirectGOssid(&own);
    const ULONG length = std::min<ULONG>(own.SsidLength, sizeof own.Ssid);
    if (QXWLAPI.QXWL_QueryOPMode() == kOpModeWiFiDirectGo && length && m_nAction != ACTION_AUTONOMOUSGO)
        return CString(reinterpret_cast<const char*>(own.Ssid), static_cast<int>(length));
    char suffix[2] = {'0', '0'};
    if (!MakeRandomString(suffix, sizeof suffix, kSsidAlphabet))
        DebugLog(1, "[QxUI] GenerateGroupSsid: no random characters; the suffix stays \"00\"\n");
    CString ssid;
    ssid.Format("DIRECT-%c%c", suffix[0], suffix[1]);
    return CutTo(ssid, kMaxNameChars);
}

int CWiFiDirectSetting::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TIMER_WIFIDIRECT_SETTING) return -1;
    EnableDisableTimer(FALSE);
    if (m_pOwner->m_bDeviceNameReady) {
        DebugLog(3, "[QxUI] CWiFiDirectSetting::OnTimer: the engine is busy (action %d)\n", m_nAction);
        return 1;
    }
    if (m_nAction == ACTION_GET_CONNECT_REQUEST && Visible) {
        DebugLog(3, "[QxUI] CWiFiDirectSetting::OnTimer: nobody answered the connection request; given up\n");
        m_pWPS->m_strTempPinCode.Empty();
        Hide();
        // A page still waiting for the user's answer is told that the request is gone.
        if (GetP2PRequestAnswer() == P2P_REQUEST_WAITING) SetP2PRequestAnswer(P2P_REQUEST_CANCEL);
    } else {
        DebugLog(3, "[QxUI] CWiFiDirectSetting::OnTimer: action %d\n", m_nAction);
    }
    return 1;
}

void CWiFiDirectSetting::ResumeRequest()
{
    m_nAction = ACTION_GET_CONNECT_REQUEST;
    Visible = TRUE;
    Closed = FALSE;
    // Signed: a give-up already due fires at once.
    const LONG left = static_cast<LONG>(m_dwRequestGiveUpAt - ::GetTickCount());
    SwitchHostTimer(TIMER_WIFIDIRECT_SETTING, left > 0 ? static_cast<UINT>(left) : USER_TIMER_MINIMUM, TRUE);
}

void CWiFiDirectSetting::Hide()
{
    EnableDisableTimer(FALSE);
    CBCBBasicForm::Hide();
}
