// The hidden main dialog: runs modally for the whole life of the program and never shows.
// It owns the tray icon, the polling timers, the connect queue and the operation modes.
#pragma once
#include "framework/Afx.h"
#include "base/DataFile.h"
#include "core/MessageBoxDlg.h"
#include "contract/StationRecords.h"
#include "core/ActionQueue.h"
#include "core/IMainWindow.h"
#include "core/OneTimeAnswer.h"
#include <atomic>
#include <vector>

class CAdvancedWiFiDirect;

// Operation modes: the driver's, the data file's and m_nOpMode share this numbering.
enum OP_MODE : int {
    OP_MODE_STATION = 0,
    OP_MODE_AP = 1,          // soft-AP through the soft-AP library
    OP_MODE_APCLIENT = 2,    // station plus hosted network
    OP_MODE_STA_WIFI_DIRECT = 3,
};

// Operating-system codes of the station library: below 10 the XP family (7 to 9 take the
// zero-configuration path), 10 and 11 Vista, 12 and above Windows 7.
constexpr int kOsXpFirst = 7;
constexpr int kOsXpLast = 9;
constexpr int kOsVista = 10;
constexpr int kOsWin7 = 12;
inline bool IsXpZeroConfigOs(int os) { return os >= kOsXpFirst && os <= kOsXpLast; }

// Timers of the hidden dialog (ids and periods in ms).
enum HIDE_DLG_TIMER : UINT_PTR {
    TIMER_HIDE_DLG_CHECK_CARD = 1,
    TIMER_HIDE_DLG_WEP_ERROR = 3,
    TIMER_HIDE_DLG_WPS_ROTATE = 4,
    TIMER_HIDE_DLG_WPS_HW_PBC = 5,
    TIMER_HIDE_DLG_WPS_STATUS = 6,
    TIMER_HIDE_DLG_WPS_ROUTINE_RESCAN = 7,
    TIMER_HIDE_DLG_RESCAN = 8,
    TIMER_HIDE_DLG_RECONNECT = 9,
    TIMER_HIDE_DLG_XP_CONFIG = 10,
    TIMER_HIDE_DLG_RADIO = 11,
    TIMER_HIDE_DLG_CHECK_INI_AFTER_RESUME = 13,
    TIMER_HIDE_DLG_RETRY_CON = 15,
    TIMER_HIDE_DLG_MAIN_WINDOW = 18,  // lives as long as the skinned main window
    TIMER_HIDE_DLG_RESUME_CONNECT = 19,
    TIMER_HIDE_DLG_SESSION_ID = 20,
    TIMER_HIDE_DLG_CHECKINI_DEBUGMODE = 22,
    TIMER_HIDE_DLG_SCANTABLE = 23,
};
constexpr UINT kRadioTimerMs = 1000;
constexpr UINT kSessionTimerMs = 2000;
constexpr UINT kDebugModeTimerMs = 8000;
constexpr UINT kReconnectTimerMs = 4000;
constexpr UINT kWpsHwPbcTimerMs = 1000;
constexpr UINT kWepErrorTimerMs = 10000;
constexpr UINT kWpsStatusTimerMs = 200;
constexpr UINT kWpsRoutineRescanTimerMs = 20000;
constexpr UINT kRadioOnRescanTimerMs = 12000;
constexpr UINT kRescanAfterAdvanceChangeMs = 1000;
constexpr UINT kCheckIniAfterResumeFirstMs = 1000;
constexpr UINT kCheckIniAfterResumeRetryMs = 2000;
constexpr UINT kResumeConnectTimerMs = 1000;
constexpr UINT kMsPerSecond = 1000;
constexpr DWORD kDhcpThreadJoinMs = 5000;

// Top-level windows of the help files, closed with the main window.
inline constexpr const char* kHelpWindowTitles[] = {"QXCONFIGENG", "QXCONFIGCHN", "HTML Help"};

