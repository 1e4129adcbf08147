#pragma once

#include "framework/Handles.h"
#include "net/CDownloadRequest.h"

#include <memory>
#include <string>
#include <vector>

class CDownloadSession;

// Fetches documents by HTTP GET on a worker thread and reports each outcome
// through a completion callback on that thread. Requests started while one runs
// wait in line and run one after the other on the same worker, each exactly once.
// Destruction drops the waiting ones, makes no further callback and waits only
// for a callback already running; it may happen inside that callback.
class CHttpDownloader {
public:
    // The agent text goes to InternetOpenA unchanged and becomes the value of the
    // User-Agent header.
    explicit CHttpDownloader(const std::string& agent);
    ~CHttpDownloader();

    CHttpDownloader(const CHttpDownloader&) = delete;
    CHttpDownloader& operator=(const CHttpDownloader&) = delete;

    // True when the request was taken on: started now, or queued behind the one
    // that runs. The callback may be null.
    bool StartDownload(const std::string& url, DownloadDoneCallback callback, void* context);
    // The same with request headers; a "User-Agent" among them replaces the
    // agent text for this request. A name or value with a line break or zero byte fails the
    // request without sending it.
    bool StartDownload(const std::string& url, const HttpHeaderList& headers, DownloadDoneCallback callback,
                       void* context);

    // The outcome of the last finished run for the URL: the body with its zero
    // byte (and any longer earlier body's tail behind it), or the error text with
    // a zero byte. False, with bytes untouched, when the URL was never started.
    bool GetDownloadedData(const std::string& url, std::vector<char>& bytes);

    // The status of the last finished run's answer (0 when none came) and its
    // "expires", "last-modified", "date" and "retry-after" headers, named in
    // lower case, failed or not. False when the URL was never started.
    bool GetAnswer(const std::string& url, int& status, HttpHeaderList& headers);

    std::string GetLastErrorText() const;

    // Assigned by the owner before the first start; applied to every connection
    // when not empty.
    std::string m_userName;
    std::string m_password;
    // The longest one request may take, answer included; taken at each start.
    DWORD m_deadlineMs;

private:
    bool StartWorker();

    void OpenRoot(CDownloadSession& session) const;

    std::string m_agent;
    std::shared_ptr<CDownloadSession> m_session;
    KernelHandle m_worker;    // the latest worker thread, for destruction to wait on
    std::string m_lastError;  // guarded by the session's lock
};
