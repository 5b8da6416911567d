// The Wi-Fi Direct engine: the root form, owned by the hidden main dialog for the life of the
// program. It reads the driver's status block after each status event, keeps the device
// topology the pages list, and switches, scans, connects, disconnects and shares the
// connection through the station library. Its timers run on the main Wi-Fi Direct page.
#pragma once
#include "wifidirect/BCBBasicForm.h"
#include "wifidirect/WiFiDirectForms.h"
#include "contract/WiFiDirectRecords.h"
#include "framework/Afx.h"

#include <vector>

// Answers to a pending Wi-Fi Direct connection request.
enum P2P_REQUEST_ANSWER : LONG {
    P2P_REQUEST_CANCEL = -1,
    P2P_REQUEST_GO_ON = 0,
    P2P_REQUEST_WAITING = 1,
    P2P_REQUEST_DONE = 2,
};

constexpr UINT_PTR TIMER_WIFIDIRECT_CONNECT_STATUS = 8209;
constexpr UINT_PTR TIMER_WIFIDIRECT_PROGRESS_BAR = 8210;
constexpr UINT_PTR TIMER_POP_SETTING = 8211;
constexpr UINT_PTR TIMER_WIFIDIRECT_ONESHOT = 8212;
constexpr UINT_PTR TIMER_WIFIDIRECT_ICS = 8213;

// What became of a connection the user asked for.
enum P2P_CONNECT_RESULT {
    P2P_CONNECT_STARTED = 0,        // the settings wizard runs for it
    P2P_CONNECT_INVITED,            // the peer was invited into this device's group
    P2P_CONNECT_DECLINED,           // the user declined the invitation
    P2P_CONNECT_PEER_CONNECTED,     // refused: the peer is connected to this device already
    P2P_CONNECT_PEER_IN_GROUP,      // refused: the peer is a client of another group
    P2P_CONNECT_PEER_BUSY,          // refused: the peer reports it cannot take a connection now
    P2P_CONNECT_OWNER_BUSY,         // refused: the peer owns a group and this device cannot join one
};

// A listed device and, for a group, its members.
struct WIFIDIRECT_TOPOLOGY_ITEM {
    WIFIDIRECT_DEVICE_ENTRY Device = {};
    std::vector<WIFIDIRECT_DEVICE_ENTRY> vecSubDeviceList;
};

// A device's name as its entry holds it: cut at its length and at its first zero.
CString DeviceNameText(const WIFIDIRECT_DEVICE_ENTRY& device);

class CAdvancedWiFiDirect : public CBCBBasicForm {
public:
    CAdvancedWiFiDirect();
    ~CAdvancedWiFiDirect() override;

    static constexpr int kRequestWindowSeconds = 15;
    static constexpr DWORD kConnectProgressMs = 50000;
    // The sharing state is awaited this many ticks of the sharing timer, then given up.
    static constexpr int kIcsWaitTicks = 30;
    static constexpr char kQxSwapProgram[] = "QxSwap.exe";
    static constexpr char kMediaServerProgram[] = "QxMediaServer.exe";
    static constexpr char kVirtualMiniport[] = "{5D624F94-8850-40C3-A3FA-A4FD2080BAF3}\\VWIFIMP";

    // Framework.
    void SetHwnd(HWND hWnd) override;
    void EnableDisableTimer(UINT_PTR nIDEvent, BOOL enable);
    int OnTimer(UINT_PTR nIDEvent) override;
    // The host page's chain after its own timer: engine, profile form, settings wizard,
    // progress form, media-sharing form. -1 when none took the id.
    int RouteTimer(UINT_PTR nIDEvent);

    // Status and topology.
    void GetWiFiDirectWpseStatus();
    void UpdateTopologyData();
    void ShowMyInfo();
    // The text of an error event's code (its value and configuration methods where they count).
    static CString ErrorCodeText(ULONG code, ULONG value, USHORT configMethods);

