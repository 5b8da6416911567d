// The Wi-Fi Direct status event: the station library sets "WDStatusEvent" when the Wi-Fi Direct
// status changes; a waiter thread turns each signal into a message for the main window.
#include "base/DebugLog.h"
#include "core/hidedlg/HideDlg.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"
#include "base/SharedEvent.h"
#include "contract/StationContract.h"
#include "wifidirect/AdvancedWiFiDirect.h"

#include <new>

namespace {
constexpr char kWiFiDirectStatusEvent[] = "WDStatusEvent";
// SET_P2P_EVENT_READY: 4-byte value, 0 = the application no longer waits for the event.
constexpr ULONG kOidP2PEventReadyXp = 0x0DF101D6;
constexpr ULONG kOidP2PEventReady = 0xFFF101D6;
constexpr DWORD kWaiterJoinMs = 5000;
// Operating-system codes on which the driver offers no Wi-Fi Direct.
constexpr int kOsNoWiFiDirectFirst = 15;
constexpr int kOsNoWiFiDirectLast = 16;
// Wireless modes (5 GHz only) and the 11BG country region in which Wi-Fi Direct starts only when
// the user had switched it on.
constexpr ULONG kWirelessModeA = 2;
constexpr ULONG kWirelessModeAN = 8;
constexpr ULONG kRegionNoWiFiDirect = 4;
constexpr ULONG kRegion11BGBits = 0x7F;

enum : int { kActionCreate = 0, kActionStop = 1 };

// What the waiter thread works with; its own copy, so it never reads the dialog's members
// beyond the stop flag.
struct WaiterStart {
    CHideDlg* dlg;
    HANDLE event;
    CString caption;
};
}  // namespace

DWORD CHideDlg::CreateEventAndStartThread(int action)
{
    DebugLog(4, "[QxUI] ---> TFormMain::CreateEventAndStartThread\n");
    DWORD result = 1;
    if (action == kActionCreate) {
        DebugLog(3, "[QxUI]>>WIFI_DIRECT create event<<\n");
        DebugLog(3, "[QxUI] CreateMyDACL(&sa) and CreateEvent()\n");
        // A waiter that is still there is stopped and joined, never killed.
        StopWiFiDirectWaiter();
        HANDLE event = CreateSharedEvent(kWiFiDirectStatusEvent);
        if (!event) {
            result = ::GetLastError();
            DebugLog(1, "[QxUI] CreateEvent \"WDStatusEvent\" fail error = %d\n", result);
        } else {
            DebugLog(3, "[QxUI] CreateEvent \"WDStatusEvent\" successfully!!( hwnd= 0x%x)\n", event);
            m_hWiFiDirectStatusEvent = event;
            ::InterlockedExchange(&m_lWiFiDirectStop, 0);
            auto* start = new (std::nothrow) WaiterStart{this, event, G_LangTable.IDS_QUIXEN_CONFIG_TITLE};
            m_hWiFiDirectThread = start ? ::CreateThread(nullptr, 0, WaitWiFiDirectEvent, start, 0, nullptr) : nullptr;
            if (!m_hWiFiDirectThread) {
                result = start ? ::GetLastError() : ERROR_NOT_ENOUGH_MEMORY;
                DebugLog(1, "[QxUI] CreateEventAndStartThread: the waiter did not start, error = %d\n", result);
                delete start;
                ::CloseHandle(event);
                m_hWiFiDirectStatusEvent = nullptr;
            }
        }
    } else if (action == kActionStop) {
        DebugLog(3, "[QxUI]>>WIFI_DIRECT stop event<<\n");
        const ULONG oid = G_nOSVersion < kOsVista ? kOidP2PEventReadyXp : kOidP2PEventReady;
        const ULONG notWaiting = 0;
        const LONG set = QXWLAPI.QXWL_OIDSetInfo(oid, reinterpret_cast<const BYTE*>(&notWaiting), sizeof notWaiting);
        DebugLog(3, "[QxUI] ---> set SET_P2P_EVENT_READY (%x , 0) return %d\n", oid, set);
        StopWiFiDirectWaiter();
    } else {
        DebugLog(4, "[QxUI] ---> dwResult = QXWL_ERROR_FAILURE\n");
        result = 0;
    }
    DebugLog(4, "[QxUI] ---> TFormMain::CreateEventAndStartThread\n");
    return result;
}

// Stop flag, then the signal, then a bounded join; the event is closed once, by this side,
// after its waiter has gone.
void CHideDlg::StopWiFiDirectWaiter()
{
    if (m_hWiFiDirectThread) {
        ::InterlockedExchange(&m_lWiFiDirectStop, 1);
        ::SetEvent(m_hWiFiDirectStatusEvent);
        if (::WaitForSingleObject(m_hWiFiDirectThread, kWaiterJoinMs) != WAIT_OBJECT_0) {
            // Left running rather than killed: its event stays open for it.
            DebugLog(1, "[QxUI] WaitWiFiDirectEvent did not end within %d ms\n", kWaiterJoinMs);
            ::CloseHandle(m_hWiFiDirectThread);
            m_hWiFiDirectThread = nullptr;
            m_hWiFiDirectStatusEvent = nullptr;
            return;
        }
        ::CloseHandle(m_hWiFiDirectThread);
        m_hWiFiDirectThread = nullptr;
    }
    if (m_hWiFiDirectStatusEvent) {
        ::CloseHandle(m_hWiFiDirectStatusEvent);
        m_hWiFiDirectStatusEvent = nullptr;
    }
}

