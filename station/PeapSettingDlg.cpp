#include "station/PeapSettingDlg.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "core/QXWLLIB.h"
#include "skin/KelvoPageUIDlg.h"

#include <cstring>
#include <memory>

volatile LONG G_nPeapPromptResult = CPeapSettingDlg::kWaiting;

namespace {
constexpr UINT MSG_PEAP_ANSWER = WM_APP + 20;  // W: IDOK or IDCANCEL, a scripted answer
constexpr UINT WM_KICKIDLE = 0x036A;           // the framework's idle message
constexpr UINT WM_SYSTIMER = 0x0118;           // the caret's timer: shows a prompt still hidden
constexpr size_t kCredentialBytes = 128;
constexpr ULONG kIdentityFromMachine = 1;  // nIDModeIndex: the identity is the computer's own
constexpr char kWindowText[] = "PeapSettingDlg";
constexpr char kMustInputIdentity[] = "Must input Identity";
constexpr char kMustInputPassword[] = "Must input Password";

struct MethodTexts {
    const char* caption;
    const char* description;
    const char* identityLabel;
    const char* passwordLabel;
};
constexpr MethodTexts kPeapTexts = {"Peap Setting - One Time Password", "Description : Peap Setting - One Time Password",
                                    "Tunnel Identity", "Tunnel Password"};
constexpr MethodTexts kFastTexts = {"EapFast Setting - One Time Password",
                                    "Description : EapFast Setting - One Time Password", "Tunnel Identity",
                                    "Tunnel Password"};
constexpr MethodTexts kNewPasswordTexts = {"Enter your new password", "Description : Enter your new password",
                                           "Identity", "Password"};

void CopyZeroFilled(char* dest, const CString& text)
{
    std::memset(dest, 0, kCredentialBytes);
    std::strncpy(dest, text.GetString(), kCredentialBytes - 1);
}
}  // namespace

BEGIN_MESSAGE_MAP(CPeapSettingDlg, CClassicDlg)
    ON_WM_SHOWWINDOW()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_CLASSIC_OK, OnBtnOK)
    ON_BN_CLICKED(IDC_CLASSIC_CANCEL, OnBtnCancel)
    ON_MESSAGE(MSG_PEAP_ANSWER, OnAnswer)
END_MESSAGE_MAP()

CPeapSettingDlg::LoopState::LoopState() : hWake(::CreateEventA(nullptr, FALSE, FALSE, nullptr)) {}

CPeapSettingDlg::LoopState::~LoopState()
{
    if (hWake) ::CloseHandle(hWake);
}

CPeapSettingDlg::CPeapSettingDlg(CWnd* pParent) : CClassicDlg(IDD, pParent)
{
    ::InterlockedExchange(&G_nPeapPromptResult, kWaiting);
}

CPeapSettingDlg::~CPeapSettingDlg() = default;

void CPeapSettingDlg::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CLASSIC_OK, m_btnOK);
    DDX_Control(pDX, IDC_CLASSIC_CANCEL, m_btnCancel);
    DDX_Text(pDX, IDC_PEAP_IDENTITY, m_strIdentity);
    DDX_Text(pDX, IDC_PEAP_PASSWORD, m_strPassword);
}

BOOL CPeapSettingDlg::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    SetWindowText(kWindowText);
    for (int id : {IDC_PEAP_DESCRIPTION, IDC_PEAP_IDENTITY_LABEL, IDC_PEAP_PASSWORD_LABEL, IDC_PEAP_IDENTITY,
                   IDC_PEAP_PASSWORD})
        ::SendMessageA(::GetDlgItem(m_hWnd, id), WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
    // What the record holds and no more: a longer entry would be cut without a word.
    for (int id : {IDC_PEAP_IDENTITY, IDC_PEAP_PASSWORD})
        ::SendMessageA(::GetDlgItem(m_hWnd, id), EM_LIMITTEXT, kCredentialBytes - 1, 0);
    SetDlgItemText(IDC_PEAP_IDENTITY_LABEL, G_LangTable.IDS_TUNNEL_ID);
    SetDlgItemText(IDC_PEAP_PASSWORD_LABEL, G_LangTable.IDS_TUNNEL_PASSWORD);
    SkinButton(m_btnOK, G_LangTable.IDS_OK);
    SkinButton(m_btnCancel, G_LangTable.IDS_CANCEL);
    return TRUE;
}

