#include "desktop/CDesktopHost.h"

#include <cstring>

namespace {

const char kProgman[] = "Progman";
const char kDesktopView[] = "SHELLDLL_DefView";
const char kIconList[] = "SysListView32";
const char kWebView[] = "Internet Explorer_Server";

const DWORD kRestingStyle = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_BORDER;
const DWORD kRestingExStyle = WS_EX_TOOLWINDOW;

// The view window found last. Found directly under "Progman" it is trusted
// without another search; found elsewhere every call searches again.
HWND g_view = nullptr;
bool g_viewUnderProgman = false;

// The answer of the first Find while a SharedSearch lives.
struct SharedFind {
    int scopes = 0;
    bool known = false;
    int result = 0;
    HWND target = nullptr;
    bool underView = false;
    bool webView = false;
};
SharedFind g_shared;

bool HasClass(HWND window, const char* className)
{
    char name[512] = {};
    ::GetClassNameA(window, name, sizeof(name));
    return std::strcmp(name, className) == 0;
}

// Depth first: a child that does not match is searched before its next sibling.
HWND FindDescendant(HWND parent, const char* className)
{
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (HasClass(child, className))
            return child;
        if (HWND found = FindDescendant(child, className))
            return found;
    }
    return nullptr;
}

// Every bit the dialog template gave is dropped. The visible bit comes with
// ApplyFrame: set here, the window would count as visible without ever being
// shown (Wine, for one, maps a window only when it is shown).
void ReplaceStyles(HWND window)
{
    ::SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(kRestingStyle & ~WS_VISIBLE));
    ::SetWindowLongA(window, GWL_EXSTYLE, static_cast<LONG>(kRestingExStyle));
}

// Windows caches the frame until SetWindowPos is told that the styles changed.
// Top-most, which a window takes over from a top-most owner, is no bit that
// SetWindowLong may change, and an owned window cannot leave it while it is
// top-level: it is ended once the window is inside the view. The window shows
// without taking the focus from the window the user is in; given a frame
// (left, top, width, height), it goes there in the same move.
void ApplyFrame(HWND window, HWND insertAfter, const RECT* frame = nullptr)
{
    UINT flags = SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_SHOWWINDOW;
    if (!frame)
        flags |= SWP_NOMOVE | SWP_NOSIZE;
    const RECT place = frame ? *frame : RECT{};
    ::SetWindowPos(window, insertAfter, place.left, place.top, place.right, place.bottom, flags);
}

POINT ScreenTopLeft(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return {rect.left, rect.top};
}

}  // namespace

CDesktopHost::CDesktopHost()
{
    HMODULE shell = ::GetModuleHandleA("SHELL32.DLL");
    if (!shell)
        shell = ::LoadLibraryA("SHELL32.DLL");
    if (shell) {
        // Through void(*)() because GCC warns about casts between function types.
        const auto any = reinterpret_cast<void (*)()>(::GetProcAddress(shell, "SHGetSettings"));
        m_settingsQuery = reinterpret_cast<SettingsQuery>(any);
    }
    m_webView = g_shared.known ? g_shared.webView : ReadWebViewFlag();
}

bool CDesktopHost::ReadWebViewFlag() const
{
    if (!m_settingsQuery)
        return false;
    SHELLFLAGSTATE state{};
    m_settingsQuery(&state, SSF_DESKTOPHTML);
    return state.fDesktopHTML != 0;
}

HWND CDesktopHost::GetHostView()
{
    // A shell restart destroys the view; its handle is no place for a note.
    if (g_view && g_viewUnderProgman && ::IsWindow(g_view))
        return g_view;
    g_view = nullptr;
    g_viewUnderProgman = false;

    HWND progman = ::FindWindowA(kProgman, nullptr);
    if (progman) {
        HWND first = ::GetWindow(progman, GW_CHILD);
        if (first && HasClass(first, kDesktopView)) {
            g_view = first;
            g_viewUnderProgman = true;
            return first;
        }
    }
    // Later shells put the view into a top-level "WorkerW"; every class from
    // "Worker" on is looked at, and only its first child counts.
    for (HWND top = ::GetWindow(::GetDesktopWindow(), GW_CHILD); top; top = ::GetWindow(top, GW_HWNDNEXT)) {
        char name[512] = {};
        ::GetClassNameA(top, name, sizeof(name));
        if (std::strcmp(name, "Worker") < 0)
            continue;
        HWND first = ::GetWindow(top, GW_CHILD);
        if (first && HasClass(first, kDesktopView)) {
            g_view = first;
            return first;
        }
    }
    return progman;
}

void CDesktopHost::ResetCache()
{
    g_view = nullptr;
    g_viewUnderProgman = false;
    g_shared.known = false;
}

CDesktopHost::SharedSearch::SharedSearch()
{
    ++g_shared.scopes;
}

CDesktopHost::SharedSearch::~SharedSearch()
{
    if (--g_shared.scopes == 0)
        g_shared.known = false;
}

