#include "net/WindowHttpFetch.h"

#include "shared/PrivateMessages.h"

#include <cstring>
#include <utility>
#include <vector>

WindowHttpFetch::WindowHttpFetch(const std::string& agent)
    : m_http(agent)
{}

WindowHttpFetch::~WindowHttpFetch() = default;

bool WindowHttpFetch::Send(const Request& request, Done done)
{
    if (!m_window.load())
        return false;
    m_http.m_userName = request.user;
    m_http.m_password = request.password;
    const unsigned ticket = m_nextTicket++;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_line.push_back(ticket);
    }
    if (!m_http.StartDownload(request.url, request.headers, &WindowHttpFetch::OnDownloadDone, this)) {
        std::lock_guard<std::mutex> lock(m_lock);
        m_line.pop_back();
        return false;
    }
    m_waiting[ticket] = std::move(done);
    return true;
}

void WindowHttpFetch::CancelAll()
{
    m_waiting.clear();
    std::lock_guard<std::mutex> lock(m_lock);
    m_ready.clear();
}

void WindowHttpFetch::OnDownloadDone(const std::string& url, BYTE failed, void* context)
{
    auto* self = static_cast<WindowHttpFetch*>(context);
    try {
        self->HandOver(url, failed);
    } catch (...) {
        // Out of memory while taking the body: the outcome is lost, and the
        // request's ticket with it; the next check tries again.
    }
}

// On the worker: the client runs its requests one after the other in the order
// they were started, so this outcome belongs to the first ticket in line.
void WindowHttpFetch::HandOver(const std::string& url, BYTE failed)
{
    Outcome outcome;
    outcome.failed = failed != 0;
    std::vector<char> bytes;
    m_http.GetDownloadedData(url, bytes);
    m_http.GetAnswer(url, outcome.status, outcome.headers);
    if (outcome.failed)
        outcome.error.assign(bytes.data(), bytes.empty() ? 0 : strnlen(bytes.data(), bytes.size()));
    else if (outcome.status != 304)
        outcome.bytes = std::move(bytes);

    unsigned ticket = 0;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        if (m_line.empty())
            return;
        ticket = m_line.front();
        m_line.pop_front();
        m_ready[ticket] = std::move(outcome);
    }
    const HWND window = m_window.load();
    if (!window || !::IsWindow(window) || !::PostMessageA(window, WM_WEATHER_DONE, ticket, 0)) {
        std::lock_guard<std::mutex> lock(m_lock);
        m_ready.erase(ticket);
    }
}

void WindowHttpFetch::Deliver(WPARAM ticket)
{
    Outcome outcome;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        const auto ready = m_ready.find(static_cast<unsigned>(ticket));
        if (ready == m_ready.end())
            return;
        outcome = std::move(ready->second);
        m_ready.erase(ready);
    }
    const auto waiting = m_waiting.find(static_cast<unsigned>(ticket));
    if (waiting == m_waiting.end())
        return;
    Done done = std::move(waiting->second);
    m_waiting.erase(waiting);
    done(std::move(outcome));
}
