#pragma once

#include <winsock2.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// One request as the server read it.
struct HttpRequestSeen {
    std::string requestLine;           // "GET /path?query HTTP/1.0"
    std::vector<std::string> headers;  // whole lines, without their CR LF

    // The value of the first header of that name (any case), "" when absent.
    std::string Header(const std::string& name) const;
    bool HasHeaderLine(const std::string& line) const;
    std::string Target() const;   // the request line's second word
    std::string Version() const;  // its third word
};

// What the server does with one connection after reading the request.
struct HttpReply {
    std::string bytes;  // sent as they are, then the connection is closed
    bool hang = false;  // after the bytes, keep the connection open until Stop
    std::string drip;   // after the bytes, these one at a time, dripMs apart
    DWORD dripMs = 0;

    // A complete HTTP/1.0 answer with Content-Length; extraHeaders are whole
    // lines, each ending in CR LF.
    static HttpReply Status(int status, const std::string& body, const std::string& extraHeaders = "");
    // Announces more than it sends, then closes.
    static HttpReply Truncated(const std::string& body, size_t announcedLength);
    static HttpReply Raw(const std::string& bytes);
    // Sends the bytes (none: never answers) and holds the connection.
    static HttpReply Hang(const std::string& bytes = "");
    // A 200 whose body comes a byte every everyMs, until it is all sent or Stop.
    static HttpReply Drip(const std::string& body, DWORD everyMs);
};

using HttpHandler = std::function<HttpReply(const HttpRequestSeen&)>;

// Answers every request with the body and status.
HttpHandler ServeBody(const std::string& body, int status = 200);
// Answers 401 with a Basic challenge until the request carries these credentials.
HttpHandler RequireBasicAuth(const std::string& user, const std::string& password, const std::string& body);
std::string Base64(const std::string& bytes);

// An HTTP/1.0 server on 127.0.0.1 (port 80 unless another is given) inside the test process. Each
// connection carries one request and gets one reply from the handler, on a
// thread of its own; every request is recorded.
class HttpTestServer {
public:
    HttpTestServer();
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    // Binds the port, waiting a bounded time while another test process holds it.
    bool Start(HttpHandler handler, unsigned short port = 80);
    void SetHandler(HttpHandler handler);
    // Closes the listening socket: later connections are refused.
    void StopListening();
    // Also ends every open connection, answered or hanging, and joins all threads.
    void Stop();

    std::vector<HttpRequestSeen> Requests() const;
    size_t RequestCount() const;
    // Polls until at least count requests have been read.
    bool WaitForRequests(size_t count, DWORD ms) const;

private:
    void AcceptLoop();
    void Serve(SOCKET client);
    bool ReadRequest(SOCKET client, HttpRequestSeen& request);
    bool Drip(SOCKET client, const HttpReply& reply);

    SOCKET m_listener = INVALID_SOCKET;
    HANDLE m_stopListening = nullptr;  // manual reset
    HANDLE m_stopAll = nullptr;        // manual reset; releases hanging connections
    std::thread m_acceptThread;
    bool m_winsock = false;

    mutable std::mutex m_lock;
    HttpHandler m_handler;
    std::vector<HttpRequestSeen> m_requests;
    std::vector<std::thread> m_connections;
    std::vector<SOCKET> m_openSockets;
};
