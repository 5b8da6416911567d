#include "softap/BridgeBinding.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"

#include <shellapi.h>

#include <chrono>
#include <cstring>

namespace {
BridgeLauncher g_launcher;

bool FieldUsable(LPCSTR text)
{
    return !text || (!strchr(text, '+') && !strchr(text, '"'));
}

// Joins the fields, each ended by '+'. The companion program takes the text as it stands: it is
// never quoted, blanks in adapter names included.
bool Compose(CString& out, std::initializer_list<LPCSTR> fields)
{
    out.Empty();
    std::string text;
    for (LPCSTR field : fields) {
        if (!FieldUsable(field)) {
            DebugLog(1, "[QxUI] bridge command refused: a name holds '+' or '\"'\n");
            return false;
        }
        text += field ? field : "";
        text += '+';
    }
    if (text.size() >= kBindParameterBytes) {
        DebugLog(1, "[QxUI] bridge command refused: %u characters\n", static_cast<unsigned>(text.size()));
        return false;
    }
    out = text.c_str();
    return true;
}

CString HandleText(HWND page)
{
    CString text;
    text.Format("%u", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(page)));
    return text;
}

// The utility's folder, with its closing backslash.
CString ProgramFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (char* slash = strrchr(path, '\\')) slash[1] = '\0';
    return path;
}

bool Launch(LPCSTR parameters, HANDLE* process)
{
    const CString folder = ProgramFolder();
    const CString program = folder + kBridgeProgram;
    const CString directory = folder.GetLength() > 1 ? folder.Left(folder.GetLength() - 1) : folder;
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = "open";
    info.lpFile = program;
    info.lpParameters = parameters;
    info.lpDirectory = directory;
    info.nShow = SW_HIDE;
    if (!::ShellExecuteExA(&info)) {
        DebugLog(1, "[QxUI] %s could not be started (%lu)\n", kBridgeProgram, ::GetLastError());
        return false;
    }
    if (process) *process = info.hProcess;
    else if (info.hProcess) ::CloseHandle(info.hProcess);
    return true;
}

bool Ended(HANDLE process)
{
    return process && ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}
}  // namespace

bool BuildBindWin7Command(CString& out, LPCSTR macText, LPCSTR adapterName, HWND page)
{
    const CString handle = HandleText(page);
    return Compose(out, {"BINDWIN7", macText, adapterName, handle});
}

bool BuildBindCommand(CString& out, LPCSTR apAdapterName, LPCSTR adapterName, HWND page)
{
    const CString handle = HandleText(page);
    return Compose(out, {"BIND", apAdapterName, adapterName, handle});
}

CString BuildUnbindAllCommand()
{
    return "UNBINDALL+";
}

ULONG BridgeNameSum(LPCSTR name)
{
    ULONG sum = 0;
    for (const char* p = name ? name : ""; *p; ++p) sum += static_cast<ULONG>(static_cast<LONG>(static_cast<signed char>(*p)));
    return sum;
}

ULONG HostedBridgeWord(LPCSTR name, bool bridged)
{
    return bridged ? (BridgeNameSum(name) & kHostedSumMask) | kHostedBridgedBit : 0;
}

ULONG SoftApBridgeWord(LPCSTR name, bool bridged)
{
    return bridged ? (BridgeNameSum(name) & kSoftApSumMask) | kSoftApBridgedBit : 0;
}

int FindBridgeAdapterIndex(const std::vector<CString>& names, ULONG word, ULONG bridgedBit, ULONG sumMask)
{
    if (!(word & bridgedBit)) return -1;
    for (size_t i = 0; i < names.size(); ++i)
        if ((BridgeNameSum(names[i]) & sumMask) == (word & sumMask)) return static_cast<int>(i);
    return -1;
}

bool StartBridgeProgram(LPCSTR parameters, HANDLE* process)
{
    if (process) *process = nullptr;
    return g_launcher ? g_launcher(parameters, process) : Launch(parameters, process);
}

void SetBridgeLauncher(BridgeLauncher launcher)
{
    g_launcher = std::move(launcher);
}

bool BindThroughCompanion(HWND page, LPCSTR parameters)
{
    CBindResultWaiter& waiter = CBindResultWaiter::Get();
    waiter.Start(page);
    HANDLE process = nullptr;
    if (!StartBridgeProgram(parameters, &process)) {
        waiter.Stop(page);
        ShowProductMessageBox(G_LangTable.IDS_AP_FAIL_TO_RUN_BRIDGE);
        return false;
    }
    waiter.Watch(process);
    return true;
}

bool UnbindThroughCompanion()
{
    if (StartBridgeProgram(BuildUnbindAllCommand())) return true;
    ShowProductMessageBox(G_LangTable.IDS_AP_FAIL_TO_RUN_BRIDGE);
    return false;
}

CBindResultWaiter& CBindResultWaiter::Get()
{
    static CBindResultWaiter waiter;
    return waiter;
}

CBindResultWaiter::~CBindResultWaiter()
{
    // At process exit the worker may already be gone: never block on it here.
    if (m_thread.joinable()) m_thread.detach();
}

CBindResultWaiter::HeldObjects CBindResultWaiter::HoldAnswerObjects()
{
    // Named objects live while any handle is open: held from before the program starts, its
    // answer outlasts its end.
    HeldObjects held;
    // Without them the wait still finds the program's own objects, as long as they stay.
    held.mapping = ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kBindMappingBytes, kBindMappingName);
    if (!held.mapping) DebugLog(1, "[QxUI] bridge binding: the answer's mapping cannot be held (%lu)\n", ::GetLastError());
    held.event = ::CreateEventA(nullptr, TRUE, FALSE, kBindEventName);
    if (!held.event) DebugLog(1, "[QxUI] bridge binding: the answer's event cannot be held (%lu)\n", ::GetLastError());
    // Objects an earlier companion program still holds keep its answer: this wait must not read it.
    if (held.event) ::ResetEvent(held.event);
    if (void* view = held.mapping ? ::MapViewOfFile(held.mapping, FILE_MAP_ALL_ACCESS, 0, 0, 2 * sizeof(ULONG)) : nullptr) {
        memset(view, 0, 2 * sizeof(ULONG));
        ::UnmapViewOfFile(view);
    }
    return held;
}

