#include "support/HttpTestServer.h"

#include "support/TestProcess.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

const DWORD BindWaitMs = 60000;
const size_t MaxRequestBytes = 64 * 1024;

bool SameText(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string Word(const std::string& line, int index)
{
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        start = line.find(' ', start);
        if (start == std::string::npos)
            return "";
        ++start;
    }
    return line.substr(start, line.find(' ', start) - start);
}

const char* Reason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 304: return "Not Modified";
    case 401: return "Unauthorized";
    case 404: return "Not Found";
    case 429: return "Too Many Requests";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

bool SendAll(SOCKET socket, const std::string& bytes)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        const int chunk = static_cast<int>(std::min<size_t>(bytes.size() - sent, 64 * 1024));
        const int result = ::send(socket, bytes.data() + sent, chunk, 0);
        if (result <= 0)
            return false;
        sent += static_cast<size_t>(result);
    }
    return true;
}

}  // namespace

std::string HttpRequestSeen::Header(const std::string& name) const
{
    for (const std::string& line : headers) {
        const size_t colon = line.find(':');
        if (colon != std::string::npos && SameText(line.substr(0, colon), name)) {
            const size_t value = line.find_first_not_of(' ', colon + 1);
            return value == std::string::npos ? "" : line.substr(value);
        }
    }
    return "";
}

bool HttpRequestSeen::HasHeaderLine(const std::string& line) const
{
    return std::find(headers.begin(), headers.end(), line) != headers.end();
}

std::string HttpRequestSeen::Target() const
{
    return Word(requestLine, 1);
}
std::string HttpRequestSeen::Version() const
{
    return Word(requestLine, 2);
}

HttpReply HttpReply::Status(int status, const std::string& body, const std::string& extraHeaders)
{
    HttpReply reply;
    reply.bytes = "HTTP/1.0 " + std::to_string(status) + " " + Reason(status) +
                  "\r\nContent-Type: text/xml\r\nContent-Length: " + std::to_string(body.size()) +
                  "\r\nConnection: close\r\n" + extraHeaders + "\r\n" + body;
    return reply;
}

HttpReply HttpReply::Truncated(const std::string& body, size_t announcedLength)
{
    HttpReply reply;
    reply.bytes = "HTTP/1.0 200 OK\r\nContent-Type: text/xml\r\nContent-Length: " + std::to_string(announcedLength) +
                  "\r\nConnection: close\r\n\r\n" + body;
    return reply;
}

HttpReply HttpReply::Raw(const std::string& bytes)
{
    HttpReply reply;
    reply.bytes = bytes;
    return reply;
}

HttpReply HttpReply::Hang(const std::string& bytes)
{
    HttpReply reply;
    reply.bytes = bytes;
    reply.hang = true;
    return reply;
}

HttpReply HttpReply::Drip(const std::string& body, DWORD everyMs)
{
    HttpReply reply;
    reply.bytes = "HTTP/1.0 200 OK\r\nContent-Type: text/xml\r\nContent-Length: " + std::to_string(body.size()) +
                  "\r\nConnection: close\r\n\r\n";
    reply.drip = body;
    reply.dripMs = everyMs;
    return reply;
}

HttpHandler ServeBody(const std::string& body, int status)
{
    return [body, status](const HttpRequestSeen&) { return HttpReply::Status(status, body); };
}

HttpHandler RequireBasicAuth(const std::string& user, const std::string& password, const std::string& body)
{
    const std::string expected = "Basic " + Base64(user + ":" + password);
    const std::string challenge = "WWW-Authenticate: Basic realm=\"Zorla weather\"\r\n";
    return [expected, challenge, body](const HttpRequestSeen& request) {
        if (request.Header("Authorization") == expected)
            return HttpReply::Status(200, body);
        return HttpReply::Status(401, "denied", challenge);
    };
}

