#pragma once

#include "framework/Handles.h"

#include <windows.h>

#include <string>

// Watches the synced folder on a thread of its own: every change the system
// reports there posts a message to the window. The window looks at the folder
// every few seconds besides, as not every file system reports changes.
class SyncWatch {
public:
    SyncWatch() = default;
    ~SyncWatch() { Stop(); }
    SyncWatch(const SyncWatch&) = delete;
    SyncWatch& operator=(const SyncWatch&) = delete;

    // False when the system reports no changes for the folder.
    bool Start(HWND window, UINT message, const std::string& folder);
    void Stop();

private:
    static DWORD WINAPI Run(void* self);

    HWND m_window = nullptr;
    UINT m_message = 0;
    HANDLE m_change = INVALID_HANDLE_VALUE;  // FindCloseChangeNotification owns it
    KernelHandle m_stop;
    KernelHandle m_thread;
};
