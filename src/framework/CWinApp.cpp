#include "framework/CWinApp.h"

#include "framework/CWnd.h"
#include "framework/ExceptionReport.h"
#include "framework/Registry.h"
#include "framework/Utf8.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

namespace {

std::atomic<CWinApp*> g_app{nullptr};

}  // namespace

CWinApp* AfxGetApp()
{
    return g_app;
}

CWnd* AfxGetMainWnd()
{
    CWinApp* app = AfxGetApp();
    return app ? app->m_pMainWnd : nullptr;
}

std::string AfxGetAppName()
{
    CWinApp* app = AfxGetApp();
    return app ? app->m_pszAppName : AfxGetModuleBaseName();
}

namespace {

// A window object's window has ended: the application forgets it when it was
// its main window, so that no later message box is owned by it.
void ForgetEndedMainWindow(CWnd* window)
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == window)
        app->OnMainWndDestroyed();
}

}  // namespace

int AfxMessageBox(const char* text, UINT type, UINT /*helpId: there is no help file*/)
{
    HWND owner = ::GetActiveWindow();
    if (!owner) {
        CWnd* mainWnd = AfxGetMainWnd();
        if (mainWnd && ::IsWindow(mainWnd->GetSafeHwnd()))
            owner = mainWnd->GetSafeHwnd();
    }
    return MessageBoxString(owner, text ? text : "", AfxGetAppName(), type);
}

CWinApp::CWinApp()
    : m_pszAppName(AfxGetModuleBaseName())
    , m_hInstance(::GetModuleHandleA(nullptr))
    , m_pPreviousApp(g_app)
{
    g_app = this;
    CWnd::SetEndedHandler(&ForgetEndedMainWindow);
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
        return ::GetPrivateProfileIntW(Widen(section).c_str(), Widen(entry).c_str(), defaultValue,
                                       Widen(IniFileName()).c_str());
    DWORD value = static_cast<DWORD>(defaultValue);
    Registry::ReadDword(SectionPath(section), entry, value);
    return value;
}

std::string CWinApp::GetProfileString(const char* section, const char* entry, const char* defaultValue)
{
    const std::string fallback = defaultValue ? defaultValue : "";
    if (!section || !entry)
        return fallback;
    if (m_pszRegistryKey.empty()) {
        std::vector<wchar_t> text(256);
        for (;;) {
            const DWORD length =
                ::GetPrivateProfileStringW(Widen(section).c_str(), Widen(entry).c_str(), Widen(fallback).c_str(),
                                           text.data(), static_cast<DWORD>(text.size()), Widen(IniFileName()).c_str());
            if (length + 1 < text.size())
                return Narrow(std::wstring_view(text.data(), length));
            text.resize(text.size() * 2);
        }
    }
    std::string value = fallback;
    Registry::ReadString(SectionPath(section), entry, value);
    return value;
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value)
{
    if (!section || !entry)
        return FALSE;
    if (m_pszRegistryKey.empty())
        return WriteProfileString(section, entry, std::to_string(value).c_str());
    return Registry::WriteDword(SectionPath(section), entry, static_cast<DWORD>(value));
}

BOOL CWinApp::WriteProfileString(const char* section, const char* entry, const char* value)
{
    if (!section)
        return FALSE;
    if (m_pszRegistryKey.empty())
        return ::WritePrivateProfileStringW(Widen(section).c_str(), entry ? Widen(entry).c_str() : nullptr,
                                            value ? Widen(value).c_str() : nullptr, Widen(IniFileName()).c_str());
    const std::string path = SectionPath(section);
    if (!entry)
        return Registry::DeleteTree(path);
    if (!value)
        return Registry::DeleteValue(path, entry);
    return Registry::WriteString(path, entry, value);
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
    if (InitInstance()) {
        m_loopThreadId = ::GetCurrentThreadId();
        MSG message{};
        for (;;) {
            const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
            if (got == 0) {
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
    try {
        return app->Run();
    } catch (...) {
        AfxReportCaughtException(__FILE__, __LINE__);
        return -1;
    }
}
