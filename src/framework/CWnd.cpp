#include "framework/CWnd.h"

#include "framework/AfxFunctions.h"
#include "framework/ExceptionReport.h"
#include "framework/Utf8.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace {

// Our objects by window, for every thread of the process. A map of our own
// rather than a window property: a property of another process's window would
// hand back a pointer that means nothing here.
std::mutex g_permanentLock;
std::unordered_map<HWND, CWnd*> g_permanent;

// Told of every window object whose window has ended: the application, which
// forgets its main window then. A pointer set by it, so this file needs nothing
// of the application.
std::atomic<CWnd::EndedHandler> g_ended{nullptr};

// Plain views handed out by FromHandle, per thread, pruned of dead windows.
thread_local std::unordered_map<HWND, std::unique_ptr<CWnd>> t_temporary;

// The message being dispatched on this thread, for Default(). Kept per thread,
// not per object, so nothing touches an object after its handler returns (a
// modeless dialog may be gone by then).
thread_local MSG t_current{};

HWND NotifyingChild(HWND parent, UINT message, LPARAM lParam)
{
    switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR: return reinterpret_cast<HWND>(lParam);
    case WM_COMMAND:
        // Menu and accelerator commands carry 0; the program's own commands carry
        // a pointer, which never names one of our children (checked below).
        return reinterpret_cast<HWND>(lParam);
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        const auto* item = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
        return item && item->CtlType != ODT_MENU ? ::GetDlgItem(parent, static_cast<int>(item->CtlID)) : nullptr;
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        return header ? header->hwndFrom : nullptr;
    }
    default: return nullptr;
    }
}

}  // namespace

CWnd::~CWnd()
{
    // A window that outlives its object must not route messages into freed memory.
    if (m_attached) {
        if (::IsWindow(m_hWnd))
            UnsubclassWindow();
        else
            Detach();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND window)
{
    if (!window)
        return nullptr;
    std::lock_guard<std::mutex> guard(g_permanentLock);
    auto found = g_permanent.find(window);
    return found == g_permanent.end() ? nullptr : found->second;
}

CWnd* CWnd::FromHandle(HWND window)
{
    if (!window)
        return nullptr;
    if (CWnd* permanent = FromHandlePermanent(window))
        return permanent;
    auto found = t_temporary.find(window);
    if (found != t_temporary.end())
        return found->second.get();
    if (t_temporary.size() >= 64) {
        for (auto it = t_temporary.begin(); it != t_temporary.end();)
            it = ::IsWindow(it->first) ? std::next(it) : t_temporary.erase(it);
    }
    auto& view = t_temporary[window];
    view = std::make_unique<CWnd>(window);
    return view.get();
}

BOOL CWnd::SubclassWindow(HWND window)
{
    if (!window || m_attached || !::IsWindow(window))
        return FALSE;
    {
        std::lock_guard<std::mutex> guard(g_permanentLock);
        if (!g_permanent.emplace(window, this).second)
            return FALSE;
    }
    m_hWnd = window;
    m_attached = true;
    // The wide calls make the window a Unicode one: every character typed or
    // set reaches it whole, whatever the system's code page.
    m_pfnSuper = reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC));
    if (!m_pfnSuper || !::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc))) {
        Detach();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent)
{
    if (!parent)
        return FALSE;
    return SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_attached)
        return nullptr;
    HWND window = m_hWnd;
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    Detach();
    return window;
}

