// Shared helpers of the test programs: message-box capture, bounded message pumping,
// files beside the program, and starting programs of the build.
#pragma once
#include "framework/Afx.h"

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// While alive, every message box of the framework is recorded and answered with `answer`
// (or with the next of `answers`, then `answer`) instead of being shown.
class MessageBoxCapture {
public:
    explicit MessageBoxCapture(int answer = IDOK);
    ~MessageBoxCapture();
    void QueueAnswer(int answer) { m_queued.push_back(answer); }
    const std::vector<MessageBoxRequest>& Boxes() const { return m_boxes; }
    size_t Count() const { return m_boxes.size(); }

private:
    int m_answer;
    std::vector<int> m_queued;
    std::vector<MessageBoxRequest> m_boxes;
};

// The failure limit of the waits for a condition: generous, because the tests run on loaded
// machines; a wait that succeeds ends as soon as its condition holds.
constexpr DWORD kWaitBoundMs = 20000;

// Dispatches this thread's messages for at most timeoutMs, or until done() answers true.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs);
// A fixed wait: only for a period the program defines where nothing observable marks its end.
void PumpFor(DWORD ms);
// True when nothing waits in this thread's queue: no posted or sent message, input, due timer
// or window to paint.
bool QueueEmpty();
// Dispatches this thread's messages until its queue is empty; false when it was still busy
// after timeoutMs.
bool PumpPending(DWORD timeoutMs = kWaitBoundMs);
// Dispatches this thread's messages until the queue is empty and idle() answers true, both at
// once; for work of other threads that posts back here.
bool PumpUntilSettled(const std::function<bool()>& idle, DWORD timeoutMs = kWaitBoundMs);
// Runs `action` once from a timer of this thread after delayMs, unless the object went first:
// inside whatever message loop runs then (a dialog's, a box's, a prompt's).
class RunFromTheLoop {
public:
    explicit RunFromTheLoop(std::function<void()> action, UINT delayMs = 0);
    ~RunFromTheLoop();
    RunFromTheLoop(const RunFromTheLoop&) = delete;
    RunFromTheLoop& operator=(const RunFromTheLoop&) = delete;
    bool Ran() const;

private:
    UINT_PTR m_timer;
};
// Posts the message and dispatches this thread's queue, again until done() answers true: for
// input that the platform's own may overtake (mouse moves from where its cursor is).
bool PostUntil(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const std::function<bool()>& done,
               DWORD timeoutMs = kWaitBoundMs);

// The folder of the running test program (the program's folder of the build), with a trailing backslash.
std::string BinFolder();
// The settings file of the running test program ("<test program>.ini").
std::string OwnIniPath();

// Writes a file, replacing it; removes it again when the object goes.
class ScopedFile {
public:
    ScopedFile(std::string path, const std::string& content);
    ~ScopedFile();
    const std::string& Path() const { return m_path; }
    void Keep() { m_keep = true; }  // leave the file in place
private:
    std::string m_path;
    bool m_keep = false;
};

std::string ReadWholeFile(const std::string& path);
// The real program's command line, and a text of its English language file ("Strings" section).
std::string ProgramCommand(const std::string& arguments = "");
std::string EnglishText(const char* key);
// Removes the station library stand-in's profile store from the program's folder, so that a run
// of the real program starts from its world file alone.
void ForgetProfileStore();
bool FileExists(const std::string& path);

// A started process of the build. It runs with Wine's exception trace on, which writes to the
// test program's own error output: Wine lets an access violation inside a window callback pass
// where Windows would end the program, and the test runner fails any run whose output shows
// an exception of the error class.
class ChildProcess {
public:
    // commandLine is passed as the whole command line; workDir may be empty.
    ChildProcess(const std::string& commandLine, const std::string& workDir = "");
    ~ChildProcess();  // ends the process if it still runs
    bool Started() const { return m_info.hProcess != nullptr; }
    // True when the process ended within timeoutMs; exitCode then holds its code.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
    void Kill();
    DWORD Id() const { return m_info.dwProcessId; }
private:
    PROCESS_INFORMATION m_info{};
};

// The top-level window of that caption (and class, when given) owned by process pid; polls up to timeoutMs.
HWND WaitForWindow(const char* className, const char* caption, DWORD pid, DWORD timeoutMs);
// Counts top-level windows of that caption.
int CountTopLevelWindows(const char* caption);

}  // namespace testing_support
