// The Wi-Fi Direct settings wizard: one action's settings collected page by page and handed to
// the station library. The pages hold the values only; the skinned pages show them, write the
// user's input back and press Next.
#pragma once
#include "wifidirect/BCBBasicForm.h"
#include "contract/WiFiDirectRecords.h"
#include "framework/Afx.h"

#include <vector>

class CAdvancedWiFiDirect;
class CWiFiDirectSetting;

constexpr UINT_PTR TIMER_WIFIDIRECT_SETTING = 8224;

// Actions the settings wizard is opened for.
enum WIFIDIRECT_SETTING_ACTION {
    ACTION_ENABLE = 1,
    ACTION_CONNECT = 2,
    ACTION_AUTONOMOUSGO = 3,
    ACTION_DISPLAY_PIN = 4,
    ACTION_GET_CONNECT_REQUEST = 5,
    ACTION_WPS = 6,
    ACTION_Profile_DETAIL = 7,
    ACTION_SET_GO_KEY = 8,
};

constexpr ULONG WIFI_DIRECT_WPSE_PBC_MODE = 0x20000000;
constexpr ULONG WIFI_DIRECT_WPSE_PIN_MODE_USER_SPEC = kWdWpsMethodPinUser;
constexpr ULONG WIFI_DIRECT_WPSE_PIN_MODE_REGISTRA_SPEC = kWdWpsMethodPinB;
constexpr ULONG CONFIG_MODE_SET_GO_WPS = WIFIDIRECT_CONFIG_GO_WPS;
constexpr ULONG CONFIG_MODE_SET_PASSPHRASE = WIFIDIRECT_CONFIG_PASSPHRASE;
constexpr int kAutonomousGoIntent = 16;

// The messages of the page checks that the language file leaves without text.
inline constexpr char kMsgDeviceName[] = "The device name must have 1 to 32 characters.";
inline constexpr char kMsgIntent[] = "The group owner intent must be a number from 0 to 15.";
inline constexpr char kMsgNoMethod[] = "The device offers no WPS method.";
inline constexpr char kMsgInvalidPin[] = "Invaild Pin Code";
inline constexpr char kMsgPinChecksum[] = "Pin Code error";
inline constexpr char kAutonomousGoIndexText[] = "Autonomous GO index";

class CWiFiDirectSettingPage : public CBCBBasicForm {
public:
    explicit CWiFiDirectSettingPage(CWiFiDirectSetting* wizard) : m_pWizard(wizard) {}
    CWiFiDirectSetting* m_pWizard;
};

class CWiFiDirectSettingDeviceName : public CWiFiDirectSettingPage {
public:
    using CWiFiDirectSettingPage::CWiFiDirectSettingPage;
    bool OnLeavePage() override;
    CString m_strDeviceName;
};

class CWiFiDirectSettingWPS : public CWiFiDirectSettingPage {
public:
    using CWiFiDirectSettingPage::CWiFiDirectSettingPage;
    void OnEnterPage() override;
    bool OnLeavePage() override;
    void rBtnPBCClick();
    void rBtnPIN_RegSpecClick();
    void rBtnPIN_UserSpecClick();
    // Empty when the PIN text is acceptable, else the message to show.
    static CString CheckPinCode(const CString& pin, bool testChecksum);

    ULONG m_ulWPSType = 0;
    ULONG m_ulPin = 0;
    UCHAR m_WiFiDirectFlags = 0;
    ULONG m_WpsCapability = 0;
    // The three methods: offered (shown and enabled) and checked.
    BOOL m_bPBCOffered = FALSE, m_bPinRegOffered = FALSE, m_bPinUserOffered = FALSE;
    BOOL m_bPBCChecked = FALSE, m_bPinRegChecked = FALSE, m_bPinUserChecked = FALSE;
    BOOL m_bPinShown = FALSE, m_bPinEnabled = FALSE, m_bPinReadOnly = FALSE;
    BOOL m_bNextEnabled = TRUE;
    CString m_strTempPinCode;
};

class CWiFiDirectSettingAdvanced : public CWiFiDirectSettingPage {
public:
    using CWiFiDirectSettingPage::CWiFiDirectSettingPage;
    void OnEnterPage() override;
    bool OnLeavePage() override;

