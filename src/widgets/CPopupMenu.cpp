#include "widgets/CPopupMenu.h"

#include "framework/CWnd.h"
#include "framework/ExceptionReport.h"
#include "widgets/PopupMenuLayout.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace {

const wchar_t kClassName[] = L"vlsMenuClass";

bool RegisterMenuClass(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    return RegisterClassOnce(windowClass);
}

}  // namespace

CPopupMenu::~CPopupMenu()
{
    Close();
}

void CPopupMenu::SetFont(FontForDpi font)
{
    m_painter.SetFont(std::move(font));
}

bool CPopupMenu::Init(HINSTANCE instance, int imageStripId)
{
    Close();
    m_instance = instance;
    if (!RegisterMenuClass(instance, &CPopupMenu::MenuProc))
        return false;
    m_items.clear();
    m_painter.Reset(instance, imageStripId);
    return true;
}

bool CPopupMenu::AppendItem(DWORD flags, const char* text, UINT commandId, int imageIndex, COLORREF highlightColour)
{
    PopupMenuItem item;
    item.flags = flags;
    item.text = text ? text : "";
    item.commandId = commandId;
    item.imageIndex = imageIndex;
    item.highlightColour = highlightColour;
    m_items.push_back(item);
    return true;
}

// A secondary monitor bounds the menu by its full rectangle; the primary one by
// its work area, whose left and top edges never move the menu.
RECT CPopupMenu::PlaceOnMonitor(RECT menu) const
{
    const POINT corner{menu.left, menu.top};
    HMONITOR monitor = ::MonitorFromPoint(corner, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetSystemMetrics(SM_CMONITORS) > 1 && ::GetMonitorInfoA(monitor, &info) &&
        !(info.dwFlags & MONITORINFOF_PRIMARY))
        return FitMenuRect(menu, info.rcMonitor, POINT{info.rcMonitor.left, info.rcMonitor.top});
    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    return FitMenuRect(menu, workArea, POINT{0, 0});
}

int CPopupMenu::Track(POINT point, HWND owner, bool modal, bool keyboard, HWND notify)
{
    Close();
    m_highlighted = -1;
    m_result = 0;
    SIZE size = m_painter.Layout(m_items, DisplayScale::ForWindow(owner));
    RECT rect = PlaceOnMonitor(RECT{point.x, point.y, point.x + size.cx, point.y + size.cy});

    // The window procedure sets m_window as soon as the window exists. Hidden
    // until it is made for the scale of the monitor it opens on, which may not
    // be its owner's.
    HWND window = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, L"", WS_POPUP, rect.left, rect.top,
                                    size.cx, size.cy, owner, nullptr, m_instance, this);
    if (!window)
        return 0;
    const DisplayScale there = DisplayScale::ForWindow(window);
    if (there != m_painter.Scale()) {
        size = m_painter.Layout(m_items, there);
        rect = PlaceOnMonitor(RECT{point.x, point.y, point.x + size.cx, point.y + size.cy});
        ::MoveWindow(window, rect.left, rect.top, size.cx, size.cy, FALSE);
    }
    ::ShowWindow(window, SW_SHOW);
    ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
    m_effects.OpenWindow(window, 0, 0, 1, 0, 0, 200, 10, 245);
    ::SetFocus(window);
    if (!::IsWindow(window))
        return 0;

    if (keyboard) {
        m_leftButtonWasDown = false;
        m_rightButtonWasDown = false;
        m_state = 1;
    } else {
        ::SetCapture(window);
        m_state = 2;
        m_leftButtonWasDown = (::GetKeyState(VK_LBUTTON) & 0x8000) != 0;
        m_rightButtonWasDown = (::GetKeyState(VK_RBUTTON) & 0x8000) != 0;
    }
    m_modal = modal;
    m_notify = notify ? notify : owner;
    if (!modal)
        return 0;

    MSG message{};
    while (::IsWindow(window)) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // The quit belongs to the loop outside ours.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            Close();
            break;
        }
        if (got == -1)
            break;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(m_result);
}

void CPopupMenu::Close()
{
    m_highlighted = -1;
    m_result = 0;
    if (m_window)
        ::DestroyWindow(m_window);
}

void CPopupMenu::Choose(int index)
{
    m_result = m_items[index].commandId;
    ::DestroyWindow(m_window);
}

LRESULT CALLBACK CPopupMenu::MenuProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* creator = static_cast<CPopupMenu*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        creator->m_window = window;
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creator));
    }
    auto* menu = reinterpret_cast<CPopupMenu*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY)
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    if (!menu || message == WM_NCCREATE || message == WM_NCDESTROY)
        return ::DefWindowProcW(window, message, wParam, lParam);
    try {
        return menu->WindowProc(message, wParam, lParam);
    } catch (...) {
        AfxReportCaughtException(__FILE__, __LINE__);
        return 0;
    }
}