DWORD WINAPI CHideDlg::WaitWiFiDirectEvent(LPVOID pParam)
{
    auto* start = static_cast<WaiterStart*>(pParam);
    CHideDlg* dlg = start->dlg;
    DebugLog(3, "[QxUI] MAIN->Caption \"%s\" \n", start->caption.GetString());
    while (!::InterlockedCompareExchange(&dlg->m_lWiFiDirectStop, 0, 0)) {
        DebugLog(3, "[QxUI] WaitWiFiDirectEvent --> WaitForSingleObject \n");
        const DWORD wait = ::WaitForSingleObject(start->event, INFINITE);
        // A stop wakes the waiter too: it must not be taken for a status change.
        if (::InterlockedCompareExchange(&dlg->m_lWiFiDirectStop, 0, 0)) break;
        if (wait == WAIT_OBJECT_0) {
            // The main window is found by its title and must be this program's; the message is
            // posted, so this thread never waits on the window's thread.
            HWND main = start->caption.IsEmpty() ? nullptr : ::FindWindowA(nullptr, start->caption);
            DWORD owner = 0;
            if (main) ::GetWindowThreadProcessId(main, &owner);
            if (main && owner == ::GetCurrentProcessId()) {
                DebugLog(3, "[QxUI] ---> ::PostMessage(FormAdvanced->Handle(0x%X), MSG_WIFIDIRECT_EVENET, FALSE, NULL))\n",
                         main);
                ::PostMessageA(main, MSG_WIFIDIRECT_EVENET, FALSE, 0);
                DebugLog(3, "[QxUI] m_hWiFiDirectStatusEvent= 0x%x)\n", start->event);
            } else {
                DebugLog(1, "[QxUI] WiFiDirectDlgThread:: FindWindow \"%s\" failed !! \n", start->caption.GetString());
            }
        } else {
            DebugLog(1, "[QxUI] WiFiDirectDlgThread:: WaitForSingleObject() return %d\n", wait);
            if (wait == WAIT_FAILED) break;  // the handle is gone: waiting again would spin
        }
        // No reset here: the wait has already taken the signal (auto-reset), and a reset would
        // drop a status change the driver signalled while this one was being posted.
    }
    DebugLog(3, "[QxUI] WiFiDirectDlgThread:: <--- WaitWiFiDirectEvent() \n");
    delete start;
    return 0;
}

int CHideDlg::InitCardWiFiDirect(int nDriverOpMode)
{
    DebugLog(3, "[QxUI] TFormMain::InitCard() ---> CreateWiFiDirectStatusEvent\n");
    LONG result = static_cast<LONG>(CreateEventAndStartThread(kActionCreate));
    if (result == QXWL_ERROR_SUCCESS) {
        result = QXWLAPI.QXWL_InitWifiDirect(m_hWiFiDirectStatusEvent);
        DebugLog(3, "[QxUI] TFormMain::InitCard <--- QXWLAPI.QXWL_InitWifiDirect() return %d\n", result);
    } else {
        DebugLog(1, "[QxUI] TFormMain::InitCard <--- CreateWiFiDirectStatusEvent() return %d\n", result);
    }
    const bool modeAllows = nDriverOpMode == OP_MODE_STATION || nDriverOpMode == OP_MODE_STA_WIFI_DIRECT;
    const bool osAllows = G_nOSVersion != kOsNoWiFiDirectFirst && G_nOSVersion != kOsNoWiFiDirectLast;
    if (result != QXWL_ERROR_SUCCESS || !modeAllows || !osAllows) {
        DebugLog(1, "[QxUI] TFormMain::InitCard: dwResult = %d; ulDrvOpmode = %d ; QXWLAPI.QXWL_GetWinOS() =%d\n",
                 result, nDriverOpMode, G_nOSVersion);
        m_bWiFiDirectUnavailable = TRUE;
        return 1;
    }
    m_bWiFiDirectUnavailable = FALSE;
    ULONG wirelessMode = 0, region11BG = 0, region11A = 0, regionExtra = 0;
    QXWLAPI.QXWL_QueryWirelessMode(&wirelessMode);
    QXWLAPI.QXWL_QueryCountryRegion(&region11BG, &region11A, &regionExtra);
    region11BG &= kRegion11BGBits;
    DebugLog(3, "[QxUI] TFormMain::InitCard <-- enumWirelessMode = %d; nCountryRegion_11BG = %d)\n", wirelessMode,
             region11BG);
    if (wirelessMode != kWirelessModeA && wirelessMode != kWirelessModeAN && region11BG != kRegionNoWiFiDirect) {
        DebugLog(3, "[QxUI] TFormMain::InitCard\n");
        if (G_nOSVersion >= kOsVista) {
            DebugLog(3, "[QxUI] TFormMain::InitCard -->FrameAdvanceWiFiDirect->EnableWiFiDirect(FALSE, TRUE, FALSE, FALSE)\n");
            if (m_pWiFiDirect) m_pWiFiDirect->EnableOrDisableWiFiDirect(FALSE, TRUE, FALSE, FALSE);
        } else {
            DebugLog(3, "[QxUI] TFormMain::InitCard --> FrameAdvanceWiFiDirect->EnableWiFiDirect(FALSE, FALSE, FALSE, TRUE)\n");
            if (m_pWiFiDirect) m_pWiFiDirect->EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, TRUE);
        }
    } else {
        ULONG wifiDirect = 0;
        QXWLAPI.QXWL_ReadWifiDirectFlag(&wifiDirect);
        if (wifiDirect == 1) {
            DebugLog(3, "[QxUI] TFormMain::InitCard ---> EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, TRUE)!!\n");
            if (m_pWiFiDirect) m_pWiFiDirect->EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, TRUE);
        }
    }
    return 1;
}
