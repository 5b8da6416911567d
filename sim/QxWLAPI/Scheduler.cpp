#include "sim/QxWLAPI/Scheduler.h"

#include <chrono>

namespace sim {

void Scheduler::After(DWORD delayMs, std::function<void()> task)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_tasks.emplace(GetTickCount64() + delayMs, std::move(task));
    if (!m_threadRunning) {
        HMODULE self = nullptr;
        // The thread's own reference on this library.
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCSTR>(&Scheduler::ThreadMain),
                           &self);
        HANDLE thread = CreateThread(nullptr, 0, &Scheduler::ThreadMain, this, 0, nullptr);
        if (thread) {
            m_threadRunning = true;
            CloseHandle(thread);
        } else if (self) {
            FreeLibrary(self);
        }
    }
    m_changed.notify_all();
}

void Scheduler::Cancel()
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_tasks.clear();
    m_changed.notify_all();
}

bool Scheduler::WaitIdle(DWORD timeoutMs)
{
    std::unique_lock<std::mutex> guard(m_lock);
    return m_changed.wait_for(guard, std::chrono::milliseconds(timeoutMs),
                              [this] { return m_tasks.empty() && !m_taskRunning; });
}

DWORD WINAPI Scheduler::ThreadMain(void* self)
{
    static_cast<Scheduler*>(self)->Run();
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&Scheduler::ThreadMain), &module);
    FreeLibraryAndExitThread(module, 0);
}

void Scheduler::Run()
{
    std::unique_lock<std::mutex> guard(m_lock);
    for (;;) {
        if (m_tasks.empty()) {
            m_threadRunning = false;
            m_changed.notify_all();
            return;
        }
        const ULONGLONG now = GetTickCount64();
        auto first = m_tasks.begin();
        if (first->first > now) {
            m_changed.wait_for(guard, std::chrono::milliseconds(first->first - now));
            continue;
        }
        std::function<void()> task = std::move(first->second);
        m_tasks.erase(first);
        m_taskRunning = true;
        guard.unlock();
        task();  // without the lock: a task may schedule more, or call into the program
        guard.lock();
        m_taskRunning = false;
        m_changed.notify_all();
    }
}

}  // namespace sim