    // Switching, scanning, connecting, sharing.
    virtual void EnableOrDisableWiFiDirect(BOOL bOn, BOOL bReadControl, BOOL bForceNamePage, BOOL bWriteFlag);
    void EnableWiFiDirect() { EnableOrDisableWiFiDirect(1, 1, 1, 1); }
    void DisableWiFiDirect() { EnableOrDisableWiFiDirect(0, 0, 0, 1); }
    void InitializeVariablesAndStatus(BOOL flag = FALSE);
    void OnScan();
    // Connects to the selected peer, or says why it cannot be done (nothing is sent then).
    P2P_CONNECT_RESULT OnConnectDevice(void (*callback)(void*) = nullptr, void* argument = nullptr);
    // Why the selected peer cannot be connected now; P2P_CONNECT_STARTED when it can.
    P2P_CONNECT_RESULT ConnectRefusal() const;
    // The user's text for a refusal (`peerName` is the connected peer's); empty for the other results.
    static CString ConnectRefusalText(P2P_CONNECT_RESULT result, const CString& peerName = CString());
    void OnDisconnect();
    void TriggerWPS();
    void ConnectWiFiDirectCredential();
    void GenerateSeudoWiFiDirectProfile();
    void PopMsgAndInitSetting();
    void OnPopupConnectSetting();
    void BtnWPSConnectClick();
    void DisplayPin();
    void StartWiFiDirectProgress(bool start, DWORD durationMs);
    // Attaches the progress display to the view that shows it.
    void ShowProgressMsg(IWiFiDirectProgressView* view);
    void RunQxSwapToControlICS(bool on);
    void GetAndSetMyIP();
    // Timer handlers.
    void TimerCheckConnectStatusTimer();
    void TimerPopMsgTimer();
    void TimerCheckICSTimer();
    // The incoming-request callback of the main page and its argument.
    void SetCallback(void (*callback)(void*), void* argument)
    {
        m_pfnRequestCallback = callback;
        m_pRequestArgument = argument;
    }

    // Framework fields: timers 8213, 8212, 8211, 8210, 8209 in that order.
    BOOL m_bTimerRunning[5] = {};
    UINT m_nTimerInterval[5] = {1000, 5000, 1000, 1000, 1000};
    CWiFiDirectSetting* m_pSetting = nullptr;
    CWiFiDirectProfile* m_pProfile = nullptr;
    CProgressMsg* m_pProgressMsg = nullptr;
    CWiFiDirectMediaSharing* m_pMediaSharing = nullptr;

    // Status and topology.
    alignas(ULONG) BYTE m_WiFiDirectStatus[kWiFiDirectStatusBytes] = {};
    BOOL m_bEnableWiFiDirect = FALSE;
    int m_nDefaultIntentIndex = 0;
    int m_nIntentIndex = 0;  // the intent index the last applied connection set (0: none)
    CString m_strVenderSSID;
    CString m_strMyDeviceName;
    CString m_strMyMacAddress;
    CString m_strReserved1;
    CString m_strShowPin;  // the registrar PIN on show, "PIN >> nnnnnnnn", or empty
    ULONG m_ulMyRule = 2;
    CString m_strMykey;
    WIFIDIRECT_DEVICE_ENTRY MyDeviceData = {};
    std::vector<WIFIDIRECT_TOPOLOGY_ITEM> m_vecTopology;
    int n1stOrderDeviceNum = 0;
    int m_nIndexInVecForDevice0 = 0;
    int m_nReserved2 = 0;
    CString m_strErrorText;  // the text of the last error event shown to the user

    // Connection.
    CString m_strGroupSSID;
    WIFIDIRECT_DEVICE_ENTRY m_SeleteDeviceEntry = {};
    CString m_strConnectMac;
    BOOL m_bPopWiFiDirectSettingWindows = FALSE;
    int m_nPopWiFiDirectSettingWindows = 0;
    int m_nReserved3 = 3;
    int m_nReserved4 = 3;
    BOOL m_bDeviceNameReady = FALSE;
    int m_nReserved5 = 0;
    int m_nReserved6 = 0;
    BOOL m_bEnableICSEvent = FALSE;
    BOOL m_bEnableAutonomousGO = FALSE;
    CString m_strMyWiFiDirectIPAddress = "0.0.0.0";
    int m_nNumOfMyGroup = 0;
    BOOL m_bProfileFormGone = FALSE;
    BOOL m_bMediaServerPresent = FALSE;
    CString m_strReserved2;
    CString m_strProgressText;
    BOOL m_bScanning = FALSE;
    int m_ConnectStatus = 2;
    void (*m_pfnRequestCallback)(void*) = nullptr;
    void* m_pRequestArgument = nullptr;
    // What the main page shows of the connection check: its status text and whether its WPS
    // button is offered.
    CString m_strLinkStatusText;
    BOOL m_bP2PPanelShown = FALSE;
    // Sharing: the state awaited, and the ticks left before the wait is given up.
    int m_nIcsTicksLeft = 0;
    BOOL m_bIcsAwaitedOn = FALSE;

private:
    int TimerSlot(UINT_PTR nIDEvent) const;
    void SendConfigMode(ULONG mode, bool withName);
    void HandleDisconnectEvent();
    void HandleErrorEvent();
    void RestartDhcpWorker();
    // QXWL_DisableDhcpServer, which a library may lack.
    void DisableDhcpServer();
    bool ReadStoredFlag(ULONG& flag);
    // The peer of a request (event 11) as the status block names it.
    WIFIDIRECT_DEVICE_ENTRY RequestingPeer() const;
};

// The answer to a pending connection request (shared with the engine's worker).
void SetP2PRequestAnswer(LONG answer);
LONG GetP2PRequestAnswer();
// The window told of each new answer (message, answer as WPARAM) while a request waits; null: none.
void SetP2PRequestWindow(HWND window, UINT message);
