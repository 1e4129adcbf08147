#pragma once

#include "net/WindowHttpFetch.h"
#include "weather/WeatherService.h"

#include <windows.h>

#include <string>
#include <vector>

// A hidden stand-in for the main window: a real top-level window with a sorted
// drop-down city list, wired to the weather the way the main window is
// (download message, display timer, status line).
class WeatherTestWindow : public WeatherService::Listener {
public:
    struct Status {
        std::string text;
        bool transient = false;
    };

    WeatherTestWindow();
    ~WeatherTestWindow();
    WeatherTestWindow(const WeatherTestWindow&) = delete;
    WeatherTestWindow& operator=(const WeatherTestWindow&) = delete;

    // Listens to the service and hands the fetch's outcomes back to it.
    void Attach(WeatherService* service, WindowHttpFetch* fetch);

    HWND Window() const { return m_window; }
    void OnWeatherStatus(WeatherService::Status status, const std::string& detail) override;
    // Arms a display timer of its own, as the main window does.
    void OnWeatherChanged() override;

    HWND Combo() const { return m_combo; }
    std::vector<std::string> Cities() const;
    std::string SelectedCity() const;
    std::vector<Status> Statuses() const { return m_statuses; }
    std::string LastStatus() const { return m_statuses.empty() ? std::string() : m_statuses.back().text; }
    size_t StatusCount(const std::string& text) const;

    // Pumps this thread's messages until pred holds, for at most ms.
    template <typename Pred>
    bool PumpUntil(Pred pred, DWORD ms = 30000)
    {
        const DWORD start = GetTickCount();
        for (;;) {
            Pump();
            if (pred())
                return true;
            if (GetTickCount() - start >= ms)
                return false;
            Sleep(10);
        }
    }
    // Pumps until the download that is running has been handed over and the
    // display timer it armed, if any, has run.
    bool PumpUntilDone(DWORD ms = 30000);

    bool noInternet = false;
    std::string selection;    // the main window's remembered city
    std::string weatherText;  // what ShowWeatherText would draw
    int displayRefreshes = 0;
    bool displayPending = false;
    // Calls that came on another thread than the window's: the action may reach
    // its view from the user-interface thread only.
    int foreignThreadCalls = 0;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Pump();
    void Refill();
    void CheckThread();

    HWND m_window = nullptr;
    HWND m_combo = nullptr;
    DWORD m_thread = GetCurrentThreadId();
    WeatherService* m_service = nullptr;
    WindowHttpFetch* m_fetch = nullptr;
    std::vector<Status> m_statuses;
};
