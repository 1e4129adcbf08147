#pragma once

#include <windows.h>

#include <functional>

// Runs whileOpen once a modal dialog that the test opens afterwards is open,
// from that dialog's own message loop: a thread timer polls find, and a thread
// timer is dispatched only by a loop of its thread. whileOpen looks at the
// dialog and posts or sends the input that ends it. Should the dialog still be
// open long after (input gone astray), it is sent WM_CLOSE, so the test fails
// instead of hanging. One at a time per thread.
class WhileModal {
public:
    // find returns the dialog's window once it is open, else null.
    WhileModal(std::function<HWND()> find, std::function<void(HWND dialog)> whileOpen);
    ~WhileModal();
    WhileModal(const WhileModal&) = delete;
    WhileModal& operator=(const WhileModal&) = delete;

    bool Ran() const { return m_ran; }
    bool GaveUp() const { return m_gaveUp; }

private:
    static void CALLBACK OnPoll(HWND, UINT, UINT_PTR timer, DWORD);
    static void CALLBACK OnWatchdog(HWND, UINT, UINT_PTR timer, DWORD);

    std::function<HWND()> m_find;
    std::function<void(HWND)> m_whileOpen;
    UINT_PTR m_poll = 0;
    UINT_PTR m_watchdog = 0;
    bool m_ran = false;
    bool m_gaveUp = false;
};

// A visible dialog window that owner owns, such as the modal box it opened;
// null when there is none.
HWND FindOwnedDialog(HWND owner);
