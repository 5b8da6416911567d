// The one-time password prompt: asks for the tunnel identity and a one-time password while a
// PEAP or EAP-FAST authentication runs, or for a new password when the server demands one. Its
// window belongs to the user-interface thread; the 802.1X worker waits on it in RunModalLoop.
#pragma once
#include "core/IPeapPrompt.h"
#include "station/CClassicDlg.h"
#include "contract/StationRecords.h"
#include "res/resource.h"

#include <memory>

// The prompt's answer, shared by the prompt and the loop waiting on it (possibly on another
// thread): 0 while the prompt waits, 1 after OK, 2 after Cancel or destruction.
extern volatile LONG G_nPeapPromptResult;

class CPeapSettingDlg : public CClassicDlg, public IPeapPrompt {
public:
    enum { IDD = IDD_PEAP_SETTING };
    static constexpr LONG kWaiting = 0, kConfirmed = IDOK, kCancelled = IDCANCEL;
    static constexpr int kLoopQuit = -1;
    // A waiting loop also looks at its answer this often: a destroyed window may give it without
    // waking the loop.
    static constexpr DWORD kLoopPollMs = 100;

    explicit CPeapSettingDlg(CWnd* pParent = nullptr);
    // Creates the prompt hidden, as a child of parent.
    BOOL Create(CWnd* pParent) { return CClassicDlg::Create(IDD, pParent); }
    using CClassicDlg::Create;

    // Pumps the calling thread's messages until the answer is given and returns it (1 OK, 2
    // cancelled or destroyed), or -1 when the application quits (the quit is posted again).
    // Registered as a modal loop of its thread: a teardown ends it as Cancel; while one waits the
    // prompt is not run and answers 2.
    // Flags: MLF_SHOWONIDLE shows the prompt once the queue runs empty; without MLF_NOIDLEMSG the
    // parent gets WM_ENTERIDLE, without MLF_NOKICKIDLE the prompt gets WM_KICKIDLE at each idle.
    int RunModalLoop(DWORD flags) override;
    // Stores the answer and wakes a running loop.
    void EndModalLoop(int result);
    // True while RunModalLoop waits for this prompt's answer.
    bool IsLoopRunning() const { return m_loop->bRunning != 0; }

    // Answers the prompt as the user would: types the entries and presses OK, or presses Cancel.
    // An answer given before the loop runs is kept and given again once it runs.
    void PostConfirm(const CString& identity, const CString& password);
    void PostCancel();

    // The hidden dialog's view (IPeapPrompt).
    CWnd& Window() override { return *this; }
    void Ask(const CString& identity, ULONG bPasswordLocked, const WLANPROFILE& profile) override;
    CString Identity() const override { return m_strIdentity; }
    CString Password() const override { return m_strPassword; }
    const WLANPROFILE& Profile() const override { return m_Profile; }

    ULONG m_bPasswordLocked = 0;  // the password is fixed: its field is disabled, empty is accepted
    CString m_strIdentity;
    CString m_strPassword;
    WLANPROFILE m_Profile = {};   // the prompt's own copy of the profile prompted for

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnBtnOK();
    void OnBtnCancel();
    void OnClose();
    void OnDestroy();
    LRESULT OnAnswer(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // What the loop needs of the prompt, kept alive by the loop itself: a message the loop
    // dispatches may delete the prompt (a page-set switch, the exit), and the loop must still
    // end cleanly afterwards.
    struct LoopState {
        LoopState();
        ~LoopState();
        LoopState(const LoopState&) = delete;
        LoopState& operator=(const LoopState&) = delete;
        HANDLE hWake = nullptr;
        volatile LONG bRunning = 0;
        volatile LONG nAnswer = 0;
        // The newest run: one started while another waits takes the prompt, and the older run
        // ends with cancel instead of taking the newer one's answer.
        volatile LONG nRun = 0;
    };
    // Stores the answer and wakes the loop; true when a loop was running.
    static bool EndLoop(LoopState& loop, int result);
    CShadeButtonST m_btnOK;
    CShadeButtonST m_btnCancel;
    std::shared_ptr<LoopState> m_loop = std::make_shared<LoopState>();
    volatile LONG m_nEarlyAnswer = kWaiting;
    CString m_strAnswerIdentity;
    CString m_strAnswerPassword;
    void ApplyMethodTexts();

public:
    ~CPeapSettingDlg() override;
};
