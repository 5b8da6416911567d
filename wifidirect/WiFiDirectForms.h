// The engine's sub-forms: the stored profiles with the active one marked, the progress of a
// connection, and the media-sharing folder and service.
#pragma once
#include "wifidirect/BCBBasicForm.h"
#include "wifidirect/WiFiDirectSetting.h"
#include "framework/Afx.h"

#include <vector>

class CAdvancedWiFiDirect;

constexpr UINT_PTR TIMER_WIFIDIRECT_PROFILE = 8219;
constexpr UINT_PTR TIMER_WIFIDIRECT_PROGRESS_MSG = 8229;
constexpr UINT_PTR TIMER_WIFIDIRECT_MEDIA_SHARING = 8234;

// One stored Wi-Fi Direct profile as the list shows it.
struct WIFIDIRECT_PROFILE_ITEM {
    // 1 the active profile and -1 the others when listed; then 0 connected, 1 defined.
    int nStatus = -1;
    CString strName;
    CString strSsid;
};

class CWiFiDirectProfile : public CBCBBasicForm {
public:
    CWiFiDirectProfile(CWiFiDirectSetting* setting, CAdvancedWiFiDirect* owner) : m_pSetting(setting), m_pOwner(owner) {}
    ~CWiFiDirectProfile() override;
    static constexpr UINT kTimerMs = 3000;
    // More profiles than this are not read: the library's count is not trusted further.
    static constexpr ULONG kMaxProfiles = 256;
    void EnableDisableTimer(BOOL enable)
    {
        m_bTimerRunning = enable == 1 && m_hWnd;
        SwitchHostTimer(TIMER_WIFIDIRECT_PROFILE, kTimerMs, enable);
    }
    void Reset() override;
    void Show() override;
    int OnTimer(UINT_PTR nIDEvent) override;
    void Hide() override;
    void SetHwnd(HWND hWnd) override
    {
        if (m_bTimerRunning) MoveHostTimer(m_hWnd, hWnd, TIMER_WIFIDIRECT_PROFILE, kTimerMs);
        m_hWnd = hWnd;
    }
    void LoadProfileList();
    void SetProfileStatus(int index, int status);
    void CheckActiveProfile();

    CString m_strText1, m_strText2;
    std::vector<WIFIDIRECT_PROFILE_ITEM> m_vecProfiles;
    CString m_strActiveProfile;
    int m_nSelected = -1;
    BOOL m_bActiveProfile = TRUE;
    BOOL m_bTimerRunning = FALSE;
    CWiFiDirectSetting* m_pSetting;
    CAdvancedWiFiDirect* m_pOwner;
};

// What shows a connection's progress: the progress form reports each step to it.
class IWiFiDirectProgressView {
public:
    virtual ~IWiFiDirectProgressView() = default;
    // The window whose timer runs the display; null when there is none.
    virtual HWND ProgressHostWindow() const = 0;
    virtual void OnProgress(int percent) = 0;
};

class CProgressMsg : public CBCBBasicForm {
public:
    static constexpr int kTicks = 10;
    static constexpr UINT kSuccessTickMs = 100;
    void Show() override;
    void Hide() override;
    int OnTimer(UINT_PTR nIDEvent) override;
    void SetHwnd(HWND hWnd) override;
    void EnableDisableTimer(BOOL enable, UINT intervalMs);
    // The view told of each step; its window runs the display. Without a view there is no
    // host: the display stops and nothing ticks until a view or a host comes.
    void SetCallback(IWiFiDirectProgressView* view);

    IWiFiDirectProgressView* m_pView = nullptr;
    BOOL m_bSuccess = FALSE;
    DWORD m_dwDuration = 0;  // ms of the whole display
    BOOL m_bTimerRunning = FALSE;
    UINT m_nIntervalMs = 0;  // of the running timer
    int m_nTick = 0;
};

class CWiFiDirectMediaSharing : public CBCBBasicForm {
public:
    static constexpr UINT kTimerMs = 1000;
    void EnableDisableTimer(BOOL enable)
    {
        m_bTimerRunning = enable == 1 && m_hWnd;
        SwitchHostTimer(TIMER_WIFIDIRECT_MEDIA_SHARING, kTimerMs, enable);
    }
    void Show() override;
    int OnTimer(UINT_PTR nIDEvent) override;
    void Hide() override;
    void SetHwnd(HWND hWnd) override
    {
        if (m_bTimerRunning) MoveHostTimer(m_hWnd, hWnd, TIMER_WIFIDIRECT_MEDIA_SHARING, kTimerMs);
        m_hWnd = hWnd;
    }
    // Creates the folder with every missing parent: 1 when it exists afterwards.
    static int CreateFolderWithParents(const CString& folder);

    CString m_strSharedFolder;
    CString m_strServiceName;
    BOOL m_bTimerRunning = FALSE;
    BOOL m_bServiceRunning = TRUE;
    BOOL m_bFolderReady = FALSE;  // the shared folder exists
};
