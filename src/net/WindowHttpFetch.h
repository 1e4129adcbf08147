#pragma once

#include "base/HttpFetch.h"
#include "net/CHttpDownloader.h"

#include <windows.h>

#include <atomic>
#include <deque>
#include <map>
#include <mutex>
#include <string>

// HTTP GET on the client's worker thread, with the outcome handed back on the
// window's thread: the worker leaves it under a ticket and posts the ticket to
// the window (WM_WEATHER_DONE, wParam the ticket), whose handler calls Deliver.
// No pointer travels in the message.
class WindowHttpFetch : public HttpFetch {
public:
    explicit WindowHttpFetch(const std::string& agent);
    ~WindowHttpFetch() override;
    WindowHttpFetch(const WindowHttpFetch&) = delete;
    WindowHttpFetch& operator=(const WindowHttpFetch&) = delete;

    // Where outcomes are posted; null while there is no window, and nothing starts.
    void Attach(HWND window) { m_window = window; }

    bool Send(const Request& request, Done done) override;
    void CancelAll() override;

    // The window's handler of WM_WEATHER_DONE.
    void Deliver(WPARAM ticket);

private:
    static void OnDownloadDone(const std::string& url, BYTE failed, void* context);
    void HandOver(const std::string& url, BYTE failed);

    std::atomic<HWND> m_window{nullptr};
    unsigned m_nextTicket = 1;
    std::map<unsigned, Done> m_waiting;  // user-interface thread only
    std::mutex m_lock;
    // Guarded by m_lock: the tickets of the requests in the client's line, in
    // its order, and the outcomes not yet delivered.
    std::deque<unsigned> m_line;
    std::map<unsigned, Outcome> m_ready;
    // Last, so it is destroyed first: a callback still running is waited for
    // while everything above is alive.
    CHttpDownloader m_http;
};
