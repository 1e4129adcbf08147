#include "shared/CAutostart.h"

#include "shared/UninstallList.h"
#include "framework/AfxFunctions.h"
#include "framework/ComPtr.h"
#include "framework/CWnd.h"
#include "framework/ProgramPath.h"

#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <fstream>
#include <iterator>
#include <utility>

const char CAutostart::kUninstallList[] = "!sfxunst.ini";

namespace {

HWND MainWindow()
{
    CWnd* main = AfxGetMainWnd();
    return main ? main->GetSafeHwnd() : nullptr;
}

bool ReadList(std::string& bytes)
{
    std::ifstream in(CAutostart::kUninstallList, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Written beside the list and swapped in: a failed or cut write leaves the
// installer's list as it was rather than truncated.
bool ReplaceList(const std::string& bytes)
{
    const std::string temporary = std::string(CAutostart::kUninstallList) + ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            ::DeleteFileA(temporary.c_str());
            return false;
        }
    }
    if (::MoveFileExA(temporary.c_str(), CAutostart::kUninstallList,
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    ::DeleteFileA(temporary.c_str());
    return false;
}

// The installer's list is optional: without it, or when it cannot be read or
// written, the shortcut is made or removed all the same.
template <typename Edit>
void EditList(Edit edit)
{
    std::string bytes;
    if (ReadList(bytes) && edit(bytes))
        ReplaceList(bytes);
}

}  // namespace

CAutostart::CAutostart(HWND owner)
    : CAutostart(ProgramPath(), AfxGetModuleBaseName(), owner ? owner : MainWindow())
{}

CAutostart::CAutostart(std::string executablePath, std::string name, HWND owner)
    : m_executablePath(std::move(executablePath))
    , m_name(std::move(name))
    , m_owner(owner)
{}

std::string CAutostart::ShortcutPath() const
{
    LPITEMIDLIST folder = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(m_owner, CSIDL_STARTUP, &folder)) || !folder)
        return std::string();
    char path[MAX_PATH] = {};
    const BOOL found = ::SHGetPathFromIDListA(folder, path);
    ::CoTaskMemFree(folder);
    if (!found)
        return std::string();
    return std::string(path) + "\\" + m_name + ".lnk";
}

bool CAutostart::AutostartShortcutExists() const
{
    const std::string shortcut = ShortcutPath();
    return !shortcut.empty() && ::GetFileAttributesA(shortcut.c_str()) != INVALID_FILE_ATTRIBUTES;
}

HRESULT CAutostart::CreateAutostartShortcut() const
{
    const std::string shortcut = ShortcutPath();
    if (shortcut.empty())
        return E_FAIL;
    const std::string entry = UninstallList::Entry(shortcut);
    EditList([&entry](std::string& bytes) { return UninstallList::Insert(bytes, entry); });

    ComPtr<IShellLinkA> link;
    HRESULT result =
        ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put_void());
    if (FAILED(result))
        return result;
    ComPtr<IPersistFile> file;
    result = link->QueryInterface(IID_IPersistFile, file.put_void());
    if (FAILED(result))
        return result;

    link->SetPath(m_executablePath.c_str());
    link->SetDescription(m_name.c_str());
    wchar_t widePath[MAX_PATH] = {};
    if (!::MultiByteToWideChar(CP_ACP, 0, shortcut.c_str(), -1, widePath, MAX_PATH))
        return E_FAIL;
    return file->Save(widePath, TRUE);
}

bool CAutostart::RemoveAutostartShortcut() const
{
    const std::string shortcut = ShortcutPath();
    if (shortcut.empty())
        return true;
    const std::string entry = UninstallList::Entry(shortcut);
    EditList([&entry](std::string& bytes) { return UninstallList::Remove(bytes, entry); });
    if (::GetFileAttributesA(shortcut.c_str()) == INVALID_FILE_ATTRIBUTES)
        return true;
    return ::DeleteFileA(shortcut.c_str()) != FALSE;
}

bool CAutostart::ToggleAutostart() const
{
    if (AutostartShortcutExists())
        return RemoveAutostartShortcut();
    return SUCCEEDED(CreateAutostartShortcut());
}
