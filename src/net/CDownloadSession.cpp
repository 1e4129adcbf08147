#include "net/CDownloadSession.h"

#include "framework/ExceptionReport.h"
#include "net/HttpErrorText.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <new>

namespace {
using Lock = std::lock_guard<std::mutex>;

// WinInet neither answers from its cache nor adds conditions of its own: the
// callers send theirs. No Pragma: no-cache, which would keep proxies from answering.
const DWORD NoCacheFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
const DWORD MaxUrlLength = 260;
const DWORD ChunkSize = 511;
const size_t MaxErrorLength = 511;
const DWORD MaxHeaderValue = 255;
// What callers of the client read of an answer: when it may be fetched again,
// and how long to wait after a refusal.
const char* const KeptAnswerHeaders[] = {"expires", "last-modified", "date", "retry-after"};
}  // namespace

UINT CDownloadSession::WorkerEntry(void* param)
{
    const std::unique_ptr<std::shared_ptr<CDownloadSession>> session(
        static_cast<std::shared_ptr<CDownloadSession>*>(param));
    return (*session)->RunQueue();
}

UINT CDownloadSession::RunQueue()
{
    UINT exitCode = static_cast<UINT>(-1);
    for (;;) {
        Job job;
        CDownloadRequest* request = nullptr;
        {
            Lock lock(m_lock);
            if (m_stop || m_queue.empty()) {
                m_running = false;
                return exitCode;
            }
            job = std::move(m_queue.front());
            m_queue.pop_front();
            request = m_requests.at(job.url).get();
            request->m_success = FALSE;
            request->m_failed = FALSE;
            request->m_status = 0;
            request->m_answerHeaders.clear();
            request->m_callback = job.callback;
            request->m_context = job.context;
        }

        const bool succeeded = RunExchange(job, *request);
        exitCode = succeeded ? 0 : static_cast<UINT>(-1);
        BYTE failed;
        {
            Lock lock(m_lock);
            if (m_stop)
                continue;
            request->m_success = succeeded;
            request->m_failed = !succeeded;
            failed = request->m_failed;
            // Destruction waits for a callback it finds running, and makes sure
            // none starts after it has looked.
            m_inCallback = job.callback != nullptr;
        }
        if (!job.callback)
            continue;
        try {
            job.callback(job.url, failed, job.context);
        } catch (...) {
            AfxReportCaughtException(__FILE__, __LINE__);
        }
        Lock lock(m_lock);
        m_inCallback = false;
    }
}

bool CDownloadSession::RunExchange(const Job& job, CDownloadRequest& request)
{
    try {
        return Exchange(job, request);
    } catch (const std::bad_alloc&) {
        Lock lock(m_lock);
        request.m_errorText = "Memory Error!";
    } catch (...) {
        AfxReportCaughtException(__FILE__, __LINE__);
    }
    return false;
}

// An https request follows its redirects here, to https only: WinInet under Wine
// would follow one down to http, where the request and its answer travel in the
// clear.
bool CDownloadSession::Exchange(const Job& job, CDownloadRequest& request)
{
    const ULONGLONG deadline = ::GetTickCount64() + job.deadlineMs;
    // A line break would end the header and start another of the caller's
    // choosing: such a request is not sent at all.
    for (const auto& header : job.headers)
        if (header.first.empty() || header.first.find(':') != std::string::npos || BreaksHeaderLine(header.first) ||
            BreaksHeaderLine(header.second))
            return Fail(request,
                        "A request header has no name, or a line break or zero byte in it: the request is not sent");

    std::string url = job.url;
    bool redirected = false;
    for (int hop = 0;; ++hop) {
        Target target;
        if (!SplitUrl(url, request, target))
            return false;
        if (redirected && !target.secure)
            return Fail(request, "The server sends the request on to " + url + ", without https: refused");

        // Whatever way the exchange ends, the handles close, request first.
        struct HandleCloser {
            CDownloadSession& session;
            CDownloadRequest& request;
            ~HandleCloser()
            {
                Lock lock(session.m_lock);
                request.CloseHandles();
            }
        } closer{*this, request};

        const HINTERNET connection = Connect(job, request, target);
        if (!connection)
            return false;
        const HINTERNET hRequest = SendRequest(connection, target, job, request);
        if (!hRequest || TooLate(deadline, request))
            return false;
        if (target.secure && Redirected(hRequest, target, url)) {
            if (hop >= kMaxRedirects)
                return Fail(request, "The server sends the request on too often");
            redirected = true;
            continue;
        }
        int status = 0;
        if (!CheckStatus(hRequest, request, status))
            return false;
        if (status == 304) {
            // Not modified: the caller keeps what it has; there is no body.
            Lock lock(m_lock);
            request.m_body.Write("", 1);
            return true;
        }
        return ReadBody(hRequest, request, deadline);
    }
}

