#include "widgets/CProgressWnd.h"

#include "base/StoredNames.h"

#include "framework/AfxFunctions.h"
#include "framework/ExceptionReport.h"
#include "framework/ProfileSettings.h"
#include "framework/Utf8.h"
#include "widgets/ProgressCaption.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace {

const wchar_t kClassName[] = L"ZorlaProgressWnd";
const int kTextWidth = 290;

const wchar_t* RegisterProgressClass()
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_OWNDC;
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = AfxGetResourceHandle();
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_APPSTARTING);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    return RegisterClassOnce(windowClass) ? kClassName : nullptr;
}

using ParametersForDpi = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

// The message font for a monitor of the scale. Windows before 10 (1607) give
// it for the system's scale only: it is scaled from there.
HFONT CreateMessageFont(const DisplayScale& scale)
{
    static const auto parametersForDpi = reinterpret_cast<ParametersForDpi>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "SystemParametersInfoForDpi")));
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (parametersForDpi &&
        parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(scale.Dpi())))
        return ::CreateFontIndirectW(&metrics.lfMessageFont);
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return nullptr;
    const int systemDpi = DisplayScale::ForSystem().Dpi();
    metrics.lfMessageFont.lfHeight = ::MulDiv(metrics.lfMessageFont.lfHeight, scale.Dpi(), systemDpi);
    metrics.lfMessageFont.lfWidth = ::MulDiv(metrics.lfMessageFont.lfWidth, scale.Dpi(), systemDpi);
    return ::CreateFontIndirectW(&metrics.lfMessageFont);
}

HWND CreateChild(HWND parent, const wchar_t* windowClass, const std::string& text, DWORD style, int id)
{
    return ::CreateWindowExW(0, windowClass, Widen(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AfxGetResourceHandle(), nullptr);
}

void MoveChild(HWND child, const RECT& place)
{
    if (child)
        ::MoveWindow(child, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
}

// Centred over the owner when it is shown, else over the work area, and kept
// on the screen either way.
void CentreOver(HWND window, HWND owner)
{
    RECT area{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT centre = area;
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner))
        ::GetWindowRect(owner, &centre);
    RECT own{};
    ::GetWindowRect(window, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    int x = (centre.left + centre.right - width) / 2;
    int y = (centre.top + centre.bottom - height) / 2;
    x = std::max(static_cast<int>(area.left), std::min(x, static_cast<int>(area.right) - width));
    y = std::max(static_cast<int>(area.top), std::min(y, static_cast<int>(area.bottom) - height));
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CProgressWnd::CProgressWnd(CWnd* parent, const char* title, bool smooth, bool withCancelButton)
    : m_title(title ? title : "")
{
    m_created = Create(parent ? parent->GetSafeHwnd() : nullptr, smooth, withCancelButton);
}

CProgressWnd::~CProgressWnd()
{
    if (!IsWindow())
        return;
    if (m_keepPosition) {
        RECT place{};
        GetWindowRect(&place);
        // A destructor must not throw; the place is lost, the window still goes.
        try {
            ProfileSettings settings;
            settings.WriteInt(stored::kProgressSection, stored::kProgressX, place.left);
            settings.WriteInt(stored::kProgressSection, stored::kProgressY, place.top);
        } catch (...) {
            AfxReportCaughtException(__FILE__, __LINE__);
        }
    }
    if (m_modal) {
        m_modal = false;
        if (CWnd* main = AfxGetMainWnd())
            main->EnableWindow(TRUE);
    }
    DestroyWindow();
}

bool CProgressWnd::Create(HWND parent, bool smooth, bool withCancelButton)
{
    const wchar_t* windowClass = RegisterProgressClass();
    if (!windowClass)
        return false;
    HWND owner = parent;
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        owner = main ? main->GetSafeHwnd() : nullptr;
    }
    HWND window = ::CreateWindowExW(WS_EX_DLGMODALFRAME, windowClass, Widen(m_title).c_str(), WS_POPUP | WS_CAPTION, 0,
                                    0, 390, 130, owner, nullptr, AfxGetResourceHandle(), nullptr);
    if (!window || !SubclassWindow(window)) {
        if (window)
            ::DestroyWindow(window);
        return false;
    }
    m_scale = DisplayScale::ForWindow(m_hWnd);
    m_font.reset(CreateMessageFont(m_scale));

    ::InitCommonControls();
    m_text = CreateChild(m_hWnd, L"Static", "", SS_LEFTNOWORDWRAP | SS_NOPREFIX, kTextId);
    if (!m_text)
        return false;
    m_bar = CreateChild(m_hWnd, PROGRESS_CLASSW, "", smooth ? PBS_SMOOTH : 0, kBarId);
    if (!m_bar)
        return false;
    if (withCancelButton) {
        m_cancelButton = CreateChild(m_hWnd, L"Button", m_cancelText, BS_PUSHBUTTON | WS_TABSTOP, kCancelId);
        if (!m_cancelButton)
            return false;
    } else {
        m_textLines = 2;
    }
    SetFonts();
    Layout(kTextWidth);
    Place();
    Show();
    return true;
}

// The button takes the message font too: left to the system font it would
// stand out bold beside the text.
void CProgressWnd::SetFonts()
{
    for (HWND child : {m_text, m_cancelButton})
        if (child)
            ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), TRUE);
}