// Private messages of the hidden dialog. The 802.1X callback runs on the library's thread and
// reaches the user-interface thread only through these; a record that lParam points to is
// allocated by the sender and deleted by the receiver (by the sender when the post fails).
constexpr UINT MSG_PRIVATE_DRIVER_EVENT = WM_APP + 1;  // the driver reported ICV errors (W 0, L 0)
constexpr UINT MSG_MEDIA_CONNECT = WM_APP + 3;         // the link came up (W 0, L 0)
constexpr UINT MSG_AUTH_STATUS_EVENT = WM_APP + 10;    // W: an 802.1X status code the window side acts on
constexpr UINT MSG_AUTH_REQUEST = WM_APP + 11;         // L: AUTH_REQUEST* (shared with the waiting callback)

// The WPS rotation over the stored credentials (the WPS page turns it on and off).
extern volatile LONG G_bWpsRotate;
extern ULONG G_nWpsCurrentIndex;
extern ULONG G_nWpsNextIndex;
// The PEAP prompt is shown only when this is 3 or more; a time-out sets 0, a rejection 1.
constexpr int kPromptCounterShow = 3;
extern int G_nPromptCounter;
// The hidden dialog's window for the 802.1X callback's posts; null while there is none.
extern std::atomic<HWND> G_hHideDlgWnd;

// The tray: icon id 222 of the hidden dialog, its callback message and the tooltip's room.
constexpr UINT kTrayIconId = 222;
constexpr UINT MSG_TRAY_NOTIFY = WM_USER + 100;

// The data file's record: the stored operation mode and the zero-configuration flag.
struct HIDE_DLG_DATA {
    ULONG nOpMode;
    ULONG bZeroConfig;  // 1 when the system's wireless service manages the adapter
};
static_assert(sizeof(HIDE_DLG_DATA) == 8);

// The 802.1X status callback handed to the library with the adapter; runs on its thread.
void WINAPI rsCallBackFunc(UCHAR status, void* data, char* reply);

class CHideDlg;
extern CHideDlg* G_pHideDlg;          // the live hidden dialog, set during start-up
extern int G_nOSVersion;              // the station library's operating-system code
extern int G_bNoDpiHook;              // 1 when the device-capability hook is not installed
extern int G_bHideTabIcon;            // 1 on a desktop below 660 pixels
extern HANDLE G_hShowUIEvent;         // "ShowUIEvent": a second start of the program sets it
extern volatile LONG G_bExitProgram;  // set when the program leaves; stops the waiter threads
extern volatile LONG G_bReConnect;    // 0 stops the card-settings push and the retry connection
extern BOOL G_bWepError;              // the driver reported ICV errors on the current link
extern WLANPROFILE* G_pProfileBuffer;    // a second profile record (the action queue's)
extern BYTE* G_pAuthRecord;              // a 124-byte record of the 802.1X callback
constexpr size_t kAuthRecordBytes = 124;
extern char G_szText256[256];
extern char G_szText128[128];

class CHideDlg : public CDialog {
public:
    explicit CHideDlg(CWnd* pParent = nullptr);
    ~CHideDlg() override;

    BOOL OnInitDialog() override;

    // Start-up.
    int DetectAdapter();
    void InitCard();

    // The tray.
    void SetTaskBar();
    BOOL ModifyTaskBar(UINT nIconId);
    void UpdateConnectedTrayIcon();
    void DeleteTaskBar();
    void ShowTrayMenu();
    void ShowConfigUI();

    // The hand-over between the utility and the system's wireless service.
    void OnTraySwitchZeroConfig();
    void OnTraySwitchQxconfig();
    void StartXpZeroConfig(BOOL bEnable);
    // The operation-mode switches. OnTraySwitchApMode and LeaveApMode answer FALSE when they
    // refused (another user or process, radio off, the wireless service stopped): nothing was
    // changed then, and the caller must not go on to load the other library.
    void OnTraySwitchSTAMode();
    BOOL OnTraySwitchApMode();
    void OnTraySwitchAPClientMode();
    void OnTraySwitchWiFiDirectConcurrentMode();
    BOOL LeaveApMode();
    int LoadApApi();         // 1 loaded; 0 failed, the dialog ends
    int ReloadStationApi();  // 1 loaded; 0 failed, the dialog ends
    void RunQxSwap(int nOpMode);
    void CheckConfigToolForXP();
    BOOL KillApModeTimers();
    BOOL IsWlansvcRunning();
    void StopXpZeroConfig(BOOL bDemandStart);

