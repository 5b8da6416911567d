// The window side of the 802.1X status callback: status lines, the retry after a rejection or
// a time-out, the change-password and PAC requests, and the PEAP prompt.
#include "core/AuthCallback.h"
#include "core/AuthStatusMessages.h"
#include "base/DebugLog.h"
#include "core/hidedlg/HideDlg.h"
#include "core/IPeapPrompt.h"
#include "core/IReloginDialog.h"
#include "core/QXWLLIB.h"

#include <cstring>
#include <new>

int G_nPromptCounter = kPromptCounterShow;

namespace {
constexpr WPARAM kShowDialog = 8;  // wParam of MSG_PEAP_SETTING_DLG and MSG_INVALID_IDPW_DLG
constexpr int kPromptMode = 4;
constexpr UCHAR kDummySsidByte = 0x10;  // an SSID no network has: stops the association
constexpr size_t kCredentialBytes = 128;

const char* StatusText(UCHAR code, const WLANPROFILE* profile)
{
    switch (code) {
    case RS_CBS_AU_STATUS_LINK_DOWN: return "Network Link is NOT connected.";
    case RS_CBS_AU_STATUS_START: return "Starting network connection...";
    case RS_CBS_AU_STATUS_LINK_UP: return "Network is connecting...";
    case RS_CBS_AU_STATUS_AUTHENTICATED: return "Wireless client is authenticated.";
    case RS_CBS_AU_STATUS_FAST_PROVISIONING_SUCCESS: return "EAP-FAST Provisioning is successful.";
    case RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED: return "Authentication failed - Identity or password is invalid.";
    case RS_CBS_AU_STATUS_AUTH_TIMEOUT: return "Authenticating Timeout.";
    case RS_CBS_AU_STATUS_AUTHENTICATING:
        if (!profile) return "Authenticating ...";
        switch (profile->enumAuthenProtocol) {
        case EAPMETHOD_PEAP: return "PEAP Authenticating ...";
        case EAPMETHOD_TLS: return "TLS Authenticating ...";
        case EAPMETHOD_TTLS: return "TTLS Authenticating ...";
        case EAPMETHOD_FAST: return "EAP-FAST Authenticating ...";
        case EAPMETHOD_MD5: return "MD5 Authenticating ...";
        case EAPMETHOD_LEAP: return "LEAP Authenticating ...";
        default: return "Authenticating ...";
        }
    default: return nullptr;
    }
}

void CopyText(char (&to)[kCredentialBytes], const CString& text)
{
    ZeroMemory(to, sizeof to);
    lstrcpynA(to, text.GetString(), sizeof to);
}

// Whether the re-login dialog shows now with its question about this profile: it keeps its
// fields after it closes.
bool ReloginAsksAbout(IReloginDialog& relogin, const WLANPROFILE& profile)
{
    const WLANPROFILE* asked = relogin.GetProfile();
    return relogin.IsShown() && asked && IsSameProfile(*asked, profile);
}

// The prompt asks for this profile: its method's texts, its identity, a password to type.
void FillPrompt(IPeapPrompt& prompt, const WLANPROFILE& profile)
{
    prompt.Ask(CString(profile.chID, static_cast<int>(strnlen(profile.chID, sizeof profile.chID))), 0, profile);
}
}  // namespace

void CHideDlg::PostAuthStatusText(const char* text)
{
    HWND window = m_pQxUI ? m_pQxUI->AuthenStatusWindow() : nullptr;
    if (!window || !text) return;
    auto* line = new (std::nothrow) AUTH_STATUS_TEXT{};
    if (!line) return;
    line->strText = text;
    if (!::PostMessageA(window, MSG_AUTH_STATUS_TEXT, 0, reinterpret_cast<LPARAM>(line))) delete line;
}

LRESULT CHideDlg::OnAuthStatusEvent(WPARAM wParam, LPARAM)
{
    const UCHAR code = static_cast<UCHAR>(wParam);
    if (code == RS_CCX_DIAG_PROFILE) {
        if (m_pQxUI) m_pQxUI->SyncActiveProfile(0);
        return 0;
    }
    m_oneTimeAnswer.OnAuthStatus(code);
    if (code == RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED || code == RS_CBS_AU_STATUS_AUTH_TIMEOUT) RunAuthRetry(code);
    PostAuthStatusText(StatusText(code, m_pProfData));
    return 0;
}

void CHideDlg::RunAuthRetry(UCHAR code)
{
    if (!m_pProfData || !m_pQxUI || !m_pQxUI->ReloginDialog() || m_pProfData->bBssid != 0 ||
        GetBits(m_pProfData->ccx2Control, ccx2::RotateProfile))
        return;
    const bool rejected = code == RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED;
    ::InterlockedExchange(&G_bReConnect, FALSE);
    QXWLAPI.QXWL_Disassociate();
    NDIS_802_11_SSID dummy{};
    dummy.SsidLength = kSsidMaxLength;
    std::memset(dummy.Ssid, kDummySsidByte, sizeof dummy.Ssid);
    QXWLAPI.QXWL_SetSSID(dummy);
    G_nPromptCounter = rejected ? 1 : 0;

    char used[kCredentialBytes];
    std::memcpy(used, m_pProfData->chPassword, sizeof used);
    WLANPROFILE& stored = *G_pProfileBuffer;
    std::memset(&stored, 0, sizeof stored);
    // Without a stored record (a survey connection, a failed read) there is nothing to retry
    // with: the user is asked.
    if (ReadActiveStoredProfile(stored, "CHideDlg::RunAuthRetry") &&
        std::memcmp(stored.chPassword, used, sizeof used) != 0) {
        DebugLog(3, "[QxUI] Insert profile type action!\n");
        InsertAndExec(actionTypeProfile, &stored);
        return;
    }
    // The re-login dialog works on its own copy of the failed profile. A silent retry above leaves
    // a dialog already shown as the user filled it.
    m_pQxUI->ReloginDialog()->Ask(*m_pProfData, rejected ? 1 : 0);
    m_pQxUI->Window().PostMessage(MSG_INVALID_IDPW_DLG, kShowDialog);
}

