#include "WeatherTestWindow.h"

#include "framework/Utf8.h"
#include "mainwnd/CityList.h"
#include "mainwnd/WeatherStatusLine.h"
#include "resource.h"
#include "shared/PrivateMessages.h"

namespace {

const char CLASS_NAME[] = "ZorlaWeatherTestWindow";
const UINT_PTR kDisplayTimer = 20;

void RegisterOnce()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = CLASS_NAME;
    registered = RegisterClassA(&wc) != 0;
}

}  // namespace

WeatherTestWindow::WeatherTestWindow()
{
    RegisterOnce();
    m_window = CreateWindowExA(0, CLASS_NAME, "weather test", WS_POPUP, 0, 0, 440, 444, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WeatherTestWindow::WindowProc));
    m_combo =
        CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL, 160, 220, 168, 200,
                        m_window, reinterpret_cast<HMENU>(IDC_CITY_LIST), GetModuleHandleA(nullptr), nullptr);
}

WeatherTestWindow::~WeatherTestWindow()
{
    SetWindowLongPtrA(m_window, GWLP_USERDATA, 0);
    DestroyWindow(m_window);
}

void WeatherTestWindow::Attach(WeatherService* service, WindowHttpFetch* fetch)
{
    if (m_service)
        m_service->SetListener(nullptr);
    m_service = service;
    m_fetch = fetch;
    if (service)
        service->SetListener(this);
    if (fetch)
        fetch->Attach(m_window);
}

LRESULT CALLBACK WeatherTestWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<WeatherTestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message == WM_WEATHER_DONE && self->m_fetch) {
        self->m_fetch->Deliver(wParam);
        return 0;
    }
    if (self && message == WM_TIMER && wParam == kDisplayTimer) {
        KillTimer(window, kDisplayTimer);
        self->displayPending = false;
        ++self->displayRefreshes;
        self->Refill();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void WeatherTestWindow::Refill()
{
    if (!m_service)
        return;
    const auto text = CityList::Fill(m_combo, m_service->Records(), selection);
    if (text)
        weatherText = *text;
}

void WeatherTestWindow::CheckThread()
{
    if (GetCurrentThreadId() != m_thread)
        ++foreignThreadCalls;
}

void WeatherTestWindow::OnWeatherStatus(WeatherService::Status status, const std::string& detail)
{
    CheckThread();
    const WeatherStatusLine line = WeatherStatusLine::For(status, detail);
    m_statuses.push_back({line.text, line.transient});
}

void WeatherTestWindow::OnWeatherChanged()
{
    CheckThread();
    displayPending = true;
    SetTimer(m_window, kDisplayTimer, 10, nullptr);
}

std::vector<std::string> WeatherTestWindow::Cities() const
{
    std::vector<std::string> cities;
    const LRESULT count = SendMessageA(m_combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::vector<wchar_t> buffer(static_cast<size_t>(SendMessageW(m_combo, CB_GETLBTEXTLEN, i, 0)) + 1);
        SendMessageW(m_combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(buffer.data()));
        cities.push_back(Narrow(buffer.data()));
    }
    return cities;
}

std::string WeatherTestWindow::SelectedCity() const
{
    const LRESULT index = SendMessageA(m_combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR)
        return std::string();
    std::vector<wchar_t> buffer(static_cast<size_t>(SendMessageW(m_combo, CB_GETLBTEXTLEN, index, 0)) + 1);
    SendMessageW(m_combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer.data()));
    return Narrow(buffer.data());
}

size_t WeatherTestWindow::StatusCount(const std::string& text) const
{
    size_t count = 0;
    for (const Status& status : m_statuses)
        count += status.text == text ? 1 : 0;
    return count;
}

bool WeatherTestWindow::PumpUntilDone(DWORD ms)
{
    return PumpUntil([this] { return m_service && !m_service->IsUpdateInProgress() && !displayPending; }, ms);
}

void WeatherTestWindow::Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
