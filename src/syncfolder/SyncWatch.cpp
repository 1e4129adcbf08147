#include "syncfolder/SyncWatch.h"

#include "framework/Utf8.h"

bool SyncWatch::Start(HWND window, UINT message, const std::string& folder)
{
    Stop();
    m_window = window;
    m_message = message;
    m_change = ::FindFirstChangeNotificationW(Widen(folder).c_str(), FALSE,
                                              FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE |
                                                  FILE_NOTIFY_CHANGE_LAST_WRITE);
    if (m_change == INVALID_HANDLE_VALUE)
        return false;
    m_stop.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    m_thread.reset(::CreateThread(nullptr, 0, &SyncWatch::Run, this, 0, nullptr));
    if (!m_stop || !m_thread) {
        Stop();
        return false;
    }
    return true;
}

void SyncWatch::Stop()
{
    if (m_thread) {
        ::SetEvent(m_stop.get());
        ::WaitForSingleObject(m_thread.get(), INFINITE);
        m_thread.reset();
    }
    m_stop.reset();
    if (m_change != INVALID_HANDLE_VALUE) {
        ::FindCloseChangeNotification(m_change);
        m_change = INVALID_HANDLE_VALUE;
    }
}

DWORD WINAPI SyncWatch::Run(void* context)
{
    auto* self = static_cast<SyncWatch*>(context);
    const HANDLE waits[] = {self->m_stop.get(), self->m_change};
    for (;;) {
        if (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
            return 0;
        ::PostMessageW(self->m_window, self->m_message, 0, 0);
        if (!::FindNextChangeNotification(self->m_change))
            return 0;
    }
}