    // The soft-AP side: the access-point twins of the station procedures.
    int DetectAdapterAp();
    void InitCardAp(BOOL bShowUI);
    void SetOidFromReg_AP();
    void SetApWindowsProfile(const CString& strSsid);
    void OnTimerAp(UINT_PTR nIDEvent);
    LRESULT DefWindowProcAp(UINT message, WPARAM wParam, LPARAM lParam);
    // The tray icon for a signal quality of the access point (percent).
    static UINT ApSignalIcon(LONG quality);
    // The card settings.
    void InitCard_SetOidFromReg(BOOL bSetAdvance, BOOL bConnect);
    // The advanced settings record the card takes, built from the stored configuration.
    static ADVANCE_OID BuildAdvanceOid(const ADVANCE_CONFIG_DATA& config);
    // Reads the library's active stored profile into `stored`; false when none is active or it
    // cannot be read (logged for caller; `stored` then holds no profile).
    bool ReadActiveStoredProfile(WLANPROFILE& stored, LPCSTR caller);
    // The Wi-Fi Direct status event and its waiter: action 0 creates both, 1 stops them.
    DWORD CreateEventAndStartThread(int action);
    int InitCardWiFiDirect(int nDriverOpMode);  // always 1

    // Polling.
    void ProcDetectHardwareRadioOnOff(const WLAN_STATUS& status);
    int ProcDetectDeviceRemoval();  // 0 go on, 2 stop this tick
    void ProcReConnect();
    void ProcRescan();
    void ProcGetScanTable();
    void ProcDetectWPACapNWindowsUtil();
    void ProcWPSRotate();
    void ProcWPS_HWPBC();
    void ProcWPSStatus();
    void ProcWPSRoutineRescan();
    void ProcDetectICVError(UINT_PTR nIDEvent);
    void ConnectAfterResume();
    void ProcDetectSessionIDChangedEx();
    void WriteBackWpsProfiletoRegistry();
    void RescanBssidList();
    BOOL KillAllTimer();

    // The connect queue.
    BOOL InsertAction(ULONG type, const void* data);
    void ActionExec();
    // The WEP check's baselines from a fresh status, taken when a connect is sent.
    void TakeWepBaselines();
    void ConnectWpsProfile();
    void ConnectPreviousProfileSetting();
    void ActionForSigma(UCHAR code);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Insert, and run the queue when the insert allows it.
    void InsertAndExec(ULONG type, const void* data);
    // Queues the stored WPS credential the rotation picks (at most eight are looked at).
    void QueueWpsCredential(const WPS_PROFILE& profile);

    // The 802.1X prompts and the window side of the status callback.
    // On OK the typed identity and password also go into answerTo, the record being connected.
    int PromptPeapPassword(WLANPROFILE* answerTo = nullptr);
    int PromptSsoBeforeConnect(WLANPROFILE* answerTo = nullptr);
    // Power events; everything else goes on to the base procedure.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Copies the whole of src over dst unless both are the same record.
    static void CopyProfileRecord(WLANPROFILE* dst, const WLANPROFILE* src);
    // FALSE, with the count reset to 0, once the count has reached its limit; TRUE before.
    static BOOL CheckRetryCount(int* pCount);
    static constexpr int kRetryCountLimit = 200;
    // Posts a mouse sweep to the notification area's toolbar so that it drops the icons of
    // ended processes; stops at the first toolbar.
    static BOOL CALLBACK EnumTrayToolbarProc(HWND hWnd, LPARAM lParam);
    void PostAuthStatusText(const char* text);
    void RunAuthRetry(UCHAR code);

private:
    // Parts of the polling tick.
    void CheckDriverReadyAfterResume();
    bool LinkMatchesProfile(const WLAN_STATUS& status) const;
    void RetryConnection(const WLAN_STATUS& status);
    bool RetryNeeded(const WLAN_STATUS& status) const;
    // True when the connect of p is left to the authentication its one-time password went out
    // with: nothing is stopped, asked or sent.
    bool ReuseOneTimeAnswer(const WLANPROFILE& p);
    // The library's stored record of p's profile (zeroed when it has none).
    static WLANPROFILE StoredProfileOf(const WLANPROFILE& p);
    COneTimeAnswer m_oneTimeAnswer;
public:

