#include "shared/CAutostart.h"

#include "shared/UninstallList.h"
#include "shared/UninstallListFile.h"
#include "framework/AfxFunctions.h"
#include "framework/ComPtr.h"
#include "framework/CWnd.h"
#include "framework/ProgramPath.h"
#include "framework/Utf8.h"

#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <utility>

const char CAutostart::kUninstallList[] = "!sfxunst.ini";

namespace {

HWND MainWindow()
{
    CWnd* main = AfxGetMainWnd();
    return main ? main->GetSafeHwnd() : nullptr;
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
    // SHGetPathFromIDList fills at most MAX_PATH characters and fails rather
    // than cut the path.
    wchar_t path[MAX_PATH] = {};
    const BOOL found = ::SHGetPathFromIDListW(folder, path);
    ::CoTaskMemFree(folder);
    if (!found)
        return std::string();
    return Narrow(path) + "\\" + m_name + ".lnk";
}

bool CAutostart::AutostartShortcutExists() const
{
    const std::string shortcut = ShortcutPath();
    return !shortcut.empty() && ::GetFileAttributesW(Widen(shortcut).c_str()) != INVALID_FILE_ATTRIBUTES;
}

HRESULT CAutostart::CreateAutostartShortcut() const
{
    const std::string shortcut = ShortcutPath();
    if (shortcut.empty())
        return E_FAIL;
    const std::string entry = UninstallList::Entry(shortcut);
    UninstallListFile::Edit(kUninstallList, [&entry](std::string& text) { return UninstallList::Insert(text, entry); });

    ComPtr<IShellLinkW> link;
    HRESULT result =
        ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put_void());
    if (FAILED(result))
        return result;
    ComPtr<IPersistFile> file;
    result = link->QueryInterface(IID_IPersistFile, file.put_void());
    if (FAILED(result))
        return result;

    link->SetPath(Widen(m_executablePath).c_str());
    link->SetDescription(Widen(m_name).c_str());
    return file->Save(Widen(shortcut).c_str(), TRUE);
}

bool CAutostart::RemoveAutostartShortcut() const
{
    const std::string shortcut = ShortcutPath();
    if (shortcut.empty())
        return true;
    const std::string entry = UninstallList::Entry(shortcut);
    UninstallListFile::Edit(kUninstallList, [&entry](std::string& text) { return UninstallList::Remove(text, entry); });
    const std::wstring wide = Widen(shortcut);
    if (::GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES)
        return true;
    return ::DeleteFileW(wide.c_str()) != FALSE;
}

bool CAutostart::ToggleAutostart() const
{
    if (AutostartShortcutExists())
        return RemoveAutostartShortcut();
    return SUCCEEDED(CreateAutostartShortcut());
}