bool CDownloadSession::BreaksHeaderLine(const std::string& text)
{
    // A zero byte would cut it short in WinInet's hands.
    return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

bool CDownloadSession::Redirected(HINTERNET hRequest, const Target& target, std::string& location)
{
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!::HttpQueryInfoA(hRequest, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        return false;
    if (status != 301 && status != 302 && status != 303 && status != 307 && status != 308)
        return false;
    char text[MaxUrlLength] = {};
    size = sizeof text - 1;
    if (!::HttpQueryInfoA(hRequest, HTTP_QUERY_LOCATION, text, &size, nullptr))
        return false;
    location.assign(text, size);
    // A path alone stays with the server that sent it.
    if (!location.empty() && location[0] == '/')
        location = "https://" + target.host + ":" + std::to_string(target.port) + location;
    return true;
}

bool CDownloadSession::SplitUrl(const std::string& url, CDownloadRequest& request, Target& target)
{
    char canonical[MaxUrlLength];
    DWORD canonicalLength = sizeof canonical;
    if (!::InternetCanonicalizeUrlA(url.c_str(), canonical, &canonicalLength, ICU_BROWSER_MODE))
        return Fail(request);
    {
        Lock lock(m_lock);
        request.m_body.Rewind();
    }
    if (!m_hRoot)
        return Fail(request, m_rootError);

    // The URL's scheme and port are the request's: https on its port (443 unless
    // another is given) with WinInet's certificate checks, which are never
    // turned off, and no redirect from it to http (WinInet refuses those unless
    // told otherwise).
    URL_COMPONENTSA parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = 1;
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    if (!::InternetCrackUrlA(canonical, 0, 0, &parts))
        return Fail(request);
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)
        return Fail(request, ERROR_INTERNET_UNRECOGNIZED_SCHEME);
    target.secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    target.port = parts.nPort;
    target.host.assign(parts.lpszHostName ? parts.lpszHostName : "", parts.dwHostNameLength);
    target.object.assign(parts.lpszUrlPath ? parts.lpszUrlPath : "", parts.dwUrlPathLength);
    if (parts.lpszExtraInfo)
        target.object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (target.object.empty())
        target.object = "/";
    return true;
}

HINTERNET CDownloadSession::Connect(const Job& job, CDownloadRequest& request, const Target& target)
{
    HINTERNET connection = ::InternetConnectA(m_hRoot, target.host.c_str(), target.port, nullptr, nullptr,
                                              INTERNET_SERVICE_HTTP, NoCacheFlags, 0);
    if (!connection) {
        Fail(request);
        return nullptr;
    }
    if (!Hold(request.m_hConnection, connection))
        return nullptr;

    if (!job.userName.empty()) {
        if (!::InternetSetOptionExA(connection, INTERNET_OPTION_USERNAME, const_cast<char*>(job.userName.c_str()),
                                    static_cast<DWORD>(job.userName.size()), 0) ||
            (!job.password.empty() &&
             !::InternetSetOptionExA(connection, INTERNET_OPTION_PASSWORD, const_cast<char*>(job.password.c_str()),
                                     static_cast<DWORD>(job.password.size()), 0))) {
            Fail(request);
            return nullptr;
        }
    }
    return connection;
}

HINTERNET CDownloadSession::SendRequest(HINTERNET connection, const Target& target, const Job& job,
                                        CDownloadRequest& request)
{
    const DWORD flags = NoCacheFlags | (target.secure ? INTERNET_FLAG_SECURE | INTERNET_FLAG_NO_AUTO_REDIRECT : 0);
    HINTERNET hRequest =
        ::HttpOpenRequestA(connection, "GET", target.object.c_str(), "HTTP/1.0", nullptr, nullptr, flags, 0);
    if (!hRequest) {
        Fail(request);
        return nullptr;
    }
    if (!Hold(request.m_hRequest, hRequest))
        return nullptr;

    // The caller's headers replace ours of the same name, the session's
    // User-Agent among them.
    static const char accept[] = "Accept: text/*, image/*\r\n";
    if (!::HttpAddRequestHeadersA(hRequest, accept, sizeof accept - 1, HTTP_ADDREQ_FLAG_ADD)) {
        Fail(request);
        return nullptr;
    }
    for (const auto& header : job.headers) {
        const std::string line = header.first + ": " + header.second + "\r\n";
        if (!::HttpAddRequestHeadersA(hRequest, line.c_str(), static_cast<DWORD>(line.size()),
                                      HTTP_ADDREQ_FLAG_ADD | HTTP_ADDREQ_FLAG_REPLACE)) {
            Fail(request);
            return nullptr;
        }
    }
    if (!::HttpSendRequestA(hRequest, nullptr, 0, nullptr, 0)) {
        Fail(request);
        return nullptr;
    }
    // Destruction may have closed the handles while the call waited.
    return m_stop ? nullptr : hRequest;
}

bool CDownloadSession::CheckStatus(HINTERNET hRequest, CDownloadRequest& request, int& statusCode)
{
    char status[80] = {};
    DWORD statusLength = sizeof status;
    if (!::HttpQueryInfoA(hRequest, HTTP_QUERY_STATUS_CODE, status, &statusLength, nullptr))
        return Fail(request);
    statusCode = std::atoi(status);

    HttpHeaderList kept;
    for (const char* name : KeptAnswerHeaders) {
        char value[MaxHeaderValue + 1] = {};
        std::snprintf(value, sizeof value, "%s", name);
        DWORD size = MaxHeaderValue;
        if (::HttpQueryInfoA(hRequest, HTTP_QUERY_CUSTOM, value, &size, nullptr))
            kept.emplace_back(name, std::string(value, std::min(size, MaxHeaderValue)));
    }

    Lock lock(m_lock);
    request.m_status = statusCode;
    request.m_answerHeaders.swap(kept);
    if (statusCode != 200 && statusCode != 304) {
        char text[64];
        std::snprintf(text, sizeof text, "HttpQueryInfo returned [%d]", statusCode);
        request.m_errorText = text;
        return false;
    }
    request.m_errorText.clear();
    return true;
}

bool CDownloadSession::ReadBody(HINTERNET hRequest, CDownloadRequest& request, ULONGLONG deadline)
{
    char chunk[ChunkSize + 1] = {};
    DWORD total = 0;
    bool complete = false;
    while (!m_stop) {
        // Reading no more than has arrived returns at once, so a server that
        // drips its answer meets the deadline here; each wait for more is
        // bounded by the receive timeout.
        DWORD available = 0;
        if (!::InternetQueryDataAvailable(hRequest, &available, 0, 0))
            return Fail(request);
        if (TooLate(deadline, request))
            return false;
        DWORD got = 0;
        if (!::InternetReadFile(hRequest, chunk, available ? std::min(available, ChunkSize) : ChunkSize, &got))
            return Fail(request);
        if (got == 0) {
            complete = true;
            break;
        }
        if (m_stop)
            break;
        if (total + got > kMaxAnswerBytes)
            return Fail(request,
                        "The answer is larger than " + std::to_string(kMaxAnswerBytes / (1024 * 1024)) + " MB");
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

bool CDownloadSession::TooLate(ULONGLONG deadline, CDownloadRequest& request)
{
    if (::GetTickCount64() < deadline)
        return false;
    Fail(request, kTooSlowText);
    return true;
}

bool CDownloadSession::Hold(InternetHandle& slot, HINTERNET handle)
{
    Lock lock(m_lock);
    slot.reset(handle);
    // Destruction closes the handles it finds; one stored after that would stay
    // open until this run ends, so a stopping run goes no further.
    return !m_stop;
}

bool CDownloadSession::Fail(CDownloadRequest& request, const std::string& text)
{
    Lock lock(m_lock);
    request.m_errorText = text;
    return false;
}

bool CDownloadSession::Fail(CDownloadRequest& request, DWORD code)
{
    if (code == 0)
        code = ::GetLastError();
    std::string text;
    ComposeHttpErrorText(code, text);
    if (text.size() > MaxErrorLength)
        text.resize(MaxErrorLength);
    Lock lock(m_lock);
    request.m_errorText.swap(text);
    return false;
}
