#pragma once

#include "support/MessageBoxWatcher.h"
#include "support/TestProcess.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

// Answers every message box this process shows with OK, from its own thread, and
// keeps what each one said: the code under test shows its boxes on the test's
// thread, which stays blocked until the box is answered. whileShown, when given,
// runs on the recorder's thread while each box is up, before it is answered.
class BoxRecorder {
public:
    explicit BoxRecorder(std::function<void(const SeenBox&)> whileShown = nullptr)
        : m_whileShown(std::move(whileShown))
        , m_thread([this] { Run(); })
    {}
    ~BoxRecorder() { Stop(); }
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;

    // Call once the code that may show boxes has returned: none is open then.
    std::vector<SeenBox> Stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        return m_boxes;
    }

private:
    void Run()
    {
        while (!m_stop) {
            SeenBox box;
            HWND window = nullptr;
            if (!ReadMessageBox(GetCurrentProcessId(), box, &window)) {
                Sleep(10);
                continue;
            }
            m_boxes.push_back(box);
            if (m_whileShown)
                m_whileShown(box);
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            WaitUntil([&] { return !IsWindow(window); }, 10000);
        }
    }

    std::function<void(const SeenBox&)> m_whileShown;
    std::atomic<bool> m_stop{false};
    std::vector<SeenBox> m_boxes;
    std::thread m_thread;
};
