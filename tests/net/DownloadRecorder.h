#pragma once

#include "net/CHttpDownloader.h"

#include <mutex>
#include <string>
#include <vector>

// The agent text both of the program's clients use.
#define TEST_AGENT "User-Agent: Velloran Software/1.0 (" ZORLA_MAKER_HOST ")"

// Collects the completion callbacks of one client. Each callback also fetches
// the outcome, as the program's owners do, on the worker thread.
class DownloadRecorder {
public:
    struct Done {
        std::string url;
        int sequence = 0;  // order of all callbacks of the test process
        BYTE failed = 0;
        void* context = nullptr;
        bool fetched = false;
        std::vector<char> bytes;
        int status = 0;
        HttpHeaderList headers;  // the answer's, as GetAnswer gives them

        std::string Text() const { return bytes.empty() ? std::string() : std::string(bytes.data()); }
    };

    explicit DownloadRecorder(CHttpDownloader& client)
        : m_client(client)
    {}

    // The callback; context must be this recorder.
    static void Callback(const std::string& url, BYTE failed, void* context);

    bool WaitFor(size_t count, DWORD ms = 30000) const;
    std::vector<Done> Calls() const;
    size_t Count() const;

private:
    CHttpDownloader& m_client;
    mutable std::mutex m_lock;
    std::vector<Done> m_calls;
};

// The text of a message table entry with line ends made spaces, "" when none.
std::string MessageTableText(const char* module, DWORD code);
