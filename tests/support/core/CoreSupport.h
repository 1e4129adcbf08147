#pragma once

// What the native tests of the program's core give it in place of Windows: a
// folder of their own, files on a POSIX system, settings in memory, a clock
// that stands still and an HTTP fetch the test answers itself.
#include "base/Clock.h"
#include "base/FileSystem.h"
#include "base/HttpFetch.h"
#include "base/AppContext.h"
#include "base/Settings.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

// A fresh folder under the system's temporary folder, removed with its content.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

namespace TestFiles {
std::string Bytes(const std::string& path);
bool Write(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);
bool MakeFolder(const std::string& path);
bool RemoveFolder(const std::string& path);
}  // namespace TestFiles

// Test sources are UTF-8; the data files' texts are ISO-8859-1 bytes.
std::string Cp1252(const std::string& utf8);

class PosixFileSystem : public FileSystem {
public:
    bool Exists(const std::string& path) const override;
    bool Flush(const std::string& path) override;
    bool Replace(const std::string& from, const std::string& to) override;
    MoveResult Move(const std::string& from, const std::string& to, bool copyAllowed) override;
    bool CopyNew(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    bool SamePath(const std::string& a, const std::string& b) const override { return a == b; }
    std::vector<Facts> List(const std::string& folder) const override;
    std::string LastErrorText() const override;
};

class MemorySettings : public Settings {
public:
    std::string GetString(const char* section, const char* name, const std::string& fallback) const override;
    int GetInt(const char* section, const char* name, int fallback) const override;
    bool WriteString(const char* section, const char* name, const std::string& value) override;
    bool WriteInt(const char* section, const char* name, int value) override;

    // section\name → value, as written.
    std::map<std::string, std::string> values;
};

// Keeps every fetch started until the test answers it.
class ManualHttp : public HttpFetch {
public:
    bool Send(const Request& request, Done done) override;
    void CancelAll() override { m_waiting.clear(); }

    // Hands the oldest waiting fetch its outcome; false when none waits.
    bool Answer(const std::string& body);
    // As the program's client does: a status other than 200 or 304 fails with
    // the client's text, a 304 has no body; headers named in lower case.
    bool Answer(int status, const std::string& body, std::vector<std::pair<std::string, std::string>> headers);
    bool Fail(const std::string& error);
    bool Waiting() const { return !m_waiting.empty(); }

    std::vector<Request> requests;
    bool refuse = false;  // Start fails

private:
    bool Hand(Outcome outcome);
    std::vector<std::pair<Request, Done>> m_waiting;
};

// The platform of one test: every part its own.
struct CorePlatform {
    PosixFileSystem files;
    FixedClock clock{DateTime(2026, 12, 7, 10, 15, 0)};
    MemorySettings settings;
    ManualHttp http;

    // The data files in folder.
    AppContext Context(const std::string& folder) { return AppContext{folder, {}, files, clock, settings, &http}; }
};

// The file system of tests that need no platform of their own.
PosixFileSystem& Files();
