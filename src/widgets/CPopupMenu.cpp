#include "widgets/CPopupMenu.h"

#include "framework/CWnd.h"
#include "framework/ExceptionReport.h"
#include "framework/Utf8.h"
#include "image/ScaledArt.h"
#include "widgets/PopupMenuLayout.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

namespace {

const wchar_t kClassName[] = L"vlsMenuClass";
// Places of a row at 96 DPI, scaled where they are used.
const int kImageWidth = 16;  // a cell of the image strip
const int kTextLeft = 23;
const int kRowLeft = 3;       // the frame's and the margin's width on either side
const int kImageBoxRight = 21;  // the box around an image spans kRowLeft to here

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

int FontHeight(HDC dc, HFONT font)
{
    SelectScope selected(dc, font);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    return metrics.tmHeight;
}

// Lines stay whole pixels: one wide up to twice the base scale, where a line
// of a pixel and a half would blur.
int LineWidth(const DisplayScale& scale)
{
    return std::max(1, scale.Dpi() / DisplayScale::kBaseDpi);
}

void Band(HDC dc, HBRUSH brush, const RECT& rect)
{
    ::FillRect(dc, &rect, brush);
}

void Fill(HDC dc, const RECT& rect, COLORREF colour)
{
    GdiBrush brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &rect, brush.get());
}

}  // namespace

CPopupMenu::~CPopupMenu()
{
    Close();
}

void CPopupMenu::SetFont(FontForDpi font)
{
    m_fontForDpi = std::move(font);
}

bool CPopupMenu::Init(HINSTANCE instance, int imageStripId)
{
    Close();
    m_instance = instance;
    m_imageStripId = imageStripId;
    if (!RegisterMenuClass(instance, &CPopupMenu::MenuProc))
        return false;
    m_items.clear();
    MakeGdiObjects();
    return true;
}

void CPopupMenu::MakeGdiObjects()
{
    m_borderBrush.reset(::CreateSolidBrush(colours.border));
    m_lightBrush.reset(::CreateSolidBrush(colours.light3D));
    m_shadowBrush.reset(::CreateSolidBrush(colours.shadow3D));
    m_backgroundBrush.reset(::CreateSolidBrush(colours.background));
    m_highlightBrush.reset(::CreateSolidBrush(colours.highlight));
    // The key colour may have changed.
    m_imageStripDpi = 0;
}

void CPopupMenu::MakeFonts()
{
    m_scaledStockFont.reset();
    m_boldFont.reset();
    m_normalFont = m_fontForDpi ? m_fontForDpi(m_scale.Dpi()) : nullptr;
    if (m_normalFont) {
        LOGFONTA log{};
        ::GetObjectA(m_normalFont, sizeof log, &log);
        log.lfWeight = FW_BOLD;
        m_boldFont.reset(::CreateFontIndirectA(&log));
    } else {
        // The stock font is made for the system's scale.
        m_normalFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
        const int systemDpi = DisplayScale::ForSystem().Dpi();
        if (m_scale.Dpi() != systemDpi) {
            LOGFONTA log{};
            ::GetObjectA(m_normalFont, sizeof log, &log);
            log.lfHeight = ::MulDiv(log.lfHeight, m_scale.Dpi(), systemDpi);
            log.lfWidth = ::MulDiv(log.lfWidth, m_scale.Dpi(), systemDpi);
            m_scaledStockFont.reset(::CreateFontIndirectA(&log));
            if (m_scaledStockFont)
                m_normalFont = m_scaledStockFont.get();
        }
    }
    MemoryDC info(::CreateICA("DISPLAY", nullptr, nullptr, nullptr));
    m_normalFontHeight = FontHeight(info.get(), m_normalFont);
    m_boldFontHeight = FontHeight(info.get(), m_boldFont ? m_boldFont.get() : m_normalFont);
}