int CDesktopHost::Find()
{
    // An icon window that went in the meantime is looked for again.
    if (g_shared.known && (g_shared.result != 0 || ::IsWindow(g_shared.target))) {
        m_webView = g_shared.webView;
        m_target = g_shared.target;
        m_underView = g_shared.underView;
        return g_shared.result;
    }
    const int result = FindNow();
    if (g_shared.scopes > 0)
        g_shared = SharedFind{g_shared.scopes, true, result, m_target, m_underView, m_webView};
    return result;
}

int CDesktopHost::FindNow()
{
    m_webView = ReadWebViewFlag();
    m_target = nullptr;
    m_underView = false;
    int result = FindWithMode(m_webView);
    // The web view setting can be on while the shell shows the plain icon list.
    if (result == -3)
        result = FindWithMode(!m_webView);
    return result;
}

int CDesktopHost::FindWithMode(bool webView)
{
    const char* targetClass = webView ? kWebView : kIconList;
    HWND progman = ::FindWindowA(kProgman, nullptr);
    if (!progman)
        return -1;
    if (HWND target = FindDescendant(progman, targetClass)) {
        m_target = target;
        m_underView = false;
        return 0;
    }
    HWND view = GetHostView();
    if (!view)
        return -3;
    if (!HasClass(view, kDesktopView))
        return -2;
    HWND target = FindDescendant(view, targetClass);
    if (!target)
        return -3;
    m_target = target;
    m_underView = true;
    return 0;
}

bool CDesktopHost::DockIntoDesktop(CDialog& window, UINT templateId, CWnd* owner)
{
    if (Find() != 0)
        return false;
    // Set before the creation: the window's initialisation places itself in
    // the host's client coordinates.
    m_host = GetHostView();
    m_bottomMost = false;
    m_undocked = false;
    m_hasShownFrame = false;
    if (!window.Create(templateId, owner)) {
        m_host = nullptr;
        return false;
    }
    ReplaceStyles(window);
    ::SetParent(window, m_host);
    ApplyFirstFrame(window, HWND_NOTOPMOST);
    return true;
}

bool CDesktopHost::PlaceOnDesktop(CDialog& window, UINT templateId, CWnd* owner)
{
    if (DockIntoDesktop(window, templateId, owner))
        return true;
    // Find keeps a target only when it succeeded: then the creation failed.
    if (m_target)
        return false;
    // Without an owner: an owned window stays above its owner, and the main
    // window may be top-most. Positions are screen coordinates from here on.
    m_host = nullptr;
    m_bottomMost = true;
    m_undocked = false;
    m_hasShownFrame = false;
    if (!window.Create(templateId, nullptr)) {
        m_bottomMost = false;
        return false;
    }
    ReplaceStyles(window);
    ApplyFirstFrame(window, HWND_BOTTOM);
    return true;
}

void CDesktopHost::PlaceWhenShown(POINT place, SIZE size)
{
    m_shownFrame = RECT{place.x, place.y, size.cx, size.cy};
    m_hasShownFrame = true;
}

// Once: a later frame change (a redock) keeps the place the window has then.
void CDesktopHost::ApplyFirstFrame(HWND window, HWND insertAfter)
{
    ApplyFrame(window, insertAfter, m_hasShownFrame ? &m_shownFrame : nullptr);
    m_hasShownFrame = false;
}

void CDesktopHost::KeepAtBottom(WINDOWPOS* position) const
{
    if (!m_bottomMost || m_undocked || !position)
        return;
    position->hwndInsertAfter = HWND_BOTTOM;
    position->flags &= ~SWP_NOZORDER;
}

void CDesktopHost::ReturnToBottom(HWND window, const WINDOWPOS& position) const
{
    if (!m_bottomMost || m_undocked || (position.flags & SWP_NOZORDER) || position.hwndInsertAfter == HWND_BOTTOM)
        return;
    ::SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CDesktopHost::Undock(CWnd& window)
{
    if (m_undocked)
        return;
    // ScreenToClient of the desktop window would leave the point as it is.
    const POINT position = ScreenTopLeft(window);
    m_undocked = true;
    if (!m_bottomMost)
        ::SetParent(window, nullptr);
    ::SetWindowPos(window, HWND_TOPMOST, position.x, position.y, 0, 0, SWP_NOSIZE);
}

void CDesktopHost::Redock(CWnd& window, POINT screenPosition)
{
    if (m_bottomMost) {
        ::SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ::SetWindowPos(window, HWND_BOTTOM, screenPosition.x, screenPosition.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        m_undocked = false;
        return;
    }
    ReplaceStyles(window);
    m_host = GetHostView();
    ::SetParent(window, m_host);
    ApplyFrame(window, HWND_NOTOPMOST);
    POINT position = screenPosition;
    ::ScreenToClient(m_host, &position);
    ::SetWindowPos(window, nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_undocked = false;
}