    // State read by the other windows of the program.
    UINT m_nRetryCount = 0;
    BOOL m_bDialogRunning = FALSE;   // a modal dialog of this dialog runs: polling, tray and exit wait
    BOOL m_bDeviceExist = FALSE;
    CMessageBoxDlg m_dlgMessage;
    IMainWindow* m_pQxUI = nullptr;  // the skinned main window
    WLANPROFILE* m_pProfData = nullptr;  // the last profile sent to the library; outlives the queue
    BOOL m_bHideAPButton = TRUE;
    DWORD m_dwSessionId = 0;
    DWORD m_dwLastConsoleSessionId = 0;
    HMODULE m_hKernel32 = nullptr;
    DWORD(WINAPI* m_pfnWTSGetActiveConsoleSessionId)() = nullptr;
    int m_nOpMode = OP_MODE_STATION;
    CDataFile m_DataFile;
    HIDE_DLG_DATA m_Data = {};
    CAdvancedWiFiDirect* m_pWiFiDirect = nullptr;
    HANDLE m_hDhcpThread = nullptr;
    volatile LONG m_lDhcpThreadRunning = 0;
    // 1 below Vista, where the utility's own supplicant offers TTLS; the system's EAP host does not.
    BOOL m_bSupportTTLS = FALSE;
    // Set when the adapter's WPS button was pressed; the WPS page clears it when it starts a
    // push-button run.
    BOOL m_bHwPbcPressed = FALSE;
    BOOL m_bDriverOpModeKnown = FALSE;
    int m_nDriverOpMode = 0;
    BOOL m_bBW40InBGBand = FALSE;
    BOOL m_bBW40InABand = FALSE;
    // Detection state of the polling timer.
    BOOL m_bWepErrorDetect = FALSE;
    BOOL m_bHwRadioOff = FALSE;
    int m_nCountAfterResume = 0;
    int m_nUnlinkedTicks = 0;
    BOOL m_bSessionLock = FALSE;
    int m_nInitStateRetries = 0;          // driver-ready checks after a resume
    ULONG m_lWepOutP = 0;                 // WEP check baselines: transmitted (low word), received
    ULONG m_lWepInP = 0;
    UINT_PTR m_nRescanTimer = 0;
    UINT_PTR m_nReconnectTimer = 0;
    UINT_PTR m_nScanTableTimer = 0;
    WPS_PROFILE m_WpsResult = {};         // the credentials of the last WPS run
    UCHAR m_WpsApChannel = 0;
    UCHAR m_MacAddress[6] = {};
    // The connect queue and its state.
    CActionQueue aryActionData;
    // The type of the action ActionExec carries out now (it is out of the queue meanwhile).
    static constexpr ULONG kNoRunningAction = ~0ul;
    ULONG m_nRunningAction = kNoRunningAction;
    ULONG m_bRetryBlock = 0;
    ULONG m_bScanAfterAdvanceChange = 0;
    WPS_CREDENTIAL m_WpsCredential = {};  // the credential of the last WPS connect
    // The soft-AP side.
    ULONG m_ulApOpMode = 0;        // as QXAP_QueryOPMode answered
    BOOL m_bApDeviceExist = FALSE;
    BOOL m_bApSideLoaded = FALSE;  // this dialog loaded and started the soft-AP library
    UINT_PTR m_nApCheckCardTimer = 0;
    ULONG m_nCountReconnect = 0;   // driver-ready polls of the soft-AP side
    BOOL m_bApWindowsProfileSet = FALSE;
    // The Wi-Fi Direct status event and its waiter.
    HANDLE m_hWiFiDirectStatusEvent = nullptr;
    volatile LONG m_lWiFiDirectStop = 0;
    HANDLE m_hWiFiDirectThread = nullptr;
    BOOL m_bWiFiDirectUnavailable = FALSE;

protected:
    void OnPaint();
    void OnDestroy();
    void OnTimer(UINT_PTR nIDEvent);
    void OnTrayLaunch();
    LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnTurnOnRadio(WPARAM wParam, LPARAM lParam);
    LRESULT OnTurnOffRadio(WPARAM wParam, LPARAM lParam);
    LRESULT OnReconnectMessage(WPARAM wParam, LPARAM lParam);
    LRESULT OnScanListChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnAuthStatusEvent(WPARAM wParam, LPARAM lParam);
    LRESULT OnAuthRequest(WPARAM wParam, LPARAM lParam);
    LRESULT OnPrivateDriverEvent(WPARAM wParam, LPARAM lParam);
    LRESULT OnNdisStatusMediaConnectMessage(WPARAM wParam, LPARAM lParam);
    void OnTrayExit();
    void OnTraySwitchConfig();
    void OnOK() override {}
    void OnCancel() override {}
    DECLARE_MESSAGE_MAP()

private:
    static UINT WaitShowUIEventThread(LPVOID pParam);
    void CreateShowUIEvent();
    void StopShowUIEventWaiter();
    bool LoadStationLibrary();
    void DecideOperationMode();
    void WaitForDriverInitialized();
    void CreateWiFiDirectEngine();
    // Closes the pages, destroys the skinned main window and deletes it. Only once no modal loop
    // runs above this dialog's own (CModalLoopRegistry::RequestTeardown said so).
    void DestroyMainWindow();
    // Cancels the DHCP helper and waits for its end, without limit.
    void JoinDhcpThread();
    // True when no helper runs or it ended within timeoutMs (its handle is then closed).
    bool WaitDhcpThread(DWORD timeoutMs);
    void ApplySmallDesktopRule();
    void StartSteadyTimers();
    void RestartDhcpThread();
    friend class CAdvancedWiFiDirect;  // restarts the DHCP worker on the driver's request
    bool IsSelectedAdapterPresent();
    // The network name of the current link (empty when not linked or in soft-AP mode).
    CString CurrentNetworkName();
    // The tooltip for an icon state (the language texts substituted, never used as formats).
    CString TrayTooltip(UINT nIconId, const CString& networkName);
    UINT AdjustIconForMode(UINT nIconId);
    void CreateMainWindow(bool firstTime);
    bool IsAdapterPresentForMode();
    // The access-point side runs: soft-AP mode with its library loaded.
    bool IsApSideRunning() const;