void CPeapSettingDlg::Ask(const CString& identity, ULONG bPasswordLocked, const WLANPROFILE& profile)
{
    m_strIdentity = identity;
    m_strPassword.Empty();
    m_bPasswordLocked = bPasswordLocked;
    m_Profile = profile;
}

void CPeapSettingDlg::OnShowWindow(BOOL bShow, UINT)
{
    Default();
    if (!bShow) {
        // Hidden by anything but its own buttons (another classic dialog, a page's request):
        // the user gave no answer, and the loop must not wait for a prompt no one can see.
        if (IsLoopRunning()) EndModalLoop(kCancelled);
        return;
    }
    ApplyMethodTexts();
    // The password is one-time: the field shows what the owner left (normally nothing).
    UpdateData(FALSE);
    const BOOL passwordOpen = m_bPasswordLocked ? FALSE : TRUE;
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_PEAP_PASSWORD_LABEL), passwordOpen);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_PEAP_PASSWORD), passwordOpen);
}

void CPeapSettingDlg::ApplyMethodTexts()
{
    const ULONG method = m_Profile.enumAuthenProtocol;
    const MethodTexts& texts =
        method == EAPMETHOD_PEAP ? kPeapTexts : method == EAPMETHOD_FAST ? kFastTexts : kNewPasswordTexts;
    const bool tunnel = method == EAPMETHOD_PEAP || method == EAPMETHOD_FAST;
    SetWindowText(texts.caption);
    SetDlgItemText(IDC_PEAP_DESCRIPTION, texts.description);
    SetDlgItemText(IDC_PEAP_IDENTITY_LABEL, texts.identityLabel);
    SetDlgItemText(IDC_PEAP_PASSWORD_LABEL, texts.passwordLabel);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_PEAP_IDENTITY), tunnel ? TRUE : FALSE);
    if (!tunnel) ::SetFocus(::GetDlgItem(m_hWnd, IDC_PEAP_PASSWORD));
}

void CPeapSettingDlg::OnBtnOK()
{
    UpdateData(TRUE);
    if (m_strIdentity.IsEmpty()) {
        ShowProductMessageBox(kMustInputIdentity);
        return;
    }
    if (!m_bPasswordLocked && m_strPassword.IsEmpty()) {
        ShowProductMessageBox(kMustInputPassword);
        return;
    }
    if (m_Profile.nIDModeIndex != kIdentityFromMachine) CopyZeroFilled(m_Profile.chID, m_strIdentity);
    CopyZeroFilled(m_Profile.chPassword, m_strPassword);
    char identity[kCredentialBytes];
    char password[kCredentialBytes];
    CopyZeroFilled(identity, m_strIdentity);
    CopyZeroFilled(password, m_strPassword);
    QXWLAPI.QXWL_WriteIDnPasswd(identity, password);
    EndModalLoop(kConfirmed);
    SendToFrontWindow(MSG_PEAP_SETTING_DLG, 0, 0);
}

void CPeapSettingDlg::OnBtnCancel()
{
    EndModalLoop(kCancelled);
    SendToFrontWindow(MSG_PEAP_SETTING_DLG, 0, 0);
}

void CPeapSettingDlg::OnClose()
{
    DestroyWindow();
}

void CPeapSettingDlg::OnDestroy()
{
    EndModalLoop(kCancelled);
    Default();
}

