// The modal loops that run on a thread, innermost last, and the teardowns that wait for them.
//
// A teardown (leaving the program, dropping the main window when the adapter goes, rebuilding a
// page set) must destroy no window and delete no object while a modal loop runs above the code
// that asked for it: the handler under that loop would go on with what was freed once the loop
// returned. It asks here instead. The loops above its home window's own loop are ended from the
// innermost out, as their Cancel would end them, and its message is posted once that loop is the
// innermost again. Until the message arrives no loop starts on the thread: DoModal answers
// IDCANCEL and a message box the answer of its Cancel, without showing.
#pragma once
#include <windows.h>

#include <functional>

class CWnd;

class CModalLoopRegistry {
public:
    // One running loop, registered while the entry lives.
    class Entry {
    public:
        // pWnd: the loop's own window object when it has one (its window may come later); end:
        // ends the loop as its Cancel would, destroying nothing.
        Entry(CWnd* pWnd, std::function<void()> end);
        ~Entry();
        Entry(const Entry&) = delete;
        Entry& operator=(const Entry&) = delete;
        HWND Window() const;

    private:
        friend class CModalLoopRegistry;
        CWnd* m_pWnd;
        std::function<void()> m_end;
        bool m_bEnded = false;
    };

    // The loop of a system dialog (a message box, a common dialog) that the call made in this
    // scope runs. Its dialog is the first top-level dialog the thread creates meanwhile; `end`
    // gets that window when a teardown needs the dialog gone.
    class SystemDialog {
    public:
        explicit SystemDialog(std::function<void(HWND)> end);
        ~SystemDialog();
        SystemDialog(const SystemDialog&) = delete;
        SystemDialog& operator=(const SystemDialog&) = delete;

    private:
        static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
        HWND m_hDialog = nullptr;
        std::function<void(HWND)> m_end;
        Entry m_entry;
    };

    // True from a teardown's request until its message arrives: no loop may start then.
    static bool TeardownWaits();
    // A teardown on behalf of hWndHome: true when no loop runs above the home window's own loop
    // (above none, when it runs none), and the teardown may go on now. Otherwise the loops above
    // are ended, (message, wParam, lParam) is posted to hWndTarget once they have all returned,
    // and the answer is false.
    static bool RequestTeardown(HWND hWndHome, HWND hWndTarget, UINT message, WPARAM wParam, LPARAM lParam);
    // The loops running on this thread.
    static int Depth();
    // Every message of the framework's windows passes here before its handler: a posted
    // teardown is taken off when it arrives, and the requests of a window that goes are dropped.
    static void OnWindowMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
