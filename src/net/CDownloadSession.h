#pragma once

#include "net/CDownloadRequest.h"
#include "net/InternetHandle.h"

#include <atomic>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>

// What CHttpDownloader shares with its worker thread: the root handle, the
// request records and the queue. The worker holds the session too, so a worker
// stuck in a WinInet call that closing its handles does not end (Wine's
// synchronous calls keep waiting) can finish on its own after the client is gone.
class CDownloadSession {
public:
    struct Job {
        std::string url;
        DownloadDoneCallback callback = nullptr;
        void* context = nullptr;
        std::string userName;
        std::string password;
        HttpHeaderList headers;  // replace the session's of the same name
        DWORD deadlineMs = 0;    // the whole exchange, body included
    };

    CDownloadSession() = default;
    CDownloadSession(const CDownloadSession&) = delete;
    CDownloadSession& operator=(const CDownloadSession&) = delete;

    // The thread entry; param is a heap copy of the session pointer that the
    // worker takes over.
    static UINT WorkerEntry(void* param);

    std::mutex m_lock;  // guards everything below and every record
    std::atomic<bool> m_stop{false};
    bool m_running = false;     // a worker owns the queue
    bool m_inCallback = false;  // the worker is calling its owner back
    std::deque<Job> m_queue;
    std::map<std::string, std::unique_ptr<CDownloadRequest>> m_requests;

    // Opened by the client on its first download, before the first worker
    // starts, and never written after that; the client closes it.
    bool m_rootOpened = false;
    HINTERNET m_hRoot = nullptr;
    DWORD m_rootError = 0;

private:
    UINT RunQueue();
    bool RunExchange(const Job& job, CDownloadRequest& request);
    bool Exchange(const Job& job, CDownloadRequest& request);
    // The steps of an exchange. Each one that fails has set the record's error
    // text, or found the session stopping; the handles go into the record.
    struct Target {
        std::string host;
        std::string object;  // path and query
        INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
        bool secure = false;  // https: WinInet checks the server's certificate
    };
    static bool BreaksHeaderLine(const std::string& text);
    bool SplitUrl(const std::string& url, CDownloadRequest& request, Target& target);
    HINTERNET Connect(const Job& job, CDownloadRequest& request, const Target& target);
    HINTERNET SendRequest(HINTERNET connection, const Target& target, const Job& job, CDownloadRequest& request);
    // A 3xx answer to an https request, and where it sends the request.
    static bool Redirected(HINTERNET hRequest, const Target& target, std::string& location);
    // Records the status and the caching headers of any answer; true for 200 and 304.
    bool CheckStatus(HINTERNET hRequest, CDownloadRequest& request, int& status);
    bool ReadBody(HINTERNET hRequest, CDownloadRequest& request, ULONGLONG deadline);
    bool TooLate(ULONGLONG deadline, CDownloadRequest& request);
    bool Hold(InternetHandle& slot, HINTERNET handle);
    // Sets the record's error text from the code (0: the last error); false.
    bool Fail(CDownloadRequest& request, DWORD code = 0);
    // Sets the record's error text as given; false.
    bool Fail(CDownloadRequest& request, const std::string& text);

public:
    // An answer longer than this is refused: a weather document or a notice
    // is far smaller, and a hostile or broken server could send without end.
    static constexpr DWORD kMaxAnswerBytes = 4u * 1024u * 1024u;
    // Redirects an https request follows at the most.
    static constexpr int kMaxRedirects = 5;
    // The longest a request may take, unless its owner says otherwise: a server
    // that drips its answer byte by byte keeps each read alive but not the whole.
    static constexpr DWORD kDefaultDeadlineMs = 60000;
    static constexpr const char* kTooSlowText = "The server took too long to answer";
};