void CBindResultWaiter::Start(HWND page, DWORD limitMs)
{
    Stop();
    ForgetResult();
    {
        std::lock_guard guard(m_lock);
        m_stop = false;
    }
    const HeldObjects held = HoldAnswerObjects();
    m_page = page;
    m_running = true;
    m_thread = std::thread([this, page, limitMs, held] { Run(page, limitMs, held); });
}

void CBindResultWaiter::Watch(HANDLE process)
{
    if (!process) return;
    std::lock_guard guard(m_lock);
    if (m_process) ::CloseHandle(m_process);
    m_process = process;
    if (!m_running) {
        ::CloseHandle(m_process);
        m_process = nullptr;
    }
}

void CBindResultWaiter::Stop(HWND page)
{
    if (page && page != m_page) return;
    {
        std::lock_guard guard(m_lock);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable()) m_thread.join();
    m_running = false;
}

bool CBindResultWaiter::Sleep(DWORD ms)
{
    std::unique_lock guard(m_lock);
    return !m_wake.wait_for(guard, std::chrono::milliseconds(ms), [this] { return m_stop; });
}

bool CBindResultWaiter::Stopped()
{
    std::lock_guard guard(m_lock);
    return m_stop;
}

HANDLE CBindResultWaiter::Process()
{
    std::lock_guard guard(m_lock);
    return m_process;
}

BindOutcome CBindResultWaiter::Outcome(ULONG& word0, ULONG& word1) const
{
    std::lock_guard guard(m_resultLock);
    word0 = m_word0;
    word1 = m_word1;
    return m_outcome;
}

void CBindResultWaiter::ForgetResult()
{
    std::lock_guard guard(m_resultLock);
    m_outcome = BindOutcome::None;
    m_word0 = m_word1 = 0;
}

void CBindResultWaiter::Run(HWND page, DWORD limitMs, HeldObjects held)
{
    // Elapsed time as the unsigned difference of 32-bit ticks, right across their wrap.
    const DWORD start = ::GetTickCount();
    // A program at work may take its time; the limit is for a wait with none to watch.
    auto timedOut = [&] { return !Process() && ::GetTickCount() - start >= limitMs; };
    HANDLE mapping = nullptr, event = nullptr;
    void* view = nullptr;
    BindOutcome outcome = BindOutcome::Silent;
    // Polls for one of the companion program's objects until it is there; false when the wait
    // ends first (stopped, the program gone without it, or the time limit).
    auto await = [&](auto open, HANDLE& into) {
        while (!(into = open())) {
            if (Ended(Process()) || timedOut()) return false;
            if (!Sleep(kPollMs)) return false;
        }
        return true;
    };
    if (!await([] { return ::OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, kBindMappingName); }, mapping)) goto done;
    view = ::MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    if (!view) goto done;
    if (!await([] { return ::OpenEventA(EVENT_ALL_ACCESS, FALSE, kBindEventName); }, event)) goto done;
    // Waited in slices, so that a stop is seen within one poll period.
    for (;;) {
        if (::WaitForSingleObject(event, kPollMs) == WAIT_OBJECT_0) {
            outcome = BindOutcome::Answered;
            break;
        }
        // A program that has ended can no longer answer; one that answered just before is heard.
        if (Ended(Process())) {
            if (::WaitForSingleObject(event, 0) == WAIT_OBJECT_0) outcome = BindOutcome::Answered;
            break;
        }
        if (timedOut() || Stopped()) break;
    }
done:
    if (Stopped()) outcome = BindOutcome::None;
    {
        std::lock_guard guard(m_resultLock);
        m_outcome = outcome;
        if (outcome == BindOutcome::Answered) {
            const ULONG* words = static_cast<const ULONG*>(view);
            m_word0 = words[0];
            m_word1 = words[1];
        }
    }
    if (view) ::UnmapViewOfFile(view);
    for (HANDLE handle : {event, mapping, held.event, held.mapping})
        if (handle) ::CloseHandle(handle);
    if (outcome == BindOutcome::Silent) DebugLog(1, "[QxUI] bridge binding: no answer from %s\n", kBridgeProgram);
    {
        // Over before it is told: the page that hears of the end finds no wait running. Under the
        // lock, so that Watch either hands its handle to a running wait or closes it itself.
        std::lock_guard guard(m_lock);
        m_running = false;
        if (m_process) ::CloseHandle(m_process);
        m_process = nullptr;
    }
    // A page destroyed meanwhile gets nothing.
    if (outcome != BindOutcome::None && ::IsWindow(page)) ::PostMessageA(page, MSG_BIND_RESULT, 0, 0);
}

LRESULT HandleBindResult()
{
    ULONG word0 = 0, word1 = 0;
    const BindOutcome outcome = CBindResultWaiter::Get().Outcome(word0, word1);
    // Each outcome is told once, however often the result is asked for.
    CBindResultWaiter::Get().ForgetResult();
    if (outcome == BindOutcome::Silent) {
        ShowProductMessageBox(G_LangTable.IDS_AP_BIND_ERROR);
        return 100;
    }
    if (outcome != BindOutcome::Answered) return 100;
    if (word0 == 1 && word1 == 0) ShowProductMessageBox(G_LangTable.IDS_AP_BIND_ERROR);
    return 0;
}
