// The library's own thread: runs the world's timed events (scan completion, connect steps)
// and every callback into the program. The thread exists only while events are pending and
// holds a reference on the library meanwhile, so a FreeLibrary by the program never unmaps
// code that still runs; the last reference goes with FreeLibraryAndExitThread.
#pragma once
#include <windows.h>

#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <utility>

namespace sim {

class Scheduler {
public:
    // Runs task on the library's thread after delayMs (0: as soon as possible), after every
    // task due earlier or at the same time that was scheduled before it.
    void After(DWORD delayMs, std::function<void()> task);
    // Drops every pending task.
    void Cancel();
    // True when nothing is pending or running within timeoutMs.
    bool WaitIdle(DWORD timeoutMs);

private:
    static DWORD WINAPI ThreadMain(void* self);
    void Run();

    std::mutex m_lock;
    std::condition_variable m_changed;
    std::multimap<ULONGLONG, std::function<void()>> m_tasks;  // due tick -> task
    bool m_threadRunning = false;
    bool m_taskRunning = false;
};

}  // namespace sim
