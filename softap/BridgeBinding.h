// Bridging the access point to another network adapter: the companion program "VarodiVevovi.exe"
// does the binding; the pages start it with a command word and wait on a worker for the named
// objects through which it reports the result. The pages remember the bridged adapter as a
// "bridge word": a byte sum of its name and a bridged bit.
#pragma once
#include "framework/Afx.h"

#include <atomic>
#include <condition_variable>
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

// The command texts. False (and out empty) when a field would break the "+" syntax: a '+' or a
// '"' inside a name, or a text longer than the parameter buffer. A text with blanks is quoted so
// that it reaches the companion program as one argument.
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

// Starts the companion program from the utility's folder, hidden, with the parameters. The
// process handle is closed at once. False when it could not be started.
bool StartBridgeProgram(LPCSTR parameters);

// The one waiter for the companion program's answer. A new wait stops the previous one; the
// wait ends after the answer, after its time limit, or when stopped; the answer is posted only
// to a page window that still exists.
class CBindResultWaiter {
public:
    static constexpr DWORD kPollMs = 100;
    static constexpr DWORD kDefaultLimitMs = 30000;

    static CBindResultWaiter& Get();
    ~CBindResultWaiter();

    void Start(HWND page, DWORD limitMs = kDefaultLimitMs);
    // Stops the wait and waits for the worker to end. With a page, only a wait for that page.
    void Stop(HWND page = nullptr);
    bool Running() const { return m_running.load(); }

    // The answer the last wait read: false when none has been read.
    bool Result(ULONG& word0, ULONG& word1) const;
    void ForgetResult();

private:
    CBindResultWaiter() = default;
    void Run(HWND page, DWORD limitMs);
    bool Sleep(DWORD ms);  // false when stopped meanwhile

    std::thread m_thread;
    HWND m_page = nullptr;
    std::atomic<bool> m_running{false};
    std::mutex m_lock;
    std::condition_variable m_wake;
    bool m_stop = false;
    bool m_hasResult = false;
    ULONG m_word0 = 0, m_word1 = 0;
    mutable std::mutex m_resultLock;
};

// The result handler shared by both pages: 100 when no answer was read, else 0; a failed
// binding (word 0 = 1, word 1 = 0) is told to the user.
LRESULT HandleBindResult();