    CWinThread* m_pShowUIWaiter = nullptr;

    // Exit and shutdown.
    void CloseHelpWindows(int attempts);
    void DestroyStation();
    void DestroySoftAp();
    void OnPowerSuspend();
    void OnPowerResume();
    // Starts the scan timer the wireless mode asks for (23 below Vista, else 8).
    void StartScanTimerForWirelessMode();

protected:
    // The soft-AP library's full path (a test may name a missing one).
    virtual CString SoftApLibraryPath() const;
    virtual CString StationLibraryPath() const;

private:
    // Creates the Wi-Fi Direct engine when the main window's Wi-Fi Direct page is alive.
    void EnsureWiFiDirectEngine();
    // Switches Wi-Fi Direct off in the engine, or logs that there is none: the format takes the
    // page flag, after the main-window flag when namesMainWindow.
    void DisableWiFiDirectInEngine(LPCSTR noEngineFormat, int level, bool namesMainWindow);
    // Steps 3 to 5 of the hosted-network and group-owner switches.
    void PrepareStationForSharedMode(LPCSTR noFlagLine, int noFlagLevel, LPCSTR deleteLine, LPCSTR noEngineFormat);
    // Writes the driver's operation mode; `m_nOpMode` then holds the mode the driver is in, which
    // a refused write leaves as it was. Answers the write's result.
    BOOL WriteOpMode(ULONG target, LPCSTR caller);
    void RevertToStationAfterApLoadFailure();
    // Lets the user pick one of several adapters; answers the index taken.
    int ChooseAdapter(std::vector<ADAPTER_ENTRY>& adapters);
    // On the XP family the dialog hears of session changes of its own session.
    void RegisterSessionNotificationOnXp();
    void StopWiFiDirectWaiter();
    static DWORD WINAPI WaitWiFiDirectEvent(LPVOID pParam);
    BOOL m_bCheckingConfigTool = FALSE;  // set while CheckConfigToolForXP runs
    void ApplyApAccessControl();
};

// The soft-AP side's process-wide flag: the adapter went away while in soft-AP mode.
extern BOOL G_bDeviceRemoved;
