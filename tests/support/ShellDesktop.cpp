#include "support/ShellDesktop.h"

#include "desktop/CDesktopHost.h"

namespace {

void RegisterShellClass(const char* className)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_DESKTOP + 1);
    windowClass.lpszClassName = className;
    // A second registration fails harmlessly: the class is there.
    ::RegisterClassExA(&windowClass);
}

}  // namespace

ShellDesktop::ShellDesktop(Arrangement arrangement)
{
    m_progman = Add("Progman");
    HWND holder = m_progman;
    if (arrangement == WorkerW || arrangement == ForeignTopLevel)
        holder = m_worker = Add("WorkerW");

    m_view = Add("SHELLDLL_DefView", holder);
    RECT area{};
    ::GetClientRect(holder, &area);
    ::MoveWindow(m_view, kViewOffset.x, kViewOffset.y, area.right - kViewOffset.x, area.bottom - kViewOffset.y, TRUE);
    m_iconList = Add("SysListView32", m_view);

    if (arrangement == WebView || arrangement == WebViewWithoutBrowser) {
        HWND document = Add("Shell DocObject View", m_view);
        if (arrangement == WebView)
            m_browser = Add("Internet Explorer_Server", document);
    }
    if (arrangement == ForeignTopLevel) {
        m_overlay = Add("XDesktopOverlay");
        Add("XOverlayPanel", m_overlay);
        Add("SHELLDLL_DefView", m_overlay);
    }
}

ShellDesktop::~ShellDesktop()
{
    for (HWND window : m_topLevels) {
        if (::IsWindow(window))
            ::DestroyWindow(window);
    }
    CDesktopHost::ResetCache();
}

HWND ShellDesktop::Add(const char* className, HWND parent)
{
    RegisterShellClass(className);
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    if (parent) {
        RECT area{};
        ::GetClientRect(parent, &area);
        HWND child = ::CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0, 0, area.right,
                                       area.bottom, parent, nullptr, instance, nullptr);
        // Siblings in the order they were made, whatever the platform does.
        ::SetWindowPos(child, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return child;
    }
    HWND window = ::CreateWindowExA(0, className, "", WS_POPUP | WS_CLIPCHILDREN, 0, 0, ::GetSystemMetrics(SM_CXSCREEN),
                                    ::GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
    m_topLevels.insert(m_topLevels.begin(), window);
    StackTopLevels();
    return window;
}

// The desktop lies beneath every other window, and is shown without taking
// the activation from the test's own windows.
void ShellDesktop::StackTopLevels()
{
    for (HWND window : m_topLevels)
        ::SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}
