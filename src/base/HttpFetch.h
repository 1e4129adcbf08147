#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

// HTTP GET on a worker of the platform's. The outcome is handed back on the
// thread that started the fetch (the user-interface thread), later, never from
// inside Start.
class HttpFetch {
public:
    struct Outcome {
        bool failed = false;
        std::string error;        // the platform's text when failed
        std::vector<char> bytes;  // the body, as received, when not failed
    };
    using Done = std::function<void(Outcome)>;

    virtual ~HttpFetch() = default;
    // False when the fetch could not be started (done is then never called).
    virtual bool Start(const std::string& url, const std::string& user, const std::string& password, Done done) = 0;
    // Drops every outcome not handed back yet: no done runs after this returns.
    virtual void CancelAll() = 0;
};