void CWnd::Detach()
{
    {
        std::lock_guard<std::mutex> guard(g_permanentLock);
        auto found = g_permanent.find(m_hWnd);
        if (found != g_permanent.end() && found->second == this)
            g_permanent.erase(found);
    }
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    m_attached = false;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandlePermanent(window);
    if (!wnd)
        return ::DefWindowProcW(window, message, wParam, lParam);
    return wnd->Dispatch(message, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND window = m_hWnd;
    const MSG saved = t_current;
    t_current = MSG{window, message, wParam, lParam, 0, {}};
    LRESULT result = 0;
    try {
        if (!ReflectToChild(window, message, wParam, lParam, &result))
            result = WindowProc(message, wParam, lParam);
    } catch (...) {
        AfxReportCaughtException(__FILE__, __LINE__);
        result = 0;
    }
    t_current = saved;
    if (message == WM_NCDESTROY && FromHandlePermanent(window) == this) {
        Detach();
        if (const EndedHandler ended = g_ended.load())
            ended(this);
        PostNcDestroy();
    }
    return result;
}

void CWnd::SetEndedHandler(EndedHandler handler)
{
    g_ended = handler;
}

BOOL CWnd::ReflectToChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    HWND child = NotifyingChild(parent, message, lParam);
    if (!child || child == parent)
        return FALSE;
    CWnd* wnd = FromHandlePermanent(child);
    if (!wnd || ::GetParent(child) != parent)
        return FALSE;
    LRESULT childResult = 0;
    if (!wnd->OnChildNotify(message, wParam, lParam, &childResult))
        return FALSE;
    *result = childResult;
    return TRUE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(MSG* message)
{
    for (HWND window = message->hwnd; window;) {
        if (CWnd* wnd = FromHandlePermanent(window)) {
            if (wnd->PreTranslateMessage(message))
                return TRUE;
        }
        if (!(::GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD))
            break;
        window = ::GetParent(window);
    }
    return FALSE;
}

LRESULT CWnd::Default()
{
    const MSG current = t_current;
    if (current.hwnd != m_hWnd || !m_hWnd)
        return 0;
    return DefWindowProc(current.message, current.wParam, current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::DestroyWindow()
{
    HWND window = m_hWnd;
    if (!window)
        return FALSE;
    // An attached object may be freed by PostNcDestroy: do not touch it after.
    const bool attached = m_attached;
    const BOOL destroyed = ::DestroyWindow(window);
    if (destroyed && !attached)
        m_hWnd = nullptr;
    return destroyed;
}

std::string GetWindowTextString(HWND window)
{
    const int length = ::GetWindowTextLengthW(window);
    if (length <= 0)
        return std::string();
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1);
    const int copied = ::GetWindowTextW(window, text.data(), length + 1);
    return Narrow(std::wstring_view(text.data(), static_cast<size_t>(copied > 0 ? copied : 0)));
}

BOOL SetWindowTextString(HWND window, std::string_view text)
{
    return ::SetWindowTextW(window, Widen(text).c_str());
}

int MessageBoxString(HWND owner, std::string_view text, std::string_view caption, UINT type)
{
    return ::MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), type);
}

namespace {

BOOL CALLBACK SetFontOnChild(HWND child, LPARAM font)
{
    ::SendMessageA(child, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    return TRUE;
}

}  // namespace

void SetFontOnChildren(HWND window, HFONT font)
{
    ::EnumChildWindows(window, SetFontOnChild, reinterpret_cast<LPARAM>(font));
}

bool RegisterClassOnce(const WNDCLASSEXW& windowClass)
{
    WNDCLASSEXW known{};
    known.cbSize = sizeof known;
    if (::GetClassInfoExW(windowClass.hInstance, windowClass.lpszClassName, &known))
        return true;
    return ::RegisterClassExW(&windowClass) != 0;
}

HWND CreateInvisibleWindow(const wchar_t* className)
{
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className;
    if (!RegisterClassOnce(windowClass))
        return nullptr;
    return ::CreateWindowExW(0, className, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
}

std::string CWnd::GetWindowText() const
{
    return GetWindowTextString(m_hWnd);
}

void CWnd::SetFont(HFONT font, BOOL redraw)
{
    ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), MAKELPARAM(redraw, 0));
}

HFONT CWnd::GetFont() const
{
    return reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
}

void CWnd::ScreenToClient(RECT* rect) const
{
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2);
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags)
{
    const DWORD style = GetStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(changed));
    if (flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return TRUE;
}

void CWnd::DispatchQueued(MSG* message)
{
    BOOL handled = FALSE;
    try {
        handled = WalkPreTranslateTree(message);
    } catch (...) {
        AfxReportCaughtException(__FILE__, __LINE__);
    }
    if (!handled) {
        ::TranslateMessage(message);
        ::DispatchMessageW(message);
    }
}
