#include "support/CreatedWindows.h"

namespace {

// The hook's callback has no context parameter; one log runs at a time.
CreatedWindowsLog* g_log = nullptr;
std::mutex g_logLock;

const UINT kSettleMessage = WM_APP + 7;

}  // namespace

CreatedWindowsLog::CreatedWindowsLog()
{
    m_ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_thread = std::thread([this] { Run(); });
    WaitForSingleObject(m_ready, 10000);
}

CreatedWindowsLog::~CreatedWindowsLog()
{
    if (m_threadId)
        PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
    if (m_thread.joinable())
        m_thread.join();
    CloseHandle(m_ready);
}

void CreatedWindowsLog::Run()
{
    {
        std::lock_guard<std::mutex> lock(g_logLock);
        g_log = this;
    }
    // Out of context: the callback runs on this thread, from its message queue.
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, OnEvent, 0, 0,
                                         WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS);
    m_hooked = hook != nullptr;
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before anyone posts to it
    m_threadId = GetCurrentThreadId();
    SetEvent(m_ready);
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!message.hwnd && message.message == kSettleMessage)
            SetEvent(reinterpret_cast<HANDLE>(message.lParam));
        DispatchMessageA(&message);
    }
    if (hook)
        UnhookWinEvent(hook);
    std::lock_guard<std::mutex> lock(g_logLock);
    g_log = nullptr;
}

void CALLBACK CreatedWindowsLog::OnEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG, DWORD thread, DWORD)
{
    if (object != OBJID_WINDOW || !window)
        return;
    CreatedWindow created;
    created.window = window;
    GetWindowThreadProcessId(window, &created.processId);
    // The window may already be gone: its thread still tells the process.
    if (!created.processId && thread) {
        if (HANDLE handle = OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, thread)) {
            created.processId = GetProcessIdOfThread(handle);
            CloseHandle(handle);
        }
    }
    const HWND parent = GetAncestor(window, GA_PARENT);
    created.topLevel = parent == nullptr || parent == GetDesktopWindow();
    char name[256] = "";
    GetClassNameA(window, name, sizeof name);
    created.className = name;
    std::lock_guard<std::mutex> lock(g_logLock);
    if (g_log) {
        std::lock_guard<std::mutex> entries(g_log->m_lock);
        g_log->m_windows.push_back(created);
    }
}

std::vector<CreatedWindow> CreatedWindowsLog::Of(DWORD processId) const
{
    // Events reach the log through its thread's queue, ahead of posted messages:
    // once a message posted now has been taken, every earlier event has been seen.
    HANDLE settled = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (PostThreadMessageA(m_threadId, kSettleMessage, 0, reinterpret_cast<LPARAM>(settled)))
        WaitForSingleObject(settled, 5000);
    CloseHandle(settled);
    std::lock_guard<std::mutex> lock(m_lock);
    std::vector<CreatedWindow> found;
    for (const CreatedWindow& created : m_windows)
        if (created.processId == processId)
            found.push_back(created);
    return found;
}
