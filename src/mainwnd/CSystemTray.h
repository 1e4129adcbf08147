#pragma once

#include "framework/CWnd.h"
#include "framework/Handles.h"
#include "image/DisplayScale.h"

#include <shellapi.h>

#include <string>

// The shell call that adds and deletes notification icons; tests put their own
// in front of it to see what reaches the shell. Null puts the shell's back.
using NotifyIconCall = BOOL (*)(DWORD message, NOTIFYICONDATAW* data);
NotifyIconCall SetNotifyIconCall(NotifyIconCall call);

// The tooltip as the shell's first icon record holds it: at most `limit`
// UTF-16 units, never ending in the first half of a surrogate pair.
std::string CutTooltip(const char* text, size_t limit = 63);

// One icon in the notification area, with an invisible window of its own that
// hears about the taskbar coming back. The icon's mouse messages go to the
// window given at creation.
class CSystemTray : public CWnd {
public:
    CSystemTray() = default;
    ~CSystemTray() override;

    // The "TaskbarCreated" message the shell sends when the taskbar comes
    // (back); registered once at program start.
    static UINT TaskbarCreatedMessage();

    // iconId: the icon resource, loaded at the small-icon size for the
    // notify window's scale.
    bool Create(HWND notify, UINT callbackMessage, const char* tooltip, int iconId, UINT id, bool startHidden);
    // The icon at the small-icon size for scale; the shell takes it at once
    // when the icon is shown. False, the old icon kept, when it cannot be loaded.
    bool Rescale(const DisplayScale& scale);
    bool AddIcon();
    bool RemoveIcon();
    bool ShowIcon();
    bool HideIcon();

    bool IsEnabled() const { return m_enabled; }
    bool IsHidden() const { return m_hidden; }
    bool IsRemoved() const { return m_removed; }
    bool IsReAddPending() const { return m_reAddPending; }
    const NOTIFYICONDATAW& IconData() const { return m_data; }

    // The invisible owner of the window while it is in the tray (so it has no
    // taskbar button): made on the first trip there, destroyed with the tray.
    HWND ParentWindow();
    // The owner, or null before the first trip.
    HWND ExistingParentWindow() const { return m_parent.get(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnTaskbarCreated();
    LRESULT OnSettingChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnQueryEndSession(WPARAM wParam, LPARAM lParam);
    void ReAdd();
    bool Notify(DWORD message, UINT flags);

    NOTIFYICONDATAW m_data{};
    int m_iconId = 0;
    DisplayScale m_scale;
    IconHandle m_icon;
    bool m_enabled = false;
    bool m_hidden = true;
    bool m_removed = true;
    bool m_reAddPending = false;
    WindowHandle m_parent;
};
