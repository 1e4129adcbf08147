#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The whole text of any window or control (GetWindowTextA), however long.
std::string GetWindowTextString(HWND window);
// Sets a window's text from UTF-8.
BOOL SetWindowTextString(HWND window, std::string_view text);
// MessageBox with UTF-8 text and caption.
int MessageBoxString(HWND owner, std::string_view text, std::string_view caption, UINT type);

// Gives every child window (and theirs) the font, without redrawing.
void SetFontOnChildren(HWND window, HFONT font);

// Registers the window class unless its module already has one of that name;
// false only when registering fails.
bool RegisterClassOnce(const WNDCLASSEXW& windowClass);

// A pop-up window that is never shown, of a plain class of the given name: a
// window to hear messages or to own others. Null on failure.
HWND CreateInvisibleWindow(const wchar_t* className);

// A non-owning view of a window. Once attached through SubclassWindow (or a
// dialog's creation) the object receives the window's messages through the one
// virtual WindowProc; it is detached on WM_NCDESTROY and never touched for that
// window again. Window objects are not copied.
class CWnd {
public:
    CWnd() = default;
    explicit CWnd(HWND window)
        : m_hWnd(window)
    {}
    virtual ~CWnd();

    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); }

    // Our object that receives this window's messages, or null.
    static CWnd* FromHandlePermanent(HWND window);
    // Who hears of every window object whose window has ended (after
    // WM_NCDESTROY, before PostNcDestroy): the application object.
    using EndedHandler = void (*)(CWnd* window);
    static void SetEndedHandler(EndedHandler handler);
    // That object, or else a plain view of the window kept for this thread (so
    // GetDlgItem(id)->ShowWindow(...) works for controls nobody subclassed).
    static CWnd* FromHandle(HWND window);

    BOOL SubclassWindow(HWND window);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // Runs the current message through the window's original procedure.
    LRESULT Default();
    // Runs the given message through the original procedure.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    virtual BOOL DestroyWindow();

    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    BOOL EnableWindow(BOOL enable = TRUE) { return ::EnableWindow(m_hWnd, enable); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* GetDlgItem(int id) const { return FromHandle(::GetDlgItem(m_hWnd, id)); }
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }

    void SetWindowText(std::string_view text) { SetWindowTextString(m_hWnd, text); }
    std::string GetWindowText() const;

    void Invalidate(BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE) { ::InvalidateRect(m_hWnd, rect, erase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }

    void SetFont(HFONT font, BOOL redraw = TRUE);
    HFONT GetFont() const;

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }

    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, TIMERPROC proc = nullptr)
    {
        return ::SetTimer(m_hWnd, id, elapse, proc);
    }
    BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

    void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    void ScreenToClient(POINT* point) const { ::ScreenToClient(m_hWnd, point); }
    void ScreenToClient(RECT* rect) const;
    void ClientToScreen(POINT* point) const { ::ClientToScreen(m_hWnd, point); }
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE)
    {
        ::MoveWindow(m_hWnd, x, y, width, height, repaint);
    }
    void MoveWindow(const RECT& rect, BOOL repaint = TRUE)
    {
        MoveWindow(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, repaint);
    }
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int width, int height, UINT flags)
    {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, width, height, flags);
    }
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE)); }
    // Changes the style bits; with non-zero flags the frame is refreshed (SetWindowPos).
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);

    // Gives the window objects from the message's target up to its top-level
    // window a chance to handle a queued message before it is dispatched.
    static BOOL WalkPreTranslateTree(MSG* message);

    // One queued message of a message loop: offered to PreTranslateMessage along
    // the tree, otherwise translated and dispatched.
    static void DispatchQueued(MSG* message);

    HWND m_hWnd = nullptr;

protected:
    // Everything the window receives. The default runs the original procedure.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // A parent that is one of our windows offers some of a child's messages to the
    // child first: WM_CTLCOLOR* (except the dialog's own), WM_DRAWITEM,
    // WM_MEASUREITEM, WM_COMMAND from a control and WM_NOTIFY. Return TRUE with
    // *result set to answer for the parent; the parent then sees nothing.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // A queued message for this window or one of its children, before dispatch.
    // Return TRUE when handled: the message is then not dispatched.
    virtual BOOL PreTranslateMessage(MSG* message);

    // Called after WM_NCDESTROY, with the object already detached: the one place
    // where an owner that allocated the object may free it.
    virtual void PostNcDestroy() {}

    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Routes one message of the attached window into the object.
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static BOOL ReflectToChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    void Detach();

    WNDPROC m_pfnSuper = nullptr;
    bool m_attached = false;
};
