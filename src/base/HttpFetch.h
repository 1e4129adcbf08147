#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// HTTP GET on a worker of the platform's. The outcome is handed back on the
// thread that started the fetch (the user-interface thread), later, never from
// inside Send.
class HttpFetch {
public:
    struct Request {
        std::string url;
        std::string user;
        std::string password;
        // Extra request headers, as name and value: "User-Agent",
        // "If-Modified-Since".
        std::vector<std::pair<std::string, std::string>> headers;
    };

    struct Outcome {
        // True unless the status is 200 or 304 (a 304 has no body).
        bool failed = false;
        std::string error;        // what went wrong, in words, when failed
        int status = 0;           // the server's status; 0 when none came
        std::vector<char> bytes;  // the body, as received, when not failed
        // The answer's "Expires", "Last-Modified", "Date" and "Retry-After",
        // named in lower case; absent when the server sent none.
        std::vector<std::pair<std::string, std::string>> headers;

        // The value of a header (name in lower case), or empty.
        std::string Header(const std::string& name) const
        {
            for (const auto& header : headers)
                if (header.first == name)
                    return header.second;
            return std::string();
        }
    };
    using Done = std::function<void(Outcome)>;

    virtual ~HttpFetch() = default;
    // False when the fetch could not be started (done is then never called).
    virtual bool Send(const Request& request, Done done) = 0;
    // Drops every outcome not handed back yet: no done runs after this returns.
    virtual void CancelAll() = 0;

    bool Start(const std::string& url, const std::string& user, const std::string& password, Done done)
    {
        return Send(Request{url, user, password, {}}, std::move(done));
    }
};
