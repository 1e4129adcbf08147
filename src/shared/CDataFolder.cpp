#include "shared/CDataFolder.h"

#include "framework/AfxFunctions.h"
#include "framework/ProgramPath.h"
#include "framework/Utf8.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

namespace {

std::string WithBackslash(std::string folder)
{
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder;
}

bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Creates every missing level of folder.
bool CreateFolders(const std::string& folder)
{
    if (folder.empty())
        return false;
    if (IsFolder(folder))
        return true;
    const std::size_t slash = folder.find_last_of('\\');
    if (slash != std::string::npos && slash > 0 && folder[slash - 1] != ':')
        CreateFolders(folder.substr(0, slash));
    return CreateDirectoryW(Widen(folder).c_str(), nullptr) || IsFolder(folder);
}

}  // namespace

namespace {
std::string g_folderForTest;
}

const std::string& CDataFolder::Get()
{
    if (!g_folderForTest.empty())
        return g_folderForTest;
    // The user folder is looked up only when the program folder takes no files:
    // asking the shell for it costs the start-up a library.
    static const std::string folder =
        CanCreateFileIn(ProgramFolder()) ? WithBackslash(ProgramFolder()) : Choose(ProgramFolder(), UserFolder());
    return folder;
}

void CDataFolder::SetForTest(const std::string& folder)
{
    g_folderForTest = folder.empty() ? std::string() : WithBackslash(folder);
}

bool CDataFolder::IsSetForTest()
{
    return !g_folderForTest.empty();
}

std::string CDataFolder::Choose(const std::string& programFolder, const std::string& userFolder)
{
    if (CanCreateFileIn(programFolder))
        return WithBackslash(programFolder);
    if (CreateFolders(userFolder) && CanCreateFileIn(userFolder))
        return WithBackslash(userFolder);
    return TemporaryFolder();
}

bool CDataFolder::CanCreateFileIn(const std::string& folder)
{
    if (folder.empty())
        return false;
    // GetTempFileName writes up to MAX_PATH characters and takes no longer
    // folder; it creates a file of a unique name, so nobody else's file is touched.
    wchar_t probe[MAX_PATH] = L"";
    if (GetTempFileNameW(Widen(folder).c_str(), L"zpr", 0, probe) == 0)
        return false;
    DeleteFileW(probe);
    return true;
}

std::string CDataFolder::ProgramFolder()
{
    return ::ProgramFolder();
}

std::string CDataFolder::UserFolder()
{
    // SHGetFolderPath fills at most MAX_PATH characters and fails rather than
    // cut the path.
    wchar_t appData[MAX_PATH] = L"";
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, appData)))
        return std::string();
    std::string name = AfxGetAppName();
    if (name.empty())
        name = AfxGetModuleBaseName();
    return WithBackslash(Narrow(appData)) + "Velloran Software\\" + name;
}

std::string CDataFolder::TemporaryFolder()
{
    // Asked for its length first: the folder may be longer than MAX_PATH.
    const DWORD needed = GetTempPathW(0, nullptr);
    if (needed == 0)
        return std::string();
    std::vector<wchar_t> folder(needed + 1);
    const DWORD length = GetTempPathW(static_cast<DWORD>(folder.size()), folder.data());
    if (length == 0 || length >= folder.size())
        return std::string();
    return WithBackslash(Narrow(std::wstring_view(folder.data(), length)));
}