std::string Base64(const std::string& bytes)
{
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const unsigned v = (static_cast<unsigned char>(bytes[i]) << 16) |
                           (static_cast<unsigned char>(bytes[i + 1]) << 8) | static_cast<unsigned char>(bytes[i + 2]);
        out += digits[v >> 18];
        out += digits[(v >> 12) & 63];
        out += digits[(v >> 6) & 63];
        out += digits[v & 63];
    }
    if (i < bytes.size()) {
        const bool two = i + 1 < bytes.size();
        const unsigned v =
            (static_cast<unsigned char>(bytes[i]) << 16) | (two ? static_cast<unsigned char>(bytes[i + 1]) << 8 : 0);
        out += digits[v >> 18];
        out += digits[(v >> 12) & 63];
        out += two ? digits[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

HttpTestServer::HttpTestServer()
{
    WSADATA data;
    m_winsock = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
    m_stopListening = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_stopAll = CreateEventA(nullptr, TRUE, FALSE, nullptr);
}

HttpTestServer::~HttpTestServer()
{
    Stop();
    CloseHandle(m_stopListening);
    CloseHandle(m_stopAll);
    if (m_winsock)
        ::WSACleanup();
}

bool HttpTestServer::Start(HttpHandler handler, unsigned short port)
{
    SetHandler(std::move(handler));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = ::htons(port);
    address.sin_addr.S_un.S_un_b = {127, 0, 0, 1};
    // Port 80 is shared by every test process on the machine: wait while another
    // one holds it. Reusing the address lets us bind beside the closed
    // connections of an earlier test that linger in TIME_WAIT.
    const bool bound = WaitUntil(
        [&] {
            m_listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
            BOOL reuse = TRUE;
            ::setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
            if (::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                ::listen(m_listener, SOMAXCONN) == 0)
                return true;
            ::closesocket(m_listener);
            m_listener = INVALID_SOCKET;
            return false;
        },
        BindWaitMs);
    if (!bound)
        return false;
    m_acceptThread = std::thread([this] { AcceptLoop(); });
    return true;
}

void HttpTestServer::SetHandler(HttpHandler handler)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_handler = std::move(handler);
}

void HttpTestServer::AcceptLoop()
{
    HANDLE acceptReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ::WSAEventSelect(m_listener, acceptReady, FD_ACCEPT);
    const HANDLE events[] = {m_stopListening, acceptReady};
    while (WaitForMultipleObjects(2, events, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        ResetEvent(acceptReady);
        for (;;) {
            SOCKET client = ::accept(m_listener, nullptr, nullptr);
            if (client == INVALID_SOCKET)
                break;
            // An accepted socket inherits the listener's event selection and
            // non-blocking mode; the connection threads want plain blocking calls.
            ::WSAEventSelect(client, nullptr, 0);
            u_long blocking = 0;
            ::ioctlsocket(client, FIONBIO, &blocking);
            std::lock_guard<std::mutex> lock(m_lock);
            m_openSockets.push_back(client);
            m_connections.emplace_back([this, client] { Serve(client); });
        }
    }
    CloseHandle(acceptReady);
}

bool HttpTestServer::ReadRequest(SOCKET client, HttpRequestSeen& request)
{
    std::string bytes;
    char buffer[4096];
    size_t end;
    while ((end = bytes.find("\r\n\r\n")) == std::string::npos) {
        const int got = ::recv(client, buffer, sizeof buffer, 0);
        if (got <= 0 || bytes.size() > MaxRequestBytes)
            return false;
        bytes.append(buffer, static_cast<size_t>(got));
    }
    size_t start = 0;
    bool first = true;
    while (start < end) {
        const size_t lineEnd = bytes.find("\r\n", start);
        const std::string line = bytes.substr(start, lineEnd - start);
        if (first)
            request.requestLine = line;
        else
            request.headers.push_back(line);
        first = false;
        start = lineEnd + 2;
    }
    return true;
}

void HttpTestServer::Serve(SOCKET client)
{
    HttpRequestSeen request;
    if (ReadRequest(client, request)) {
        HttpHandler handler;
        {
            std::lock_guard<std::mutex> lock(m_lock);
            m_requests.push_back(request);
            handler = m_handler;
        }
        const HttpReply reply = handler ? handler(request) : HttpReply::Status(500, "no handler");
        if (reply.hang)
            WaitForSingleObject(m_stopAll, INFINITE);
        else if (SendAll(client, reply.bytes) && Drip(client, reply))
            ::shutdown(client, SD_SEND);
    }
    std::lock_guard<std::mutex> lock(m_lock);
    m_openSockets.erase(std::find(m_openSockets.begin(), m_openSockets.end(), client));
    ::closesocket(client);
}

bool HttpTestServer::Drip(SOCKET client, const HttpReply& reply)
{
    for (char byte : reply.drip)
        if (WaitForSingleObject(m_stopAll, reply.dripMs) != WAIT_TIMEOUT || !SendAll(client, std::string(1, byte)))
            return false;
    return true;
}

void HttpTestServer::StopListening()
{
    SetEvent(m_stopListening);
    if (m_acceptThread.joinable())
        m_acceptThread.join();
    if (m_listener != INVALID_SOCKET) {
        ::closesocket(m_listener);
        m_listener = INVALID_SOCKET;
    }
}

void HttpTestServer::Stop()
{
    StopListening();
    SetEvent(m_stopAll);
    std::vector<std::thread> connections;
    {
        std::lock_guard<std::mutex> lock(m_lock);
        // Wakes a connection thread still waiting for a request that never comes.
        for (SOCKET socket : m_openSockets)
            ::shutdown(socket, SD_BOTH);
        connections.swap(m_connections);
    }
    for (std::thread& connection : connections)
        connection.join();
}

std::vector<HttpRequestSeen> HttpTestServer::Requests() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_requests;
}

size_t HttpTestServer::RequestCount() const
{
    std::lock_guard<std::mutex> lock(m_lock);
    return m_requests.size();
}

bool HttpTestServer::WaitForRequests(size_t count, DWORD ms) const
{
    return WaitUntil([&] { return RequestCount() >= count; }, ms);
}
