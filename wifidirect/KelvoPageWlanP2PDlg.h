// The Wi-Fi Direct page of the main window: the switch, the role, scanning, the device list,
// connecting and disconnecting, and the answer to a peer's connection request. It is the host
// window of the engine's forms.
#pragma once
#include "framework/Afx.h"
#include "framework/CImageList.h"
#include "res/ApWdPagesResource.h"
#include "contract/WiFiDirectRecords.h"
#include "ui/CImageQuickList.h"
#include "ui/FloatButton.h"
#include "wifidirect/WiFiDirectPageSkin.h"

#include <vector>

class CAdvancedWiFiDirect;

constexpr UINT MSG_P2P_DEVICE_LIST = WM_USER + 129;
constexpr UINT MSG_P2P_SETTING_DONE = WM_USER + 131;
// The answer to a waiting connection request arrived (WPARAM: the answer).
constexpr UINT MSG_P2P_REQUEST_ANSWER = WM_USER + 132;
// A page of a waiting request's prompt was hidden: is the prompt still on screen?
constexpr UINT MSG_P2P_CHECK_REQUEST = WM_USER + 133;
// The device-name page was hidden: did Wi-Fi Direct go on, or was the page left without a name?
constexpr UINT MSG_P2P_CHECK_SWITCH = WM_USER + 134;
constexpr UINT_PTR TIMER_P2P_STATUS = 2100;

// The text of the device-type column: the WPS primary device type's category ("PC" for a
// computer and for a category it does not know).
CString DeviceTypeText(const WIFIDIRECT_DEVICE_TYPE& type);

// One row of the device list.
struct P2P_DEVICE_ROW {
    WIFIDIRECT_DEVICE_TYPE nPrimaryDeviceType = {};
    ULONG nRule = 0;
    ULONG bConnectToMe = 0;
    CString strGroupAddress;  // the group owner's address; the group column's text is strGroup
    CString strGroup;
    CString strName;
    CString strAddress;
    bool operator==(const P2P_DEVICE_ROW& o) const;
};

// The device rows of a topology: each item, then its members (group = the item's address).
std::vector<P2P_DEVICE_ROW> BuildDeviceRows(const CAdvancedWiFiDirect& engine);

class CKelvoPageWlanP2PDlg : public CWiFiDirectSkinnedPage {
    DECLARE_DYNCREATE(CKelvoPageWlanP2PDlg)
public:
    enum { IDD = IDD_KELVO_WLAN_P2P };
    static constexpr UINT kConfigControlId = IDC_WLANP2P_ENABLE;  // disabled while the system's service owns the adapter
    static constexpr UINT kOffDelayMs = 3000;
    CKelvoPageWlanP2PDlg();
    ~CKelvoPageWlanP2PDlg() override;

    CString m_strKey;
    CString m_strDeviceName;
    BOOL m_bSaveProfile = FALSE;
    std::vector<P2P_DEVICE_ROW> m_vecShowRows, m_vecNewRows;
    // m_bStarted: Wi-Fi Direct was switched on from this page; m_bActive goes with it.
    // The main window hands the engine's events on only while both are 1.
    int m_bStarted = 0;
    int m_bActive = 0;
    int m_nSelRole = 1;  // the role chosen on the radios: 1 group owner, 2 client
    int m_nRole = 1;     // the role the engine last reported
    int m_bListReady = 0;
    int m_bIncoming = 0;
    int m_nChannelIndex = 0;  // the preferred channel's list index (the channel page)
    CString m_strChannel;     // and its channel number, which the connection uses
    int m_bConnecting = 0;    // 1 while a Wi-Fi Direct connection is being made
    int m_nRowPaints = 0;     // list refreshes so far

    // The peer the user picked on the list for an own connection, and the peer of the request
    // that waits (or last waited): each road connects to its own.
    WIFIDIRECT_DEVICE_ENTRY m_SelectedPeer = {};
    WIFIDIRECT_DEVICE_ENTRY m_RequestPeer = {};

    // The answer to a waiting request (-1 cancel, 0 go on).
    void SetP2PRequestAnswer(LONG answer);
    // The user's own connection to the peer picked on the list, from the page `from`: a refused
    // one is told in a box and leads back to the first page; one that starts shows the link status.
    void ConnectSelectedPeer(CDialog* from);
    // The first step of the user's road with the peer's PIN: the peer picked on the list is
    // invited by that method without a PIN, which asks it to show its PIN. False when it was
    // refused (told in a box, back to the first page).
    bool AskPeerForItsPin();
    // A waiting request ends as if the user had cancelled it.
    void CancelWaitingRequest();
    // The name page was left without a name: Wi-Fi Direct never went on, the switch goes off.
    void CancelSwitchOn();
    // The name page was hidden (Next, Back, Exit, or the Wi-Fi Direct tab): once the next page
    // shows, the main page looks whether Wi-Fi Direct went on.
    static void NamePageHidden();
    void ShowP2PPanel(BOOL bShow);
    // The engine's request callback; the argument is the page.
    static void OnIncomingRequest(void* page);
    void SetWiFiDirectState(BOOL bOn);
    // Looks the row's address up in the topology; sets the engine's selected device.
    bool FindDeviceByAddress(const CString& address);
    void OnConnect();
    void OnEnableWiFiDirect();
    CAdvancedWiFiDirect* Engine() const;
    static BOOL IsRequestPending();
    // A page of a request's prompt was hidden: once the next page shows, the main page looks
    // whether the user left the prompt.
    static void PromptPageHidden();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnDestroy();
    void OnTimer(UINT_PTR nIDEvent);
    void OnRoleGroupOwner();
    void OnRoleClient();
    void OnScan();
    void OnWps();
    void OnMoreInfo();
    void OnListRightClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDisconnectCommand();
    LRESULT OnGetItemData(WPARAM, LPARAM lParam);
    LRESULT OnDeviceList(WPARAM wParam, LPARAM);
    LRESULT OnP2PEvent(WPARAM wParam, LPARAM);
    LRESULT OnSettingDone(WPARAM, LPARAM) { return 0; }
    LRESULT OnRequestAnswer(WPARAM wParam, LPARAM);
    LRESULT OnCheckRequest(WPARAM, LPARAM);
    LRESULT OnCheckSwitch(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    void EnableControls(BOOL bOn);
    void RefreshList();
    void ResolveGroups();
    // The method, PIN, channel and key of the page go to the settings wizard, which applies
    // them; a request's peer is taken up again first (incoming).
    void ContinueRequest(bool incoming);
    void ShowRole(ULONG role);
    // The engine's selected device becomes the user's pick; a refusal is told and leads back to
    // the first page (false).
    bool SelectUsersPeer();
    // The connection callback of the first step: the wizard applies the user's PIN method without a PIN.
    static void ApplyUsersPinMethod(void* page);
    void SetUpSkin();
    void SetUpList();

    CImageQuickList m_list;
    CImageList m_images;
    CFloatButton m_btnMoreInfo, m_btnScan, m_btnConnect, m_btnWps;
    ULONG m_nShownRole = 0;
    BOOL m_bSwitchUsable = TRUE;  // the switch's state before the pause of a switch-off
};
