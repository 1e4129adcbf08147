#pragma once

#include "net/GrowableBuffer.h"
#include "net/InternetHandle.h"

#include <string>
#include <utility>
#include <vector>

// Header names and values, in the order given.
using HttpHeaderList = std::vector<std::pair<std::string, std::string>>;

// Called on the worker thread when a run has finished; failed is non-zero when
// GetDownloadedData delivers an error text rather than a body.
using DownloadDoneCallback = void (*)(const std::string& url, BYTE failed, void* context);

// The record of one URL inside CHttpDownloader: the outcome of its last run and,
// while a run is in progress, its WinInet handles. The session's lock guards it.
class CDownloadRequest {
public:
    CDownloadRequest() = default;
    CDownloadRequest(const CDownloadRequest&) = delete;
    CDownloadRequest& operator=(const CDownloadRequest&) = delete;

    // Request first: it belongs to the connection.
    void CloseHandles();

    BYTE m_success = FALSE;
    BYTE m_failed = FALSE;
    GrowableBuffer m_body;
    std::string m_errorText;
    int m_status = 0;  // the last answer's status; 0 when none came
    // The answer's caching headers, named in lower case, whatever the status.
    HttpHeaderList m_answerHeaders;
    void* m_context = nullptr;
    InternetHandle m_hRequest;
    InternetHandle m_hConnection;
    DownloadDoneCallback m_callback = nullptr;
};
