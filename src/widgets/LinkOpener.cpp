#include "widgets/LinkOpener.h"

#include "framework/AfxFunctions.h"
#include "framework/CWnd.h"
#include "framework/Handles.h"
#include "framework/Utf8.h"

#include <shellapi.h>

#include <atomic>
#include <vector>

namespace {

// The default value of a key under HKEY_CLASSES_ROOT, however long; empty when
// the key or its value is missing or not a string.
std::string ClassesRootDefault(const std::string& subKey)
{
    HKEY opened = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return std::string();
    RegistryKey key(opened);
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExA(key.get(), nullptr, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0)
        return std::string();
    std::vector<char> value(size + 1, '\0');
    if (::RegQueryValueExA(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) !=
        ERROR_SUCCESS)
        return std::string();
    return std::string(value.data());
}

class SystemLinkOpener : public LinkOpener {
public:
    INT_PTR ShellOpen(const std::string& file, const std::string& parameters) override
    {
        const std::wstring wideParameters = Widen(parameters);
        HINSTANCE result = ::ShellExecuteW(nullptr, L"open", Widen(file).c_str(),
                                           parameters.empty() ? nullptr : wideParameters.c_str(), nullptr,
                                           SW_SHOWMAXIMIZED);
        return reinterpret_cast<INT_PTR>(result);
    }

    INT_PTR OpenMailLink(const std::string& url) override
    {
        return reinterpret_cast<INT_PTR>(
            ::ShellExecuteW(nullptr, L"open", Widen(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    }

    std::string ReadHtmCommand() override
    {
        const std::string fileType = ClassesRootDefault(".htm");
        if (fileType.empty())
            return std::string();
        return ClassesRootDefault(fileType + "\\shell\\open\\command");
    }

    UINT RunCommandLine(const std::string& commandLine) override
    {
        return ::WinExec(commandLine.c_str(), SW_SHOWMAXIMIZED);
    }

    void ShowError(const std::string& text) override
    {
        ::MessageBeep(MB_ICONEXCLAMATION);
        MessageBoxString(nullptr, text, AfxGetModuleBaseName(), MB_OK | MB_ICONEXCLAMATION);
    }
};

std::atomic<LinkOpener*> g_installed{nullptr};

}  // namespace

LinkOpener& LinkOpener::System()
{
    static SystemLinkOpener opener;
    return opener;
}

LinkOpener& LinkOpener::Current()
{
    LinkOpener* installed = g_installed.load();
    return installed ? *installed : System();
}

LinkOpener* LinkOpener::Install(LinkOpener* opener)
{
    return g_installed.exchange(opener);
}
