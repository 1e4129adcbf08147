#include "weather/CHttpDownloader.h"

#include "framework/CWinThread.h"
#include "framework/ExceptionReport.h"

#include <cstdio>
#include <cstdlib>
#include <new>

namespace
{
using Lock = std::lock_guard<std::mutex>;

const DWORD NoCacheFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_DONT_CACHE;
const DWORD MaxUrlLength = 260;
const DWORD ChunkSize = 511;
const DWORD StopWaitMs = 300000;

// Error texts end up on a one-line status display.
void ReplaceControlCharacters(std::string& text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = ' ';
}

// The system's text for the code, from the module's message table when one is given.
bool AppendMessageText(HMODULE module, DWORD code, std::string& target)
{
    char* message = nullptr;
    const DWORD source = module ? FORMAT_MESSAGE_FROM_HMODULE : FORMAT_MESSAGE_FROM_SYSTEM;
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | source, module, code,
                         MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT), reinterpret_cast<char*>(&message), 0, nullptr);
    if (!message)
        return false;
    std::string text(message, length);
    ::LocalFree(message);
    ReplaceControlCharacters(text);
    target += text;
    return true;
}
} // namespace

CHttpDownloader::CHttpDownloader(const std::string& agent)
{
    m_hRoot = ::InternetOpenA(agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, INTERNET_FLAG_DONT_CACHE);
    if (!m_hRoot)
    {
        m_rootError = ::GetLastError();
        return;
    }
    DWORD backoffMs = 3000;
    ::InternetSetOptionExA(m_hRoot, INTERNET_OPTION_CONNECT_BACKOFF, &backoffMs, sizeof backoffMs, 0);
    DWORD retries = 5;
    ::InternetSetOptionExA(m_hRoot, INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof retries, 0);
}

CHttpDownloader::~CHttpDownloader()
{
    std::unique_ptr<CWinThread> worker;
    {
        Lock lock(m_lock);
        m_stop = true;
        worker = std::move(m_worker);
        // Queued requests are dropped unanswered; their owners are going away too.
        m_queue.clear();
        // Closing the handles of a run in progress makes its blocked WinInet call return.
        for (auto& entry : m_requests)
            entry.second->CloseHandles();
    }
    if (m_hRoot)
        ::InternetCloseHandle(m_hRoot);
    // The worker holds the thread until its last callback has returned, so the
    // owner that the callback works on is still alive while we wait here.
    if (worker && ::WaitForSingleObject(worker->m_hThread, StopWaitMs) == WAIT_TIMEOUT)
        ::SuspendThread(worker->m_hThread);
}

