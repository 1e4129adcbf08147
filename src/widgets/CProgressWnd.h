#pragma once

#include "framework/CWnd.h"
#include "framework/Handles.h"
#include "image/DisplayScale.h"

#include <string>

// A small captioned pop-up with a text line, a progress bar and an optional
// Cancel button, shown while long work runs on the user-interface thread. Each
// Update lets the thread's pending messages run; an Escape among them, or the
// Cancel button, marks the window cancelled. Its place on the screen is kept
// in the settings ("Settings", "X" and "Y").
class CProgressWnd : public CWnd {
public:
    // Creates and shows the window at once; without a parent it is owned by the
    // application's main window.
    CProgressWnd(CWnd* parent, const char* title, bool smooth = false, bool withCancelButton = false);
    ~CProgressWnd() override;

    // False when a child control could not be made (the window may still exist).
    bool IsCreated() const { return m_created; }
    bool Cancelled() const { return m_cancelled; }

    void SetText(const char* format, ...);
    // The bar's previous position, or the stored one when there is no window.
    int SetPos(int position);
    void Update(const char* text, int position);
    // Runs waiting messages until none is left or the window is cancelled;
    // false when the message loop is to end (the quit message is posted again).
    bool PeekAndPump(bool cancelOnEscape = true);
    void Show();
    void Hide();
    // Over its owner when that is shown, else over the work area.
    void CenterWindow();

    static const int kCancelId = 10;
    static const int kTextId = 11;
    static const int kBarId = 12;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool Create(HWND parent, bool smooth, bool withCancelButton);
    // textWidth at 96 DPI; the window and its children at m_scale.
    void Layout(int textWidth);
    void SetFonts();
    void Place();
    LRESULT OnEraseBkgnd(HDC dc);
    LRESULT OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);

    bool m_cancelled = false;
    bool m_modal = false;  // nothing sets it; honoured on destruction
    bool m_keepPosition = true;
    int m_position = 0;
    int m_percent = 0;
    int m_upper = 100;
    int m_lower = 0;
    int m_textLines = 4;
    HWND m_text = nullptr;
    HWND m_bar = nullptr;
    HWND m_cancelButton = nullptr;
    std::string m_title;
    std::string m_cancelText = " Cancel ";
    GdiFont m_font;
    DisplayScale m_scale;
    bool m_created = false;
};
