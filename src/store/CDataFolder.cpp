#include "store/CDataFolder.h"

#include "framework/AfxFunctions.h"
#include "framework/CWinApp.h"
#include "framework/ProgramPath.h"

#include <windows.h>
#include <shlobj.h>

namespace {

std::string WithBackslash(std::string folder)
{
    if (!folder.empty() && folder.back() != '\\')
        folder += '\\';
    return folder;
}

bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
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
    return CreateDirectoryA(folder.c_str(), nullptr) || IsFolder(folder);
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
    char probe[MAX_PATH] = "";
    // Creates a file of a unique name, so no file of anybody else is touched.
    if (GetTempFileNameA(folder.c_str(), "zpr", 0, probe) == 0)
        return false;
    DeleteFileA(probe);
    return true;
}

std::string CDataFolder::ProgramFolder()
{
    return ::ProgramFolder();
}

std::string CDataFolder::UserFolder()
{
    char appData[MAX_PATH] = "";
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, appData)))
        return std::string();
    const CWinApp* app = AfxGetApp();
    const std::string name = app && !app->m_pszAppName.empty() ? app->m_pszAppName : AfxGetModuleBaseName();
    return WithBackslash(appData) + "Velloran Software\\" + name;
}

std::string CDataFolder::TemporaryFolder()
{
    char folder[MAX_PATH + 1] = "";
    const DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length > MAX_PATH)
        return std::string();
    return WithBackslash(folder);
}
