// Bridging the access point to another network adapter: the companion program "VarodiVevovi.exe"
// does the binding; the pages start it with a command word and wait on a worker for the named
// objects through which it reports the result. The pages remember the bridged adapter as a
// "bridge word": a byte sum of its name and a bridged bit.
#pragma once
#include "framework/Afx.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// Posted to the page that bound, both parameters 0, once the companion program has answered.
constexpr UINT MSG_BIND_RESULT = WM_USER + 1009;
constexpr UINT_PTR TIMER_APCONFIG_APPLY = 22;
constexpr UINT kApConfigApplyMs = 1500;

constexpr char kBridgeProgram[] = "VarodiVevovi.exe";
constexpr char kBindMappingName[] = "Local\\_090331FileMapping_obj";
constexpr char kBindEventName[] = "Local\\_090331EventClient_obj";
constexpr size_t kBindParameterBytes = 512;
// The answer's mapping as the waiter makes it when it is the first: generous, since how much the
// companion program maps beyond its two words is its own.
constexpr DWORD kBindMappingBytes = 0x10000;

// The command texts: the fields as they are, each ended by '+' (blanks included: the companion
// program reads its whole command line). False (and out empty) when a field would break that
// syntax: a '+' or a '"' inside a name, or a text longer than the parameter buffer.
bool BuildBindWin7Command(CString& out, LPCSTR macText, LPCSTR adapterName, HWND page);
bool BuildBindCommand(CString& out, LPCSTR apAdapterName, LPCSTR adapterName, HWND page);
CString BuildUnbindAllCommand();

// Sum of the name's bytes, each as a signed 8-bit value (32-bit wrap-around).
ULONG BridgeNameSum(LPCSTR name);
// Hosted network: bit 24 bridged, bits 0-23 the sum; 0 when not bridged.
ULONG HostedBridgeWord(LPCSTR name, bool bridged);
// Soft-AP library: bit 8 bridged, bits 0-7 the sum; 0 when not bridged.
ULONG SoftApBridgeWord(LPCSTR name, bool bridged);
constexpr ULONG kHostedBridgedBit = 0x1000000, kHostedSumMask = 0xFFFFFF;
constexpr ULONG kSoftApBridgedBit = 0x100, kSoftApSumMask = 0xFF;
// The first name in the list whose sum matches a bridged word; -1 when the word is not bridged
// or no name matches.
int FindBridgeAdapterIndex(const std::vector<CString>& names, ULONG word, ULONG bridgedBit, ULONG sumMask);

// Starts the companion program from the utility's folder (also its working folder), hidden, with
// the parameters. With `process`, its handle goes there for the caller to close; else it is
// closed at once. False when it could not be started.
bool StartBridgeProgram(LPCSTR parameters, HANDLE* process = nullptr);
// Test seam: replaces how the companion program is started (empty: the real start).
using BridgeLauncher = std::function<bool(LPCSTR parameters, HANDLE* process)>;
void SetBridgeLauncher(BridgeLauncher launcher);

// A BIND for the page: the waiter is armed first, so that an answer written the moment the
// companion program starts is not missed, then the program is started. False, with the user
// told and nothing left waiting, when it could not be started.
bool BindThroughCompanion(HWND page, LPCSTR parameters);
// UNBINDALL: no answer is waited for. False, with the user told, when it could not be started.
bool UnbindThroughCompanion();

// How the last wait ended.
enum class BindOutcome {
    None,      // no wait has ended since the last start
    Answered,  // the companion program signalled its answer
    Silent,    // it ended, or the time limit passed, without an answer
};

// The one waiter for the companion program's answer. A new wait stops the previous one; the
// wait ends after the answer, when the watched companion program has ended without one, or when
// stopped. A companion program at work is waited for however long it takes; the time limit only
// ends a wait with no program to watch. Its end is posted (MSG_BIND_RESULT) only to a page window
// that still exists, and not when stopped.
class CBindResultWaiter {
public:
    static constexpr DWORD kPollMs = 100;
    static constexpr DWORD kDefaultLimitMs = 30000;

    static CBindResultWaiter& Get();
    ~CBindResultWaiter();

    // Holds the answer's mapping and event from here to the wait's end (made when none exists,
    // a left-over answer cleared), so that a program that answers and ends at once is heard.
    void Start(HWND page, DWORD limitMs = kDefaultLimitMs);
    // The started companion program: the waiter takes the handle and closes it.
    void Watch(HANDLE process);
    // Stops the wait and waits for the worker to end. With a page, only a wait for that page.
    void Stop(HWND page = nullptr);
    // False from the moment a wait has ended, before its end is posted.
    bool Running() const { return m_running.load(); }

    // How the last wait ended; the answer's words when it was answered.
    BindOutcome Outcome(ULONG& word0, ULONG& word1) const;
    void ForgetResult();

private:
    struct HeldObjects {
        HANDLE mapping = nullptr;
        HANDLE event = nullptr;
    };
    static HeldObjects HoldAnswerObjects();
    CBindResultWaiter() = default;
    void Run(HWND page, DWORD limitMs, HeldObjects held);
    bool Sleep(DWORD ms);  // false when stopped meanwhile
    bool Stopped();
    HANDLE Process();

    std::thread m_thread;
    HWND m_page = nullptr;
    std::atomic<bool> m_running{false};
    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_stop = false;
    HANDLE m_process = nullptr;  // under m_lock; the wait that ends closes it
    BindOutcome m_outcome = BindOutcome::None;
    ULONG m_word0 = 0, m_word1 = 0;
    mutable std::mutex m_resultLock;
};

// The result handler shared by both pages: 100 when no answer was read, else 0. A failed
// binding (word 0 = 1, word 1 = 0) and a companion program that never answered are told to
// the user.
LRESULT HandleBindResult();