int CPeapSettingDlg::RunModalLoop(DWORD flags)
{
    // Nobody could ever answer a prompt without a window; and none opens while the program leaves.
    if (!IsWindow() || CModalLoopRegistry::TeardownWaits()) {
        ::InterlockedExchange(&G_nPeapPromptResult, kCancelled);
        return kCancelled;
    }
    // From here on the loop touches only its own state and the prompt's handle: a message it
    // dispatches may delete the prompt, whose destruction answers the loop.
    const std::shared_ptr<LoopState> loop = m_loop;
    const HWND prompt = m_hWnd;
    const LONG run = ::InterlockedIncrement(&loop->nRun);
    ::SetEvent(loop->hWake);  // an older run waiting on another thread looks at once
    ::InterlockedExchange(&G_nPeapPromptResult, kWaiting);
    ::InterlockedExchange(&loop->nAnswer, kWaiting);
    ::InterlockedExchange(&loop->bRunning, 1);
    const CModalLoopRegistry::Entry registered(nullptr, [loop] { EndLoop(*loop, kCancelled); });
    const LONG early = ::InterlockedExchange(&m_nEarlyAnswer, kWaiting);
    if (early != kWaiting) ::PostMessageA(prompt, MSG_PEAP_ANSWER, static_cast<WPARAM>(early), 0);
    bool showOnIdle = (flags & MLF_SHOWONIDLE) != 0 && !::IsWindowVisible(prompt);
    auto show = [&] {
        if (::IsWindow(prompt)) {
            ::ShowWindow(prompt, SW_SHOWNORMAL);
            ::UpdateWindow(prompt);
        }
        showOnIdle = false;
    };
    bool idle = true;
    int result = kLoopQuit;
    for (;;) {
        if (loop->nRun != run) {
            result = kCancelled;  // a newer run took the prompt; its answer is not this one's
            break;
        }
        const LONG answer = loop->nAnswer;
        if (answer != kWaiting) {
            result = answer;
            break;
        }
        MSG msg;
        if (idle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (showOnIdle) show();
            // Notified, not sent: the window may belong to another thread that waits on this one.
            HWND parent = ::IsWindow(prompt) ? ::GetParent(prompt) : nullptr;
            if (!(flags & MLF_NOIDLEMSG) && parent)
                ::SendNotifyMessageA(parent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(prompt));
            if (!(flags & MLF_NOKICKIDLE) && ::IsWindow(prompt))
                ::SendNotifyMessageA(prompt, WM_KICKIDLE, MSGF_DIALOGBOX, 0);
            idle = false;
            continue;
        }
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::MsgWaitForMultipleObjects(1, &loop->hWake, FALSE, kLoopPollMs, QS_ALLINPUT);
            continue;
        }
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (showOnIdle && (msg.message == WM_SYSTIMER || msg.message == WM_SYSKEYDOWN)) show();
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (msg.message != WM_NULL && msg.message != WM_TIMER) idle = true;
    }
    if (loop->nRun == run) ::InterlockedExchange(&loop->bRunning, 0);
    return result;
}

void CPeapSettingDlg::EndModalLoop(int result)
{
    if (EndLoop(*m_loop, result) && m_hWnd) ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
}

bool CPeapSettingDlg::EndLoop(LoopState& loop, int result)
{
    ::InterlockedExchange(&G_nPeapPromptResult, result);
    ::InterlockedExchange(&loop.nAnswer, result);
    if (!::InterlockedExchange(&loop.bRunning, 0)) return false;
    ::SetEvent(loop.hWake);
    return true;
}

void CPeapSettingDlg::PostConfirm(const CString& identity, const CString& password)
{
    m_strAnswerIdentity = identity;
    m_strAnswerPassword = password;
    PostMessage(MSG_PEAP_ANSWER, kConfirmed);
}

void CPeapSettingDlg::PostCancel()
{
    PostMessage(MSG_PEAP_ANSWER, kCancelled);
}

LRESULT CPeapSettingDlg::OnAnswer(WPARAM wParam, LPARAM)
{
    if (!IsLoopRunning()) {
        ::InterlockedExchange(&m_nEarlyAnswer, static_cast<LONG>(wParam));
        // A loop started meanwhile may have missed it: hand it over again.
        if (IsLoopRunning() && ::InterlockedExchange(&m_nEarlyAnswer, kWaiting) != kWaiting)
            PostMessage(MSG_PEAP_ANSWER, wParam);
        return 0;
    }
    if (wParam == static_cast<WPARAM>(kConfirmed)) {
        SetDlgItemText(IDC_PEAP_IDENTITY, m_strAnswerIdentity);
        SetDlgItemText(IDC_PEAP_PASSWORD, m_strAnswerPassword);
        OnBtnOK();
    } else {
        OnBtnCancel();
    }
    return 0;
}
