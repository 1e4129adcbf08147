#include "net/CHttpDownloader.h"

#include "framework/CWinThread.h"
#include "net/CDownloadSession.h"
#include "net/HttpErrorText.h"

#include <new>

namespace {
using Lock = std::lock_guard<std::mutex>;

const DWORD StopWaitMs = 300000;

}  // namespace

// The internet session is opened with the first download, not with the client:
// the program starts without waiting for WinInet, and a client that never
// downloads never opens one.
CHttpDownloader::CHttpDownloader(const std::string& agent)
    : m_deadlineMs(CDownloadSession::kDefaultDeadlineMs)
    , m_agent(agent)
    , m_session(std::make_shared<CDownloadSession>())
{}

void CHttpDownloader::OpenRoot(CDownloadSession& session) const
{
    session.m_rootOpened = true;
    HINTERNET hRoot =
        ::InternetOpenA(m_agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, INTERNET_FLAG_DONT_CACHE);
    session.m_rootError = hRoot ? 0 : ::GetLastError();
    if (hRoot) {
        DWORD backoffMs = 3000;
        ::InternetSetOptionExA(hRoot, INTERNET_OPTION_CONNECT_BACKOFF, &backoffMs, sizeof backoffMs, 0);
        DWORD retries = 5;
        ::InternetSetOptionExA(hRoot, INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof retries, 0);
    }
    session.m_hRoot = hRoot;
}

CHttpDownloader::~CHttpDownloader()
{
    bool inCallback;
    {
        Lock lock(m_session->m_lock);
        m_session->m_stop = true;
        inCallback = m_session->m_inCallback;
        // Queued requests are dropped unanswered; their owners are going away too.
        m_session->m_queue.clear();
        // Closing the handles of a run in progress makes a blocked WinInet call
        // return on Windows; the worker then ends without calling back.
        for (auto& entry : m_session->m_requests)
            entry.second->CloseHandles();
    }
    if (m_session->m_hRoot)
        ::InternetCloseHandle(m_session->m_hRoot);
    // A running callback works on our owner, which must outlive it, unless the
    // callback itself is destroying us. A worker inside WinInet needs nothing of
    // ours any more: it keeps the session.
    if (inCallback && m_worker && ::GetThreadId(m_worker.get()) != ::GetCurrentThreadId() &&
        ::WaitForSingleObject(m_worker.get(), StopWaitMs) == WAIT_TIMEOUT)
        ::SuspendThread(m_worker.get());
}

bool CHttpDownloader::StartDownload(const std::string& url, DownloadDoneCallback callback, void* context)
{
    return StartDownload(url, HttpHeaderList(), callback, context);
}

bool CHttpDownloader::StartDownload(const std::string& url, const HttpHeaderList& headers,
                                    DownloadDoneCallback callback, void* context)
{
    CDownloadSession& session = *m_session;
    Lock lock(session.m_lock);
    // Read under the lock: destruction sets it there, and a start that slipped in
    // after that could otherwise begin a worker for a client being destroyed.
    if (session.m_stop)
        return false;
    try {
        std::unique_ptr<CDownloadRequest>& request = session.m_requests[url];
        if (!request)
            request = std::make_unique<CDownloadRequest>();
        // The credentials are taken now, on the owner's thread, so the worker
        // never reads members that the owner may assign.
        session.m_queue.push_back(
            CDownloadSession::Job{url, callback, context, m_userName, m_password, headers, m_deadlineMs});
    } catch (const std::bad_alloc&) {
        m_lastError = "Memory Error!";
        return false;
    }
    if (session.m_running)
        return true;
    if (!session.m_rootOpened)
        OpenRoot(session);
    if (!StartWorker()) {
        session.m_queue.pop_back();
        m_lastError = "Could not start thread!";
        return false;
    }
    session.m_running = true;
    return true;
}

bool CHttpDownloader::StartWorker()
{
    std::unique_ptr<std::shared_ptr<CDownloadSession>> param;
    CWinThread* thread = nullptr;
    try {
        param = std::make_unique<std::shared_ptr<CDownloadSession>>(m_session);
        thread =
            AfxBeginThread(&CDownloadSession::WorkerEntry, param.get(), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    } catch (const std::bad_alloc&) {
    }
    if (!thread)
        return false;
    // The thread object deletes itself when the thread ends; a handle of our own
    // stays valid for waiting.
    HANDLE handle = nullptr;
    const HANDLE process = ::GetCurrentProcess();
    ::DuplicateHandle(process, thread->m_hThread, process, &handle, 0, FALSE, DUPLICATE_SAME_ACCESS);
    m_worker.reset(handle);
    param.release();  // the worker owns it now
    thread->ResumeThread();
    return true;
}

bool CHttpDownloader::GetDownloadedData(const std::string& url, std::vector<char>& bytes)
{
    Lock lock(m_session->m_lock);
    const auto found = m_session->m_requests.find(url);
    if (found == m_session->m_requests.end())
        return false;
    const CDownloadRequest& request = *found->second;
    try {
        std::vector<char> outcome;
        if (request.m_failed) {
            outcome.assign(request.m_errorText.begin(), request.m_errorText.end());
            outcome.push_back('\0');
        } else {
            outcome.assign(request.m_body.GetData(), request.m_body.GetData() + request.m_body.GetLength());
        }
        bytes.swap(outcome);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool CHttpDownloader::GetAnswer(const std::string& url, int& status, HttpHeaderList& headers)
{
    Lock lock(m_session->m_lock);
    const auto found = m_session->m_requests.find(url);
    if (found == m_session->m_requests.end())
        return false;
    try {
        headers = found->second->m_answerHeaders;
    } catch (const std::bad_alloc&) {
        return false;
    }
    status = found->second->m_status;
    return true;
}

std::string CHttpDownloader::GetLastErrorText() const
{
    Lock lock(m_session->m_lock);
    return m_lastError;
}
