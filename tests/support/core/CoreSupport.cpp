#include "support/core/CoreSupport.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    std::string pattern = (fs::temp_directory_path() / "zorla-core-XXXXXX").string();
    if (::mkdtemp(pattern.data()))
        m_path = pattern;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    if (!m_path.empty())
        fs::remove_all(m_path, ignored);
}

namespace TestFiles {

std::string Bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Write(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}

bool Exists(const std::string& path)
{
    std::error_code ignored;
    return fs::exists(path, ignored);
}

bool MakeFolder(const std::string& path)
{
    std::error_code ignored;
    return fs::create_directory(path, ignored);
}

bool RemoveFolder(const std::string& path)
{
    std::error_code ignored;
    return fs::remove(path, ignored);
}

}  // namespace TestFiles

std::string Cp1252(const std::string& utf8)
{
    std::string result;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            result += static_cast<char>(c);
        } else if ((c & 0xE0) == 0xC0 && i + 1 < utf8.size()) {
            const unsigned code = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3Fu);
            result += code <= 0xFF ? static_cast<char>(code) : '?';
        } else {
            while (i + 1 < utf8.size() && (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) == 0x80)
                ++i;
            result += '?';
        }
    }
    return result;
}

bool PosixFileSystem::Exists(const std::string& path) const
{
    return ::access(path.c_str(), F_OK) == 0;
}

bool PosixFileSystem::Flush(const std::string& path)
{
    const int file = ::open(path.c_str(), O_WRONLY);
    if (file < 0)
        return false;
    const bool flushed = ::fsync(file) == 0;
    ::close(file);
    return flushed;
}

bool PosixFileSystem::Replace(const std::string& from, const std::string& to)
{
    return ::rename(from.c_str(), to.c_str()) == 0;
}

FileSystem::MoveResult PosixFileSystem::Move(const std::string& from, const std::string& to, bool)
{
    // A hard link fails when the name is taken, which rename would not.
    if (::link(from.c_str(), to.c_str()) != 0)
        return errno == EEXIST ? MoveResult::TargetExists : MoveResult::Failed;
    ::unlink(from.c_str());
    return MoveResult::Moved;
}

bool PosixFileSystem::CopyNew(const std::string& from, const std::string& to)
{
    std::error_code error;
    return fs::copy_file(from, to, fs::copy_options::none, error);
}

bool PosixFileSystem::Remove(const std::string& path)
{
    return ::unlink(path.c_str()) == 0;
}

std::vector<FileSystem::Facts> PosixFileSystem::List(const std::string& folder) const
{
    std::vector<Facts> files;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        if (!entry.is_regular_file(error))
            continue;
        Facts facts;
        facts.name = entry.path().filename().string();
        facts.size = entry.file_size(error);
        facts.modified = static_cast<unsigned long long>(entry.last_write_time(error).time_since_epoch().count());
        files.push_back(std::move(facts));
    }
    return files;
}

std::string PosixFileSystem::LastErrorText() const
{
    return std::strerror(errno);
}

std::string MemorySettings::GetString(const char* section, const char* name, const std::string& fallback) const
{
    const auto found = values.find(std::string(section) + "\\" + name);
    return found == values.end() ? fallback : found->second;
}

int MemorySettings::GetInt(const char* section, const char* name, int fallback) const
{
    const auto found = values.find(std::string(section) + "\\" + name);
    return found == values.end() ? fallback : std::atoi(found->second.c_str());
}

bool MemorySettings::WriteString(const char* section, const char* name, const std::string& value)
{
    values[std::string(section) + "\\" + name] = value;
    return true;
}

bool MemorySettings::WriteInt(const char* section, const char* name, int value)
{
    return WriteString(section, name, std::to_string(value));
}

bool ManualHttp::Send(const Request& request, Done done)
{
    if (refuse)
        return false;
    requests.push_back(request);
    m_waiting.emplace_back(requests.back(), std::move(done));
    return true;
}

bool ManualHttp::Answer(const std::string& body)
{
    Outcome outcome;
    outcome.bytes.assign(body.begin(), body.end());
    outcome.bytes.push_back('\0');
    return Hand(std::move(outcome));
}

bool ManualHttp::Answer(int status, const std::string& body, std::vector<std::pair<std::string, std::string>> headers)
{
    Outcome outcome;
    outcome.status = status;
    outcome.headers = std::move(headers);
    if (status != 200 && status != 304) {
        outcome.failed = true;
        outcome.error = "HttpQueryInfo returned [" + std::to_string(status) + "]";
    } else if (status == 200) {
        outcome.bytes.assign(body.begin(), body.end());
        outcome.bytes.push_back('\0');
    }
    return Hand(std::move(outcome));
}

bool ManualHttp::Fail(const std::string& error)
{
    Outcome outcome;
    outcome.failed = true;
    outcome.error = error;
    return Hand(std::move(outcome));
}

bool ManualHttp::Hand(Outcome outcome)
{
    if (m_waiting.empty())
        return false;
    Done done = std::move(m_waiting.front().second);
    m_waiting.erase(m_waiting.begin());
    done(std::move(outcome));
    return true;
}

PosixFileSystem& Files()
{
    static PosixFileSystem files;
    return files;
}
