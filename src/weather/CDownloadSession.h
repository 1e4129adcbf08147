#pragma once

#include "weather/CDownloadRequest.h"
#include "weather/InternetHandle.h"

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
class CDownloadSession
{
public:
    struct Job
    {
        std::string url;
        DownloadDoneCallback callback = nullptr;
        void* context = nullptr;
        std::string userName;
        std::string password;
    };

    CDownloadSession(HINTERNET hRoot, DWORD rootError) : m_hRoot(hRoot), m_rootError(rootError) {}
    CDownloadSession(const CDownloadSession&) = delete;
    CDownloadSession& operator=(const CDownloadSession&) = delete;

    // The thread entry; param is a heap copy of the session pointer that the
    // worker takes over.
    static UINT WorkerEntry(void* param);

    std::mutex m_lock; // guards everything below and every record
    std::atomic<bool> m_stop{false};
    bool m_running = false;    // a worker owns the queue
    bool m_inCallback = false; // the worker is calling its owner back
    std::deque<Job> m_queue;
    std::map<std::string, std::unique_ptr<CDownloadRequest>> m_requests;

    // Never written after construction; the client closes it.
    const HINTERNET m_hRoot;
    const DWORD m_rootError;

private:
    UINT RunQueue();
    bool RunExchange(const Job& job, CDownloadRequest& request);
    bool Exchange(const Job& job, CDownloadRequest& request);
    bool ReadBody(HINTERNET hRequest, CDownloadRequest& request);
    bool Hold(InternetHandle& slot, HINTERNET handle);
    // Sets the record's error text from the code (0: the last error); false.
    bool Fail(CDownloadRequest& request, DWORD code = 0);
};
