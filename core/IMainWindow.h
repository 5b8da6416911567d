// What the hidden dialog asks of the skinned main window, which implements it. The core reaches
// the window, its pages and its prompts through this view alone.
#pragma once
#include "framework/Afx.h"

class IPeapPrompt;
class IReloginDialog;

// Messages between the main window and the core.
// A page asks the hidden main dialog to queue and run its pending action; the main window sends
// it on unchanged (synchronously). W names the sending page.
constexpr UINT ACTION_INSERT_EXEC = WM_USER + 160;
constexpr WPARAM SEND_BY_SITESURVEY_DLG = 2;
constexpr WPARAM SEND_BY_PROFILE_DLG = 6;
constexpr UINT MSG_PEAP_SETTING_DLG = WM_USER + 19;  // W 8: show the password prompt; W 0: closed
constexpr UINT MSG_INVALID_IDPW_DLG = WM_USER + 20;  // W 8: show the re-login dialog; W 0: closed
// The Wi-Fi Direct status changed (W 0, L 0), posted by the status waiter. A value of its own:
// sharing the delete dialog's, every status change closed that dialog under the user's hands.
constexpr UINT MSG_WIFIDIRECT_EVENET = WM_USER + 163;

class IMainWindow {
public:
    virtual ~IMainWindow() = default;

    // The main window object while one exists (its window may already be gone), else null.
    static IMainWindow* GetLive();

    // The window; it has none before Create and after it was destroyed.
    virtual CWnd& Window() = 0;
    // Creates the window modeless from its template, owned by the owner it was made with.
    virtual BOOL Create() = 0;
    // 1 while the access-point pages show.
    virtual int SoftApFlag() const = 0;
    // Closes the page containers and destroys the pages; runs before the window is destroyed.
    virtual void ClosePages() = 0;
    // Enables or disables the controls that change the adapter's configuration.
    virtual void EnablePageControls(BOOL bEnable) = 0;

    // The site-survey page: its list refreshed from the station library; a survey started as
    // its rescan button starts one (BM_CLICK), false when the page has no window for it.
    virtual void RefreshSurveyList() = 0;
    virtual bool ClickRescan() = 0;
    // The pending action of the page that sent ACTION_INSERT_EXEC (SEND_BY_...); false when that
    // page does not exist.
    virtual bool PendingAction(WPARAM sender, ULONG& type, const void*& record) = 0;
    // The new scan list (MSG_SCAN_LIST_CHANGED) posted on to the profile and survey pages that show.
    virtual void ForwardScanListChanged(WPARAM wParam, LPARAM lParam) = 0;
    // The site survey's connect dialog; null when there is none.
    virtual CWnd* ConnectDialog() = 0;

    // The profile page: its list brought in line with the profile in use, and its marks of that
    // profile (all null without the page).
    struct ProfileMarks {
        int* pActiveProfile = nullptr;      // m_bActiveProfile: the listed active profile is in use
        int* pSiteSurveyConnect = nullptr;  // set by a connect from the site survey
        CString* pProfile = nullptr;        // m_strProfile: the active profile's name
    };
    virtual bool HasProfilePage() const = 0;
    virtual void SyncActiveProfile(int nIndex) = 0;
    virtual ProfileMarks ActiveProfileMarks() = 0;

    // The Wi-Fi Direct page: whether it exists; its window, made now when bCreate (null when it
    // has none); whether it is making a connection.
    virtual bool HasWiFiDirectPage() const = 0;
    virtual HWND WiFiDirectPageWindow(BOOL bCreate) = 0;
    virtual bool WiFiDirectConnecting() const = 0;

    // The authentication-status window for the status lines; null while there is none.
    virtual HWND AuthenStatusWindow() = 0;
    // The one-time password prompt, its window made now when bCreate; null when there is none.
    virtual IPeapPrompt* PeapPrompt(BOOL bCreate) = 0;
    // The re-login dialog; null when there is none.
    virtual IReloginDialog* ReloginDialog() = 0;

protected:
    // The implementer registers itself for its life (until its destruction begins).
    static void SetLive(IMainWindow* pWindow);
};

// Makes the main window object (not its window) with the hidden dialog as owner.
IMainWindow* NewMainWindow(CWnd* pOwner);
