#include "framework/CWinApp.h"

#include "framework/CWnd.h"
#include "framework/ExceptionReport.h"
#include "framework/Handles.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

namespace {

std::atomic<CWinApp*> g_app{nullptr};

} // namespace

CWinApp* AfxGetApp()
{
    return g_app;
}

CWinApp::CWinApp()
    : m_pszAppName(AfxGetModuleBaseName()), m_hInstance(::GetModuleHandleA(nullptr)), m_pPreviousApp(g_app)
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    // A shorter-lived application object (a test's) hands the role back.
    CWinApp* self = this;
    g_app.compare_exchange_strong(self, m_pPreviousApp);
}

void CWinApp::SetRegistryKey(const char* key)
{
    m_pszRegistryKey = key ? key : "";
}

std::string CWinApp::SectionPath(const char* section) const
{
    return "Software\\" + m_pszRegistryKey + "\\" + m_pszAppName + "\\" + section;
}

std::string CWinApp::IniFileName() const
{
    return m_pszAppName + ".INI";
}

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue)
{
    if (!section || !entry)
        return static_cast<UINT>(defaultValue);
    if (m_pszRegistryKey.empty())
        return ::GetPrivateProfileIntA(section, entry, defaultValue, IniFileName().c_str());

    HKEY raw = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS)
        return static_cast<UINT>(defaultValue);
    RegistryKey key(raw);
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (::RegQueryValueExA(key.get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value))
        return static_cast<UINT>(defaultValue);
    return value;
}

std::string CWinApp::GetProfileString(const char* section, const char* entry, const char* defaultValue)
{
    const std::string fallback = defaultValue ? defaultValue : "";
    if (!section || !entry)
        return fallback;
    if (m_pszRegistryKey.empty())
    {
        std::vector<char> text(256);
        for (;;)
        {
            const DWORD length = ::GetPrivateProfileStringA(section, entry, fallback.c_str(), text.data(),
                                                            static_cast<DWORD>(text.size()),
                                                            IniFileName().c_str());
            if (length + 1 < text.size())
                return std::string(text.data(), length);
            text.resize(text.size() * 2);
        }
    }

    HKEY raw = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS)
        return fallback;
    RegistryKey key(raw);
    // The value may grow between the size query and the read: try again then.
    DWORD size = 0;
    for (int attempt = 0; attempt < 4; ++attempt)
    {
        DWORD type = 0;
        std::vector<char> text(size + 1);
        DWORD got = size;
        const LONG result = ::RegQueryValueExA(key.get(), entry, nullptr, &type,
                                               size ? reinterpret_cast<BYTE*>(text.data()) : nullptr, &got);
        if (result == ERROR_MORE_DATA || (result == ERROR_SUCCESS && size == 0 && got > 0))
        {
            size = got;
            continue;
        }
        if (result != ERROR_SUCCESS || type != REG_SZ)
            return fallback;
        // Stored strings need not end in a terminator; stop at the first one.
        text[std::min<size_t>(got, size)] = '\0';
        return std::string(text.data());
    }
    return fallback;
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value)
{
    if (!section || !entry)
        return FALSE;
    if (m_pszRegistryKey.empty())
        return ::WritePrivateProfileStringA(section, entry, std::to_string(value).c_str(), IniFileName().c_str());

    HKEY raw = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &raw, nullptr) != ERROR_SUCCESS)
        return FALSE;
    RegistryKey key(raw);
    const DWORD data = static_cast<DWORD>(value);
    return ::RegSetValueExA(key.get(), entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof(data)) ==
           ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value)
{
    if (!section)
        return FALSE;
    if (m_pszRegistryKey.empty())
        return ::WritePrivateProfileStringA(section, entry, value, IniFileName().c_str());

    const std::string path = SectionPath(section);
    if (!entry)
    {
        const LONG result = ::RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
        return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
    }
    HKEY raw = nullptr;
    if (!value)
    {
        LONG result = ::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, &raw);
        if (result == ERROR_FILE_NOT_FOUND)
            return TRUE;
        if (result != ERROR_SUCCESS)
            return FALSE;
        RegistryKey key(raw);
        result = ::RegDeleteValueA(key.get(), entry);
        return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
    }
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr) !=
        ERROR_SUCCESS)
        return FALSE;
    RegistryKey key(raw);
    return ::RegSetValueExA(key.get(), entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                            static_cast<DWORD>(std::strlen(value) + 1)) == ERROR_SUCCESS;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return m_nExitCode;
}

void CWinApp::OnMainWndDestroyed()
{
    m_pMainWnd = nullptr;
    if (m_loopThreadId == ::GetCurrentThreadId())
        ::PostQuitMessage(0);
}

int CWinApp::Run()
{
    if (InitInstance())
    {
        m_loopThreadId = ::GetCurrentThreadId();
        MSG message{};
        for (;;)
        {
            const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
            if (got == 0)
            {
                m_nExitCode = static_cast<int>(message.wParam);
                break;
            }
            if (got == -1)
                break;
            CWnd::DispatchQueued(&message);
        }
        m_loopThreadId = 0;
    }
    return ExitInstance();
}

int AfxWinMain(HINSTANCE instance)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    if (instance)
        app->m_hInstance = instance;
    try
    {
        return app->Run();
    }
    catch (...)
    {
        AfxReportCaughtException(__FILE__, __LINE__);
        return -1;
    }
}
