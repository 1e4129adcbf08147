#include "shared/Leftovers.h"

#include "framework/Handles.h"
#include "framework/Utf8.h"

#include <windows.h>

#include <cstdio>

namespace {

const char kDataPrefix[] = "Zorla_";
const char kTemporaryExtension[] = ".tmp";
const size_t kUniqueDigits = 8;

bool SameLetters(char a, char b)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(a) == lower(b);
}

bool HasAt(const std::string& name, size_t at, const std::string& part)
{
    if (at > name.size() || name.size() - at < part.size())
        return false;
    for (size_t i = 0; i < part.size(); ++i) {
        if (!SameLetters(name[at + i], part[i]))
            return false;
    }
    return true;
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

std::string WithBackslash(std::string folder)
{
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder;
}

// Deletes the files in folder whose names pass isOurs. The long name is checked
// by hand: Windows matches wildcards against the short names as well, so
// "*.tmp" also finds "Zorla_Notes.tmpx".
template <typename IsOurs>
int RemoveIn(const std::string& folder, IsOurs isOurs)
{
    if (folder.empty())
        return 0;
    const std::string prefix = WithBackslash(folder);
    const std::wstring widePrefix = Widen(prefix);
    WIN32_FIND_DATAW found{};
    FindHandle search(FindFirstFileW((widePrefix + L"*" + Widen(kTemporaryExtension)).c_str(), &found));
    if (!search)
        return 0;
    int removed = 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && isOurs(Narrow(found.cFileName)) &&
            DeleteFileW((widePrefix + found.cFileName).c_str()))
            ++removed;
    } while (FindNextFileW(search.get(), &found));
    return removed;
}

}  // namespace

std::string Leftovers::CreateArchiveTemporary(const std::string& archivePath)
{
    // Like GetTempFileName, but under a name that shows whose file it is.
    // CREATE_NEW makes the name ours; one taken means try the next.
    const DWORD start = GetTickCount() ^ GetCurrentProcessId();
    for (DWORD n = 0; n < 100; ++n) {
        char unique[kUniqueDigits + 1] = "";
        std::snprintf(unique, sizeof unique, "%08lX", static_cast<unsigned long>(start + n));
        const std::string path = archivePath + "." + unique + kTemporaryExtension;
        KernelHandle file(
            CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file)
            return path;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            break;
    }
    return std::string();
}

int Leftovers::Remove(const std::string& dataFolder, const std::string& temporaryFolder, const std::string& archiveName)
{
    int removed = RemoveIn(dataFolder, IsDataTemporary);
    removed += RemoveIn(temporaryFolder,
                        [&archiveName](const std::string& name) { return IsArchiveTemporary(name, archiveName); });
    return removed;
}

// "Zorla_<store>.tmp" where the store's name has no dot: a data file set aside
// ("Zorla_Notes.bad") or anything a user named after one stays.
bool Leftovers::IsDataTemporary(const std::string& name)
{
    const size_t prefix = sizeof kDataPrefix - 1;
    const size_t extension = sizeof kTemporaryExtension - 1;
    if (name.size() <= prefix + extension || !HasAt(name, 0, kDataPrefix) ||
        !HasAt(name, name.size() - extension, kTemporaryExtension))
        return false;
    return name.find('.', prefix) == name.size() - extension;
}

bool Leftovers::IsArchiveTemporary(const std::string& name, const std::string& archiveName)
{
    const size_t unique = archiveName.size() + 1;
    if (archiveName.empty() || name.size() != unique + kUniqueDigits + sizeof kTemporaryExtension - 1 ||
        !HasAt(name, 0, archiveName + ".") || !HasAt(name, unique + kUniqueDigits, kTemporaryExtension))
        return false;
    for (size_t i = unique; i < unique + kUniqueDigits; ++i) {
        if (!IsHexDigit(name[i]))
            return false;
    }
    return true;
}
