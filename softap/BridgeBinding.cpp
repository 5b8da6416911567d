#include "softap/BridgeBinding.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"

#include <shellapi.h>

#include <chrono>
#include <cstring>

namespace {
bool FieldUsable(LPCSTR text)
{
    return !text || (!strchr(text, '+') && !strchr(text, '"'));
}

// Joins the fields, each ended by '+', and quotes the whole when it holds a blank.
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
    if (text.find(' ') != std::string::npos) text = '"' + text + '"';
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

CString ProgramFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (char* slash = strrchr(path, '\\')) slash[1] = '\0';
    return path;
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

bool StartBridgeProgram(LPCSTR parameters)
{
    const CString program = ProgramFolder() + kBridgeProgram;
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpFile = program;
    info.lpParameters = parameters;
    info.nShow = SW_HIDE;
    if (!::ShellExecuteExA(&info)) {
        DebugLog(1, "[QxUI] %s could not be started (%lu)\n", kBridgeProgram, ::GetLastError());
        return false;
    }
    if (info.hProcess) ::CloseHandle(info.hProcess);
    return true;
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

void CBindResultWaiter::Start(HWND page, DWORD limitMs)
{
    Stop();
    ForgetResult();
    {
        std::lock_guard guard(m_lock);
        m_stop = false;
    }
    m_page = page;
    m_running = true;
    m_thread = std::thread([this, page, limitMs] { Run(page, limitMs); });
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

bool CBindResultWaiter::Result(ULONG& word0, ULONG& word1) const
{
    std::lock_guard guard(m_resultLock);
    word0 = m_word0;
    word1 = m_word1;
    return m_hasResult;
}

void CBindResultWaiter::ForgetResult()
{
    std::lock_guard guard(m_resultLock);
    m_hasResult = false;
    m_word0 = m_word1 = 0;
}

void CBindResultWaiter::Run(HWND page, DWORD limitMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + limitMs;
    auto left = [&]() -> DWORD {
        const ULONGLONG now = ::GetTickCount64();
        return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
    };
    HANDLE mapping = nullptr, event = nullptr;
    void* view = nullptr;
    bool answered = false;
    while (!(mapping = ::OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, kBindMappingName)))
        if (!left() || !Sleep(kPollMs)) goto done;
    view = ::MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    if (!view) goto done;
    while (!(event = ::OpenEventA(EVENT_ALL_ACCESS, FALSE, kBindEventName)))
        if (!left() || !Sleep(kPollMs)) goto done;
    // Waited in slices so that a stop is seen within one poll period.
    while (!answered) {
        const DWORD slice = std::min<DWORD>(left(), kPollMs);
        if (::WaitForSingleObject(event, slice) == WAIT_OBJECT_0) {
            answered = true;
            break;
        }
        if (!left() || !Sleep(0)) break;
    }
    if (answered) {
        std::lock_guard guard(m_resultLock);
        const ULONG* words = static_cast<const ULONG*>(view);
        m_word0 = words[0];
        m_word1 = words[1];
        m_hasResult = true;
    }
done:
    if (view) ::UnmapViewOfFile(view);
    if (event) ::CloseHandle(event);
    if (mapping) ::CloseHandle(mapping);
    if (!answered) DebugLog(3, "[QxUI] bridge binding: no answer from %s\n", kBridgeProgram);
    // A page destroyed meanwhile gets nothing.
    if (answered && ::IsWindow(page)) ::PostMessageA(page, MSG_BIND_RESULT, 0, 0);
    m_running = false;
}

LRESULT HandleBindResult()
{
    ULONG word0 = 0, word1 = 0;
    if (!CBindResultWaiter::Get().Result(word0, word1)) return 100;
    if (word0 == 1 && word1 == 0) ShowProductMessageBox(G_LangTable.IDS_AP_BIND_ERROR);
    return 0;
}