LRESULT CHideDlg::OnAuthRequest(WPARAM, LPARAM lParam)
{
    auto* holder = reinterpret_cast<std::shared_ptr<AUTH_REQUEST>*>(lParam);
    if (!holder) return 0;
    std::shared_ptr<AUTH_REQUEST> request = std::move(*holder);
    delete holder;
    if (!request) return 0;

    if (request->code == RS_CBS_FAST_LOAD_PAC) {
        // The open re-login dialog about this profile lends its profile's identity, which changes
        // only at its OK: a text still being typed, and cancelled later, never reaches the record.
        // A closed dialog, or one asking about another profile, has no say in this load.
        IReloginDialog* relogin = m_pQxUI ? m_pQxUI->ReloginDialog() : nullptr;
        if (m_pProfData && relogin && ReloginAsksAbout(*relogin, *m_pProfData) && !relogin->TypedIdentity().IsEmpty())
            memcpy(m_pProfData->chID, relogin->GetProfile()->chID, sizeof m_pProfData->chID);
        if (m_pProfData && m_pProfData->bBssid == 1) {
            lstrcpynA(request->answer, m_pProfData->chID, sizeof request->answer);
            request->answered = true;
        }
    } else if (request->code == RS_CBS_CHANGE_PASSWORD_REQUEST) {
        ::InterlockedExchange(&G_bReConnect, FALSE);
        // The prompt's window is made on first use; the modal loop below needs it now.
        IPeapPrompt* prompt = m_pQxUI ? m_pQxUI->PeapPrompt(TRUE) : nullptr;
        if (prompt && !prompt->Window().IsWindow()) prompt = nullptr;
        if (m_pQxUI && m_pProfData) {
            // A connect clicked while the prompt waits puts another profile into the shared
            // record: the answer belongs to the profile asked about.
            const WLANPROFILE asked = *m_pProfData;
            CString answer(asked.chPassword, static_cast<int>(strnlen(asked.chPassword, sizeof asked.chPassword)));
            if (prompt) FillPrompt(*prompt, asked);
            // While the program tears down the loop answers at once: nobody would wait on the prompt shown.
            if (!CModalLoopRegistry::TeardownWaits()) m_pQxUI->Window().PostMessage(MSG_PEAP_SETTING_DLG, kShowDialog);
            if (prompt && prompt->Window().IsWindow() && prompt->RunModalLoop(kPromptMode) == IDOK) {
                ::InterlockedExchange(&G_bReConnect, TRUE);
                answer = prompt->Password();
                if (IsSameProfile(*m_pProfData, asked)) {
                    CopyText(m_pProfData->chID, prompt->Identity());
                    CopyText(m_pProfData->chPassword, answer);
                }
                char identity[kCredentialBytes] = {};
                char password[kCredentialBytes] = {};
                lstrcpynA(password, answer.GetString(), sizeof password);
                QXWLAPI.QXWL_WriteIDnPasswd(identity, password);
            }
            // The library is answered with the password in force, new or old.
            lstrcpynA(request->answer, answer.GetString(), sizeof request->answer);
            request->answered = true;
        }
    }
    ::SetEvent(request->hDone);
    return 0;
}

int CHideDlg::PromptPeapPassword(WLANPROFILE* answerTo)
{
    IPeapPrompt* prompt = m_pQxUI ? m_pQxUI->PeapPrompt(TRUE) : nullptr;
    if (!prompt || !m_pProfData) return 0;
    if (prompt->Window().IsWindow() && prompt->Window().IsWindowVisible()) return 2;
    if (G_nPromptCounter < kPromptCounterShow) {
        G_nPromptCounter = kPromptCounterShow;
        return 0;  // the stored credentials are used this time
    }
    // Nothing is shown while the program tears down: the prompt's loop would not wait for it.
    if (CModalLoopRegistry::TeardownWaits()) return 2;
    // Only a prompt actually shown holds back the automatic reconnect.
    ::InterlockedExchange(&G_bReConnect, FALSE);
    FillPrompt(*prompt, *m_pProfData);
    m_pQxUI->Window().PostMessage(MSG_PEAP_SETTING_DLG, kShowDialog);
    if (!prompt->Window().IsWindow()) return 0;
    const int result = prompt->RunModalLoop(kPromptMode);
    if (result != IDOK) return 2;
    ::InterlockedExchange(&G_bReConnect, TRUE);
    // Another profile queued while the prompt waited holds the shared record by now: the answer
    // is not its account.
    if (IsSameProfile(*m_pProfData, prompt->Profile())) {
        CopyText(m_pProfData->chID, prompt->Identity());
        CopyText(m_pProfData->chPassword, prompt->Password());
    }
    if (answerTo) {
        CopyText(answerTo->chID, prompt->Identity());
        CopyText(answerTo->chPassword, prompt->Password());
    }
    return result;
}
