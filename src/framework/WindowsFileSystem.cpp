#include "framework/WindowsFileSystem.h"

#include "framework/SystemMessage.h"
#include "framework/Utf8.h"

#include <windows.h>

bool WindowsFileSystem::Exists(const std::string& path) const
{
    return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WindowsFileSystem::Flush(const std::string& path)
{
    HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool flushed = FlushFileBuffers(file) != FALSE;
    CloseHandle(file);
    return flushed;
}

bool WindowsFileSystem::Replace(const std::string& from, const std::string& to)
{
    return MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

FileSystem::MoveResult WindowsFileSystem::Move(const std::string& from, const std::string& to, bool copyAllowed)
{
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (copyAllowed ? MOVEFILE_COPY_ALLOWED : 0);
    if (MoveFileExW(Widen(from).c_str(), Widen(to).c_str(), flags))
        return MoveResult::Moved;
    const DWORD error = GetLastError();
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS ? MoveResult::TargetExists
                                                                        : MoveResult::Failed;
}

bool WindowsFileSystem::CopyNew(const std::string& from, const std::string& to)
{
    return CopyFileW(Widen(from).c_str(), Widen(to).c_str(), TRUE);
}

bool WindowsFileSystem::Remove(const std::string& path)
{
    return DeleteFileW(Widen(path).c_str());
}

bool WindowsFileSystem::SamePath(const std::string& a, const std::string& b) const
{
    return lstrcmpiW(Widen(a).c_str(), Widen(b).c_str()) == 0;
}

std::vector<FileSystem::Facts> WindowsFileSystem::List(const std::string& folder) const
{
    std::vector<Facts> files;
    std::wstring pattern = Widen(folder);
    if (!pattern.empty() && pattern.back() != L'\\')
        pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return files;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        Facts facts;
        facts.name = Narrow(found.cFileName);
        facts.size = (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        facts.modified = (static_cast<unsigned long long>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                         found.ftLastWriteTime.dwLowDateTime;
        files.push_back(std::move(facts));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return files;
}

std::string WindowsFileSystem::LastErrorText() const
{
    const DWORD error = GetLastError();
    std::string result;
    if (!SystemMessageText(error, result))
        result = "Error " + std::to_string(error);
    // The system's texts end in a line break, which would split the sentence.
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r' || result.back() == ' '))
        result.pop_back();
    return result;
}