SIZE CPopupMenu::Layout(const DisplayScale& scale)
{
    m_scale = scale;
    MakeFonts();
    if (m_imageStripDpi != scale.Dpi()) {
        m_imageStripDpi = scale.Dpi();
        // Resampled with the key colour kept as holes, so they stay transparent.
        if (m_imageStripId == -1 ||
            !ScaledArt::LoadBitmap(m_instance, m_imageStripId, scale, m_imageStrip, true, colours.key))
            m_imageStrip = PLDIBSection();
    }
    MemoryDC info(::CreateICA("DISPLAY", nullptr, nullptr, nullptr));
    const SIZE size = LayoutPopupMenu(
        m_items, [&](const PopupMenuItem& item) { return TextWidth(info.get(), item); }, scale);
    m_width = size.cx;
    return size;
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

namespace {

// A row's text is its label and, after a tab, the key that runs it too.
const int kKeyGap = 24;
const int kKeyRight = 8;

std::wstring Label(const std::string& text)
{
    return Widen(text.substr(0, text.find('\t')));
}

std::wstring KeyText(const std::string& text)
{
    const size_t tab = text.find('\t');
    return tab == std::string::npos ? std::wstring() : Widen(text.substr(tab + 1));
}

int Extent(HDC dc, const std::wstring& text)
{
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

int CPopupMenu::TextWidth(HDC dc, const PopupMenuItem& item) const
{
    SelectScope selected(dc, item.Is(MIF_BOLD) && m_boldFont ? m_boldFont.get() : m_normalFont);
    const std::wstring key = KeyText(item.text);
    return Extent(dc, Label(item.text)) + (key.empty() ? 0 : m_scale.Px(kKeyGap) + Extent(dc, key) + m_scale.Px(kKeyRight));
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
    SIZE size = Layout(DisplayScale::ForWindow(owner));
    RECT rect = PlaceOnMonitor(RECT{point.x, point.y, point.x + size.cx, point.y + size.cy});

    // The window procedure sets m_window as soon as the window exists. Hidden
    // until it is made for the scale of the monitor it opens on, which may not
    // be its owner's.
    HWND window = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kClassName, L"", WS_POPUP, rect.left, rect.top,
                                    size.cx, size.cy, owner, nullptr, m_instance, this);
    if (!window)
        return 0;
    const DisplayScale there = DisplayScale::ForWindow(window);
    if (there != m_scale) {
        size = Layout(there);
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
    ::FillRect(dc, &client, m_backgroundBrush.get());
    const int line = LineWidth(m_scale);
    const LONG right = client.right;
    const LONG bottom = client.bottom;
    Band(dc, m_lightBrush.get(), RECT{0, 0, line, bottom});
    Band(dc, m_lightBrush.get(), RECT{0, 0, right, line});
    Band(dc, m_borderBrush.get(), RECT{right - line, 0, right, bottom});
    Band(dc, m_borderBrush.get(), RECT{0, bottom - line, right, bottom});
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
    SetHighlight(HitTestMenu(m_items, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, ClientSize(), m_scale));
}

void CPopupMenu::OnButtonDown(LPARAM lParam)
{
    if (IsOutsideMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, ClientSize(), m_scale))
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
    if (IsOutsideMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, ClientSize(), m_scale)) {
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
    const SIZE size = Layout(DisplayScale(LOWORD(wParam)));
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
    const PopupMenuItem& item = m_items[index];
    if (item.Is(MIF_SEPARATOR)) {
        DrawSeparator(dc, item);
        return;
    }
    const bool highlighted = index == m_highlighted;
    const int t = item.top;
    int fillLeft = m_scale.Px(kRowLeft);
    if (item.imageIndex >= 0) {
        DrawImage(dc, item, highlighted);
        fillLeft = m_scale.Px(kImageBoxRight);
    }
    COLORREF fill = colours.background;
    if (highlighted)
        fill = item.highlightColour ? item.highlightColour : colours.highlight;
    Fill(dc, RECT{fillLeft, t, m_width - m_scale.Px(kRowLeft), t + item.height}, fill);

    const bool bold = item.Is(MIF_BOLD) && m_boldFont;
    SelectScope font(dc, bold ? m_boldFont.get() : m_normalFont);
    ::SetBkMode(dc, TRANSPARENT);
    COLORREF text = colours.text;
    if (highlighted)
        text = colours.highlightText;
    else if (item.Is(MIF_GRAYED))
        text = colours.grayedText;
    ::SetTextColor(dc, text);
    const int top = t + (item.height - (bold ? m_boldFontHeight : m_normalFontHeight)) / 2;
    const int textLeft = m_scale.Px(kTextLeft);
    RECT textRect{textLeft, top, std::max(1023, m_width), top + 1000};
    const std::wstring label = Label(item.text);
    ::DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &textRect, DT_NOCLIP);
    const std::wstring key = KeyText(item.text);
    RECT keyRect{textLeft, top, m_width - m_scale.Px(kKeyRight), top + 1000};
    ::DrawTextW(dc, key.c_str(), static_cast<int>(key.size()), &keyRect, DT_NOCLIP | DT_RIGHT | DT_NOPREFIX);
}

// An etched line in the middle of the row, its ends bevelled.
void CPopupMenu::DrawSeparator(HDC dc, const PopupMenuItem& item) const
{
    const int line = LineWidth(m_scale);
    const int left = m_scale.Px(kRowLeft);
    const int right = m_width - m_scale.Px(kRowLeft) + 1;  // exclusive
    const int upper = item.top + (item.height - 2 * line) / 2;
    const int lower = upper + line;
    Band(dc, m_shadowBrush.get(), RECT{left + line, upper, right, lower});
    Band(dc, m_lightBrush.get(), RECT{left, upper, left + line, lower});
    Band(dc, m_lightBrush.get(), RECT{left, lower, right - line, lower + line});
    Band(dc, m_shadowBrush.get(), RECT{right - line, lower, right, lower + line});
}

// The box around the image is raised while the item is highlighted and painted
// over in the background colour when it is left.
void CPopupMenu::DrawImage(HDC dc, const PopupMenuItem& item, bool highlighted) const
{
    const int line = LineWidth(m_scale);
    const RECT box{m_scale.Px(kRowLeft), item.top, m_scale.Px(kImageBoxRight), item.top + item.height};
    HBRUSH light = highlighted ? m_lightBrush.get() : m_backgroundBrush.get();
    HBRUSH shadow = highlighted ? m_shadowBrush.get() : m_backgroundBrush.get();
    Band(dc, light, RECT{box.left, box.top, box.left + line, box.bottom});
    Band(dc, light, RECT{box.left, box.top, box.right, box.top + line});
    Band(dc, shadow, RECT{box.right - line, box.top, box.right, box.bottom});
    Band(dc, shadow, RECT{box.left, box.bottom - line, box.right, box.bottom});
    if (m_imageStrip.IsEmpty())
        return;
    // The cells are cut from the strip at the strip's scale, edge by edge.
    const int cellLeft = m_scale.Px(kImageWidth * item.imageIndex);
    const int cellWidth = m_scale.Px(kImageWidth * (item.imageIndex + 1)) - cellLeft;
    const int cellHeight = m_imageStrip.Height();
    const int innerHeight = box.bottom - box.top - 2 * line;
    MemoryDC strip(::CreateCompatibleDC(dc));
    SelectScope selected(strip.get(), m_imageStrip.Handle());
    ::GdiTransparentBlt(dc, box.left + line, box.top + line + (innerHeight - cellHeight) / 2, cellWidth, cellHeight,
                        strip.get(), cellLeft, 0, cellWidth, cellHeight, colours.key);
}
