#pragma once

#include <windows.h>

#include <string>
#include <thread>

// What a message box showed.
struct SeenBox {
    bool seen = false;
    std::string caption;
    std::string text;
    HICON icon = nullptr;
    HWND owner = nullptr;
};

// Reads the first message box that a process shows and answers it with a button.
// Runs on its own thread, because the box blocks the thread that shows it.
class MessageBoxWatcher {
public:
    MessageBoxWatcher(DWORD processId, int answer, DWORD ms = 10000);
    ~MessageBoxWatcher();

    // Waits for the watcher to finish and returns what it saw.
    SeenBox Result();

private:
    void Watch(DWORD processId, int answer, DWORD ms);

    std::thread m_thread;
    SeenBox m_box;
};

// Reads an open message box of the process right now.
bool ReadMessageBox(DWORD processId, SeenBox& box, HWND* window = nullptr);

// True when both icons draw the same pixels (handles differ between processes).
bool SameIconPicture(HICON a, HICON b);

// The system's icon of a message box style, e.g. IDI_INFORMATION.
HICON SystemIcon(LPCSTR id);