bool CHttpDownloader::StartDownload(const std::string& url, DownloadDoneCallback callback, void* context)
{
    Lock lock(m_lock);
    // Read under the lock: destruction sets it there, and a start that slipped in
    // after that could otherwise begin a worker on a client being destroyed.
    if (m_stop)
        return false;
    try
    {
        std::unique_ptr<CDownloadRequest>& request = m_requests[url];
        if (!request)
            request = std::make_unique<CDownloadRequest>();
        // The credentials are taken now, on the owner's thread, so the worker
        // never reads members that the owner may assign.
        m_queue.push_back(Job{url, callback, context, m_userName, m_password});
    }
    catch (const std::bad_alloc&)
    {
        m_lastError = "Memory Error!";
        return false;
    }
    if (m_running)
        return true;

    // A worker that emptied the queue is at its very end; its thread object can
    // only go once the thread has left it.
    if (m_worker)
    {
        ::WaitForSingleObject(m_worker->m_hThread, INFINITE);
        m_worker.reset();
    }
    CWinThread* thread = nullptr;
    try
    {
        thread = AfxBeginThread(&CHttpDownloader::WorkerEntry, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    }
    catch (const std::bad_alloc&)
    {
    }
    if (!thread)
    {
        m_queue.pop_back();
        m_lastError = "Could not start thread!";
        return false;
    }
    thread->m_bAutoDelete = FALSE;
    m_worker.reset(thread);
    m_running = true;
    thread->ResumeThread();
    return true;
}

bool CHttpDownloader::GetDownloadedData(const std::string& url, std::vector<char>& bytes)
{
    Lock lock(m_lock);
    const auto found = m_requests.find(url);
    if (found == m_requests.end())
        return false;
    const CDownloadRequest& request = *found->second;
    try
    {
        std::vector<char> outcome;
        if (request.m_failed)
        {
            outcome.assign(request.m_errorText.begin(), request.m_errorText.end());
            outcome.push_back('\0');
        }
        else
        {
            outcome.assign(request.m_body.GetData(), request.m_body.GetData() + request.m_body.GetLength());
        }
        bytes.swap(outcome);
    }
    catch (const std::bad_alloc&)
    {
        return false;
    }
    return true;
}

std::string CHttpDownloader::GetLastErrorText() const
{
    Lock lock(m_lock);
    return m_lastError;
}

UINT CHttpDownloader::WorkerEntry(void* self)
{
    return static_cast<CHttpDownloader*>(self)->RunQueue();
}

UINT CHttpDownloader::RunQueue()
{
    UINT exitCode = static_cast<UINT>(-1);
    for (;;)
    {
        Job job;
        CDownloadRequest* request = nullptr;
        {
            Lock lock(m_lock);
            if (m_stop || m_queue.empty())
            {
                m_running = false;
                return exitCode;
            }
            job = std::move(m_queue.front());
            m_queue.pop_front();
            request = m_requests.at(job.url).get();
            request->m_success = FALSE;
            request->m_failed = FALSE;
            request->m_callback = job.callback;
            request->m_context = job.context;
        }

        const bool succeeded = RunExchange(job, *request);
        exitCode = succeeded ? 0 : static_cast<UINT>(-1);
        if (m_stop)
            continue;
        BYTE failed;
        {
            Lock lock(m_lock);
            request->m_success = succeeded;
            request->m_failed = !succeeded;
            failed = request->m_failed;
        }
        if (job.callback && !m_stop)
        {
            try
            {
                job.callback(job.url, failed, job.context);
            }
            catch (...)
            {
                AfxReportCaughtException(__FILE__, __LINE__);
            }
        }
    }
}

bool CHttpDownloader::RunExchange(const Job& job, CDownloadRequest& request)
{
    try
    {
        return Exchange(job, request);
    }
    catch (const std::bad_alloc&)
    {
        Lock lock(m_lock);
        request.m_errorText = "Memory Error!";
    }
    catch (...)
    {
        AfxReportCaughtException(__FILE__, __LINE__);
    }
    return false;
}

bool CHttpDownloader::Exchange(const Job& job, CDownloadRequest& request)
{
    char canonical[MaxUrlLength];
    DWORD canonicalLength = sizeof canonical;
    if (!::InternetCanonicalizeUrlA(job.url.c_str(), canonical, &canonicalLength, ICU_BROWSER_MODE))
        return Fail(request);
    {
        Lock lock(m_lock);
        request.m_body.Rewind();
    }
    if (!m_hRoot)
        return Fail(request, m_rootError);

    // Scheme and port of the URL are not used: the request always goes to port 80.
    URL_COMPONENTSA parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = 1;
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    if (!::InternetCrackUrlA(canonical, 0, 0, &parts))
        return Fail(request);
    const std::string host(parts.lpszHostName ? parts.lpszHostName : "", parts.dwHostNameLength);
    std::string object(parts.lpszUrlPath ? parts.lpszUrlPath : "", parts.dwUrlPathLength);
    if (parts.lpszExtraInfo)
        object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (object.empty())
        object = "/";

    // Whatever way the exchange ends, the handles close, request first.
    struct HandleCloser
    {
        CHttpDownloader& client;
        CDownloadRequest& request;
        ~HandleCloser()
        {
            Lock lock(client.m_lock);
            request.CloseHandles();
        }
    } closer{*this, request};

    HINTERNET connection = ::InternetConnectA(m_hRoot, host.c_str(), INTERNET_DEFAULT_HTTP_PORT, nullptr, nullptr,
                                              INTERNET_SERVICE_HTTP, NoCacheFlags, 0);
    if (!connection)
        return Fail(request);
    if (!Hold(request.m_hConnection, connection))
        return false;

    if (!job.userName.empty())
    {
        if (!::InternetSetOptionExA(connection, INTERNET_OPTION_USERNAME, const_cast<char*>(job.userName.c_str()),
                                    static_cast<DWORD>(job.userName.size()), 0))
            return Fail(request);
        if (!job.password.empty() &&
            !::InternetSetOptionExA(connection, INTERNET_OPTION_PASSWORD, const_cast<char*>(job.password.c_str()),
                                    static_cast<DWORD>(job.password.size()), 0))
            return Fail(request);
    }

    HINTERNET hRequest =
        ::HttpOpenRequestA(connection, "GET", object.c_str(), "HTTP/1.0", nullptr, nullptr, NoCacheFlags, 0);
    if (!hRequest)
        return Fail(request);
    if (!Hold(request.m_hRequest, hRequest))
        return false;

    static const char headers[] = "Accept: text/*, image/*\r\n";
    if (!::HttpSendRequestA(hRequest, headers, sizeof headers - 1, nullptr, 0))
        return Fail(request);

    char status[80] = {};
    DWORD statusLength = sizeof status;
    if (!::HttpQueryInfoA(hRequest, HTTP_QUERY_STATUS_CODE, status, &statusLength, nullptr))
        return Fail(request);
    const int statusCode = std::atoi(status);
    if (statusCode != 200)
    {
        char text[64];
        std::snprintf(text, sizeof text, "HttpQueryInfo returned [%d]", statusCode);
        Lock lock(m_lock);
        request.m_errorText = text;
        return false;
    }
    {
        Lock lock(m_lock);
        request.m_errorText.clear();
    }
    return ReadBody(hRequest, request);
}

bool CHttpDownloader::ReadBody(HINTERNET hRequest, CDownloadRequest& request)
{
    char chunk[ChunkSize + 1] = {};
    DWORD total = 0;
    bool complete = false;
    while (!m_stop)
    {
        DWORD got = 0;
        if (!::InternetReadFile(hRequest, chunk, ChunkSize, &got))
            return Fail(request);
        if (got == 0)
        {
            complete = true;
            break;
        }
        if (m_stop)
            break;
        Lock lock(m_lock);
        request.m_body.Write(chunk, got);
        total += got;
    }
    // A server that closes before the length it announced has not delivered the
    // document, even though the last read reports a clean end.
    DWORD announced = 0;
    DWORD announcedSize = sizeof announced;
    if (complete &&
        ::HttpQueryInfoA(hRequest, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &announced, &announcedSize,
                         nullptr) &&
        total < announced)
        return Fail(request, ERROR_INTERNET_CONNECTION_ABORTED);

    Lock lock(m_lock);
    request.m_body.Write("", 1);
    return true;
}

bool CHttpDownloader::Hold(InternetHandle& slot, HINTERNET handle)
{
    Lock lock(m_lock);
    slot.reset(handle);
    // Destruction closes the handles it finds; one stored after that would not be
    // closed until this run ends, so a stopping run goes no further.
    return !m_stop;
}

bool CHttpDownloader::Fail(CDownloadRequest& request, DWORD code)
{
    if (code == 0)
        code = ::GetLastError();
    std::string text;
    ComposeErrorText(code, text);
    Lock lock(m_lock);
    request.m_errorText.swap(text);
    return false;
}

std::string CHttpDownloader::ComposeErrorText(DWORD code, std::string& target)
{
    if (code == 0)
        code = ::GetLastError();
    target.clear();

    if (code == ERROR_INTERNET_EXTENDED_ERROR)
    {
        DWORD responseError = 0;
        DWORD size = 0;
        ::InternetGetLastResponseInfoA(&responseError, nullptr, &size);
        if (size != 0)
        {
            // One byte more than asked for, in case the size leaves out the zero.
            char* block = static_cast<char*>(::LocalAlloc(LMEM_ZEROINIT, size + 1));
            if (!block)
            {
                target = "Unable to allocate memory to display Internet extended error: ";
                code = ::GetLastError();
            }
            else
            {
                DWORD length = size + 1;
                const bool fetched = ::InternetGetLastResponseInfoA(&responseError, block, &length);
                const DWORD fetchError = ::GetLastError();
                if (fetched)
                {
                    std::string text(block);
                    ::LocalFree(block);
                    ReplaceControlCharacters(text);
                    target = text;
                    return target;
                }
                ::LocalFree(block);
                target = "Unable to get Internet extended error: ";
                code = fetchError;
            }
        }
    }

    HMODULE module = nullptr;
    if (code >= INTERNET_ERROR_BASE)
        module = ::LoadLibraryExA("wininet.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    // WinInet's codes that its own table lacks may still be known to the system.
    const bool found = AppendMessageText(module, code, target) || (module && AppendMessageText(nullptr, code, target));
    if (module)
        ::FreeLibrary(module);
    if (!found)
    {
        char text[32];
        std::snprintf(text, sizeof text, "Error %lu", code);
        target += text;
    }
    return target;
}