LRESULT CPopupMenu::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND window = m_window;  // OnDestroy clears m_window
    switch (message) {
    case WM_DESTROY: OnDestroy(); break;
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
    case WM_CHAR: OnChar(wParam); return 0;
    case WM_KEYDOWN: OnKeyDown(wParam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(lParam); return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: OnButtonDown(lParam); return 0;
    case WM_LBUTTONUP: OnButtonUp(lParam, m_leftButtonWasDown); return 0;
    case WM_RBUTTONUP: OnButtonUp(lParam, m_rightButtonWasDown); return 0;
    case WM_ACTIVATE: OnActivate(wParam); break;
    case WM_CAPTURECHANGED: OnCaptureChanged(lParam); return 0;
    case WM_DPICHANGED: OnDpiChanged(wParam, lParam); return 0;
    case WM_CLOSE: Close(); return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// The command is posted only now, so the owner handles it with the menu gone.
void CPopupMenu::OnDestroy()
{
    if (m_state == 2)
        ::ReleaseCapture();
    m_state = 0;
    m_window = nullptr;
    if (!m_modal && m_result != 0)
        ::PostMessageA(m_notify, WM_COMMAND, m_result, 0);
}

void CPopupMenu::OnPaint()
{
    PaintScope paint(m_window);
    for (size_t i = 0; i < m_items.size(); ++i)
        DrawItem(paint.dc(), static_cast<int>(i));
}

LRESULT CPopupMenu::OnEraseBkgnd(HDC dc)
{
    RECT client{};
    ::GetClientRect(m_window, &client);
    m_painter.DrawBackground(dc, client);
    return 1;
}

void CPopupMenu::OnChar(WPARAM character)
{
    const int index = FindMnemonicItem(m_items, static_cast<wchar_t>(character));
    if (index >= 0)
        Choose(index);
}

void CPopupMenu::OnKeyDown(WPARAM key)
{
    switch (key) {
    case VK_ESCAPE: Close(); break;
    case VK_UP: SetHighlight(NextSelectableItem(m_items, m_highlighted, -1)); break;
    case VK_DOWN: SetHighlight(NextSelectableItem(m_items, m_highlighted, +1)); break;
    case VK_RETURN:
        if (m_highlighted >= 0 && m_items[m_highlighted].commandId != 0 && !m_items[m_highlighted].Is(MIF_GRAYED))
            Choose(m_highlighted);
        break;
    }
}

void CPopupMenu::OnMouseMove(LPARAM lParam)
{
    SetHighlight(
        HitTestMenu(m_items, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, ClientSize(), m_painter.Scale()));
}

void CPopupMenu::OnButtonDown(LPARAM lParam)
{
    if (IsOutsideMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, ClientSize(), m_painter.Scale()))
        Close();
}

// The release of the press that opened the menu must not choose the item that
// happens to be under the pointer. A grey item looks unavailable, so it is not
// chosen either.
void CPopupMenu::OnButtonUp(LPARAM lParam, bool& openedWithThisButton)
{
    if (openedWithThisButton) {
        openedWithThisButton = false;
        return;
    }
    if (IsOutsideMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, ClientSize(), m_painter.Scale())) {
        Close();
        return;
    }
    if (m_highlighted >= 0 && m_items[m_highlighted].commandId != 0 && !m_items[m_highlighted].Is(MIF_GRAYED))
        Choose(m_highlighted);
}

// Another window became active (a click into another program, Alt+Tab): the menu
// would otherwise stay on top of it. Posted, because the activation is still
// under way.
void CPopupMenu::OnActivate(WPARAM wParam)
{
    if (LOWORD(wParam) == WA_INACTIVE)
        ::PostMessageA(m_window, WM_CLOSE, 0, 0);
}

// Someone else took the capture; ours is no longer ours to release.
void CPopupMenu::OnCaptureChanged(LPARAM lParam)
{
    if (m_state == 2 && reinterpret_cast<HWND>(lParam) != m_window)
        m_state = 1;
}

// The monitor's scale changed under the open menu (the user set another): the
// menu is made for it where Windows proposes.
void CPopupMenu::OnDpiChanged(WPARAM wParam, LPARAM lParam)
{
    const SIZE size = m_painter.Layout(m_items, DisplayScale(LOWORD(wParam)));
    RECT place{};
    ::GetWindowRect(m_window, &place);
    if (lParam)
        place = *reinterpret_cast<const RECT*>(lParam);
    ::SetWindowPos(m_window, nullptr, place.left, place.top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(m_window, nullptr, TRUE);
}

SIZE CPopupMenu::ClientSize() const
{
    RECT client{};
    ::GetClientRect(m_window, &client);
    return SIZE{client.right, client.bottom};
}

// Only the item left and the item entered are redrawn.
void CPopupMenu::SetHighlight(int index)
{
    if (index == m_highlighted)
        return;
    ClientDCScope client(m_window);
    const int old = m_highlighted;
    m_highlighted = index;
    if (old >= 0)
        DrawItem(client.dc(), old);
    if (index >= 0)
        DrawItem(client.dc(), index);
}

void CPopupMenu::DrawItem(HDC dc, int index) const
{
    m_painter.DrawItem(dc, m_items[index], index == m_highlighted);
}