    int m_nIntentIndex = 0;
    CString m_strIntentText;
    BOOL m_bIntentEditable = TRUE;
    CString m_strListenChannel;
    std::vector<CString> m_vecChannels;
    int m_nChannelSel = -1;
};

class CWiFiDirectSettingSaveProfile : public CWiFiDirectSettingPage {
public:
    using CWiFiDirectSettingPage::CWiFiDirectSettingPage;
    void OnEnterPage() override;
    bool OnLeavePage() override;

    CString m_strOperatingChannel;
    std::vector<CString> m_vecChannels;
    int m_nChannelSel = -1;
    BOOL m_bSaveProfile = FALSE;  // the result of the page: 1 = save the profile
    BOOL m_bSaveChecked = FALSE;  // the save box
    BOOL m_bSaveOffered = TRUE;
    CString m_strProfileName;
};

class CWiFiDirectSettingAutonomousGO : public CWiFiDirectSettingPage {
public:
    using CWiFiDirectSettingPage::CWiFiDirectSettingPage;
    void OnEnterPage() override;
    bool OnLeavePage() override;

    CString m_strKey;
    BOOL m_bKeyEditable = TRUE;
    BOOL m_bKeyShownReadOnly = FALSE;
};

class CWiFiDirectSetting : public CBCBBasicForm {
public:
    explicit CWiFiDirectSetting(CAdvancedWiFiDirect* owner);
    ~CWiFiDirectSetting() override;
    static constexpr UINT kTimerMs = 120000;

    // Starts the wizard for an action (pageName is only traced).
    virtual void FormShow(int action, LPCSTR pageName = "");
    virtual void BtnWiFiDirectNextClick();
    bool SwitchPage(CWiFiDirectSettingPage* from, CWiFiDirectSettingPage* to);
    void SetWifiDirectWpseConfig();
    void CancelAndHide();
    // Fills the list with the channels the adapter offers (social: 1, 6 and 11 only) and selects
    // the one equal to current: 1 when found, -1 when the first was taken instead.
    int FillChannelList(const CString& current, std::vector<CString>& list, int& selection, bool socialOnly);
    CString GenerateGroupSsid();

    void EnableDisableTimer(BOOL enable) { SwitchHostTimer(TIMER_WIFIDIRECT_SETTING, kTimerMs, enable); }
    int OnTimer(UINT_PTR nIDEvent) override;
    void Hide() override;
    // A peer's request still waits for the user's answer: the wizard is held for it.
    bool RequestWaits() const { return m_nAction == ACTION_GET_CONNECT_REQUEST && Visible; }
    // After a run of another action in between, the wizard serves the waiting request again,
    // which gives up when it was due to, not a full period later.
    void ResumeRequest();

    CString m_strDeviceName;
    int m_nAction = 0;
    ULONG m_ulWiFiDirectDefPin = 0;
    WIFIDIRECT_WPSE_PROFILE m_data_WIFIDIRECT_WPSE_Profile = {};
    CString m_strGroupSsid;
    LONG m_lDefPin = 0;
    CString m_strProfileName;
    DWORD m_dwRequestTimeoutMs = kTimerMs;
    DWORD m_dwRequestGiveUpAt = 0;  // when the last request's give-up is due (GetTickCount)

    CWiFiDirectSettingDeviceName* m_pDeviceName;
    CWiFiDirectSettingWPS* m_pWPS;
    CWiFiDirectSettingAdvanced* m_pAdvanced;
    CWiFiDirectSettingSaveProfile* m_pSaveProfile;
    CWiFiDirectSettingAutonomousGO* m_pAutonomousGO;
    CWiFiDirectSettingPage* m_pCurrentPage = nullptr;
    CAdvancedWiFiDirect* m_pOwner;

private:
    void FillOperatingChannel();
    void SaveProfileAndApply(bool apply, bool clearActiveWhenUnsaved);
    ULONG NewPin() const;
};

// The PIN as the record carries it: eight digits, leading zeros kept.
void WritePinText(char (&pin)[8], ULONG value);