void CProgressWnd::Layout(int textWidth)
{
    ClientDCScope client(m_text);
    SelectScope font(client.dc(),
                     m_font.get() ? static_cast<HGDIOBJ>(m_font.get()) : ::GetStockObject(DEFAULT_GUI_FONT));
    // The text area is as high as the lines it is to hold.
    std::wstring lines = L"M";
    for (int line = 1; line < m_textLines; ++line)
        lines += L"\nM";
    const int gap = m_scale.Px(10);
    RECT text{gap, gap, m_scale.Px(textWidth - 20), m_scale.Px(120)};
    ::DrawTextW(client.dc(), lines.c_str(), -1, &text, DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX);
    text.right = text.left + m_scale.Px(textWidth);

    const int edgeX = m_scale.Metric(SM_CXEDGE);
    const int edgeY = m_scale.Metric(SM_CYEDGE);
    const std::wstring buttonText = Widen(m_cancelText + "  ");
    SIZE extent{};
    ::GetTextExtentPoint32W(client.dc(), buttonText.c_str(), static_cast<int>(buttonText.size()), &extent);
    const int buttonWidth = 4 * edgeX + extent.cx;
    const int buttonHeight = 3 * edgeY + extent.cy;
    // The button's room is kept without a button, so both kinds are one size.
    const RECT button{text.right - buttonWidth, text.bottom + gap, text.right, text.bottom + gap + buttonHeight};
    const RECT bar{text.left, button.top + edgeY, button.left - gap, button.bottom - edgeY};

    RECT frame{0, 0, (text.right - text.left) + 2 * gap, (text.bottom - text.top) + buttonHeight + 3 * gap};
    m_scale.AdjustWindowRect(frame, GetStyle(), GetExStyle());
    SetWindowPos(nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    MoveChild(m_bar, bar);
    MoveChild(m_cancelButton, button);
    MoveChild(m_text, text);
}

void CProgressWnd::Place()
{
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (!m_keepPosition) {
        CentreOver(m_hWnd, owner);
        return;
    }
    const ProfileSettings settings;
    const int x = settings.GetInt(stored::kProgressSection, stored::kProgressX, -1);
    const int y = settings.GetInt(stored::kProgressSection, stored::kProgressY, -1);
    if (x < 0 || x >= ::GetSystemMetrics(SM_CXSCREEN) || y < 0 || y >= ::GetSystemMetrics(SM_CYSCREEN)) {
        CentreOver(m_hWnd, owner);
        return;
    }
    SetWindowPos(nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CProgressWnd::SetText(const char* format, ...)
{
    if (!IsWindow() || !m_text)
        return;
    char text[512];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    SetWindowTextString(m_text, text);
}

int CProgressWnd::SetPos(int position)
{
    if (!IsWindow())
        return m_position;
    Show();
    m_position = position;
    const int percent = ProgressPercent(position, m_lower, m_upper);
    if (percent != m_percent) {
        m_percent = percent;
        SetWindowText(ProgressCaption(m_title, percent));
    }
    if (!m_bar)
        return m_position;
    return static_cast<int>(::SendMessageA(m_bar, PBM_SETPOS, static_cast<WPARAM>(position), 0));
}

void CProgressWnd::Update(const char* text, int position)
{
    // The text is shown as it is, never read as a format.
    SetText("%s", text ? text : "");
    SetPos(position);
    PeekAndPump(true);
}

bool CProgressWnd::PeekAndPump(bool cancelOnEscape)
{
    MSG message;
    while (!m_cancelled && ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (cancelOnEscape && message.message == WM_CHAR && message.wParam == VK_ESCAPE)
            m_cancelled = true;
        if (!::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            continue;
        if (message.message == WM_QUIT) {
            // The loop that owns the thread must still see it.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        CWnd::DispatchQueued(&message);
    }
    return true;
}

void CProgressWnd::Show()
{
    if (!IsWindow() || IsWindowVisible())
        return;
    m_cancelled = false;
    ShowWindow(SW_SHOWNA);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE);
}

void CProgressWnd::CenterWindow()
{
    if (IsWindow())
        CentreOver(m_hWnd, ::GetWindow(m_hWnd, GW_OWNER));
}

void CProgressWnd::Hide()
{
    if (IsWindow() && IsWindowVisible())
        ShowWindow(SW_HIDE);
}

LRESULT CProgressWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: return OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_DPICHANGED: return OnDpiChanged(wParam, lParam);
    default: return CWnd::WindowProc(message, wParam, lParam);
    }
}

LRESULT CProgressWnd::OnEraseBkgnd(HDC dc)
{
    RECT client{};
    GetClientRect(&client);
    SelectScope brush(dc, ::GetSysColorBrush(COLOR_BTNFACE));
    ::PatBlt(dc, 0, 0, client.right, client.bottom, PATCOPY);
    return TRUE;
}

LRESULT CProgressWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == kCancelId)
        m_cancelled = true;
    return CWnd::WindowProc(WM_COMMAND, wParam, lParam);
}

// Moved to a monitor of another scale: font, children and size are made for
// it, the top-left corner where Windows proposes.
LRESULT CProgressWnd::OnDpiChanged(WPARAM wParam, LPARAM lParam)
{
    m_scale = DisplayScale(LOWORD(wParam));
    m_font.reset(CreateMessageFont(m_scale));
    SetFonts();
    if (lParam) {
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(nullptr, suggested->left, suggested->top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Layout(kTextWidth);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return 0;
}
