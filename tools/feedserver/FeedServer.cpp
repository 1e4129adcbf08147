// A stand-in weather server for demonstrations: answers every GET on
// 127.0.0.1 (port 80 unless told otherwise) with one file as an XML document.
// Like the real server it asks for Basic authentication first and then accepts
// whatever credentials come. The file is read again for every request, so it
// can be edited while the server runs.
//
//   FeedServer.exe <file> [port]
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

namespace {

const size_t MAX_REQUEST_BYTES = 16384;
const DWORD RECEIVE_TIMEOUT_MS = 5000;

// Closes the socket when it goes out of scope.
class Socket {
public:
    explicit Socket(SOCKET s)
        : m_s(s)
    {}
    ~Socket()
    {
        if (m_s != INVALID_SOCKET)
            closesocket(m_s);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    SOCKET get() const { return m_s; }

private:
    SOCKET m_s;
};

bool ReadFile(const std::string& path, std::string& content)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

// The request line and headers, up to the empty line; false when the client
// sent too much, too little or nothing in time.
bool ReadRequest(SOCKET client, std::string& request)
{
    char chunk[1024];
    while (request.find("\r\n\r\n") == std::string::npos) {
        if (request.size() > MAX_REQUEST_BYTES)
            return false;
        const int got = recv(client, chunk, sizeof chunk, 0);
        if (got <= 0)
            return false;
        request.append(chunk, static_cast<size_t>(got));
    }
    return true;
}

// The value of a header, matched without regard to case; empty when absent.
std::string Header(const std::string& request, const std::string& name)
{
    size_t line = request.find("\r\n");
    while (line != std::string::npos && line + 2 < request.size()) {
        const size_t start = line + 2;
        const size_t end = request.find("\r\n", start);
        const std::string text = request.substr(start, end - start);
        if (text.size() > name.size() && text[name.size()] == ':' &&
            CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, text.c_str(), static_cast<int>(name.size()), name.c_str(),
                           static_cast<int>(name.size())) == CSTR_EQUAL) {
            const size_t value = text.find_first_not_of(' ', name.size() + 1);
            return value == std::string::npos ? std::string() : text.substr(value);
        }
        line = end;
    }
    return std::string();
}

std::string Decode64(const std::string& text)
{
    static const std::string digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    unsigned bits = 0;
    int count = 0;
    for (char c : text) {
        const size_t digit = digits.find(c);
        if (digit == std::string::npos)
            break;
        bits = (bits << 6) | static_cast<unsigned>(digit);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return out;
}

void SendAll(SOCKET client, const std::string& bytes)
{
    size_t sent = 0;
    while (sent < bytes.size()) {
        const int n = send(client, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
        if (n <= 0)
            return;
        sent += static_cast<size_t>(n);
    }
}

std::string Reply(const char* status, const std::string& extraHeaders, const std::string& type, const std::string& body)
{
    return std::string("HTTP/1.0 ") + status + "\r\nServer: Zorla FeedServer\r\nContent-Type: " + type +
           "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" + extraHeaders + "Connection: close\r\n\r\n" +
           body;
}

void Serve(SOCKET client, const std::string& path)
{
    DWORD timeout = RECEIVE_TIMEOUT_MS;
    setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    std::string request;
    if (!ReadRequest(client, request))
        return;
    const std::string line = request.substr(0, request.find("\r\n"));
    std::string answer;
    std::string note;
    const std::string authorization = Header(request, "Authorization");
    if (line.compare(0, 4, "GET ") != 0) {
        answer = Reply("405 Method Not Allowed", "Allow: GET\r\n", "text/plain", "GET only\n");
        note = "405";
    } else if (authorization.compare(0, 6, "Basic ") != 0) {
        answer = Reply("401 Unauthorized", "WWW-Authenticate: Basic realm=\"Zorla weather\"\r\n", "text/plain",
                       "credentials required\n");
        note = "401 (asked for credentials)";
    } else {
        std::string body;
        if (ReadFile(path, body)) {
            answer = Reply("200 OK", "", "text/xml; charset=ISO-8859-1", body);
            const std::string credentials = Decode64(authorization.substr(6));
            note = "200, " + std::to_string(body.size()) + " bytes, user \"" +
                   credentials.substr(0, credentials.find(':')) + "\"";
        } else {
            answer = Reply("500 Internal Server Error", "", "text/plain", "cannot read the feed file\n");
            note = "500 (cannot read " + path + ")";
        }
    }
    SendAll(client, answer);
    shutdown(client, SD_SEND);
    std::printf("%s -> %s\n", line.c_str(), note.c_str());
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: FeedServer <file> [port]\n");
        return 2;
    }
    const std::string path = argv[1];
    const int port = argc == 3 ? std::atoi(argv[2]) : 80;
    std::string probe;
    if (!ReadFile(path, probe)) {
        std::fprintf(stderr, "FeedServer: cannot read %s\n", path.c_str());
        return 1;
    }

    WSADATA wsa;
    if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0)
        return 1;
    Socket listener(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (listener.get() == INVALID_SOCKET ||
        bind(listener.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener.get(), SOMAXCONN) != 0) {
        std::fprintf(stderr, "FeedServer: cannot listen on 127.0.0.1:%d (error %d)\n", port, WSAGetLastError());
        WSACleanup();
        return 1;
    }
    std::printf("FeedServer: serving %s on http://127.0.0.1:%d/\n", path.c_str(), port);
    std::fflush(stdout);
    for (;;) {
        Socket client(accept(listener.get(), nullptr, nullptr));
        if (client.get() == INVALID_SOCKET)
            break;
        Serve(client.get(), path);
    }
    WSACleanup();
    return 0;
}
