#pragma once

#include <windows.h>

#include <functional>
#include <string>

// While it exists, each send-to-friend dialog this thread opens is handed to
// the given answer as soon as it is activated; the answer fills the fields and
// posts the button that ends it. A dialog still open after a long while is
// cancelled, so a test whose input went astray ends instead of hanging.
class SendDialogDriver {
public:
    using Answer = std::function<void(HWND dialog)>;

    explicit SendDialogDriver(Answer answer);
    ~SendDialogDriver();
    SendDialogDriver(const SendDialogDriver&) = delete;
    SendDialogDriver& operator=(const SendDialogDriver&) = delete;

    int Shown() const { return m_shown; }
    bool GaveUp() const { return m_gaveUp; }

    // Answers: type the recipients (and a text) and press Send; press Cancel.
    static Answer Send(const std::string& recipients, const std::string& text = "");
    static Answer Cancel();

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK OnWatchdog(HWND, UINT, UINT_PTR timer, DWORD);

    Answer m_answer;
    HHOOK m_hook = nullptr;
    int m_shown = 0;
    bool m_gaveUp = false;
    HWND m_open = nullptr;
    UINT_PTR m_watchdog = 0;
};

// A control's text.
std::string ItemText(HWND dialog, int id);
