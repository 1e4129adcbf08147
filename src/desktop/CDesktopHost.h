#pragma once

#include "framework/CDialog.h"

#include <windows.h>

#include <shlobj.h>

// Puts a note window on the desktop: a child of the shell's desktop view, among
// the icons and beneath every application window, untouched by minimising or
// switching applications. A due reminder is taken off the desktop to the front
// and put back after a snooze. One per note window.
//
// Where the desktop has no icon view at all (Wine; shells arranged otherwise)
// PlaceOnDesktop still shows the window: as a top-level tool window without an
// owner, kept at the bottom of the z-order.
class CDesktopHost {
public:
    CDesktopHost();
    virtual ~CDesktopHost() = default;
    CDesktopHost(const CDesktopHost&) = delete;
    CDesktopHost& operator=(const CDesktopHost&) = delete;

    // Looks for the window that shows the desktop icons: 0 when found; -1 no
    // "Progman", -2 the host view is not a desktop view, -3 no icon window.
    int Find();
    // The desktop view window ("SHELLDLL_DefView"), else "Progman"; null when
    // there is neither.
    static HWND GetHostView();
    // Forgets the view window found earlier (tests build desktops of their own).
    static void ResetCache();

    // While one lives, every Find answers what the first one found: notes
    // opened in one go share one look at the shell's windows and settings.
    class SharedSearch {
    public:
        SharedSearch();
        ~SharedSearch();
        SharedSearch(const SharedSearch&) = delete;
        SharedSearch& operator=(const SharedSearch&) = delete;
    };

    // Creates the window from its template, owned by owner, and makes it a child
    // of the desktop view. False, with no window created, when the desktop shows
    // no icon window or the creation failed.
    bool DockIntoDesktop(CDialog& window, UINT templateId, CWnd* owner);
    // DockIntoDesktop; where the desktop has no icon window, the window is made
    // a bottom-most tool window instead. False only when it could not be made.
    bool PlaceOnDesktop(CDialog& window, UINT templateId, CWnd* owner);
    // Takes a docked (or bottom-most) window off the desktop: top-level,
    // top-most, at the same place on the screen.
    void Undock(CWnd& window);
    // Puts an undocked window back on the desktop, at this screen position.
    void Redock(CWnd& window, POINT screenPosition);

    // The window whose client coordinates the note's place is given in while it
    // rests on the desktop: the host view, or null (the screen) when bottom-most.
    // Known from the start of the window's creation on.
    HWND PositionReference() const { return m_host; }
    // For the window's initialisation: its place (in PositionReference's
    // coordinates) and size, taken on when the window is first shown, in the
    // same move that shows it.
    void PlaceWhenShown(POINT place, SIZE size);
    bool IsBottomMost() const { return m_bottomMost; }
    bool IsUndocked() const { return m_undocked; }
    // For WM_WINDOWPOSCHANGING of the window: while it rests bottom-most,
    // whatever would raise it (a click, an activation) leaves it at the bottom.
    void KeepAtBottom(WINDOWPOS* position) const;
    // For WM_WINDOWPOSCHANGED: some systems (Wine among them) raise the window
    // as first asked all the same; it goes back under the others at once.
    void ReturnToBottom(HWND window, const WINDOWPOS& position) const;

    bool IsWebViewDesktop() const { return m_webView; }
    // The icon window of the last successful Find, and whether it was found
    // below the view window rather than directly below "Progman".
    HWND Target() const { return m_target; }
    bool IsUnderView() const { return m_underView; }

protected:
    // Whether the shell shows the desktop as a web view (Active Desktop).
    // Virtual so that tests can try both modes; Wine has no such setting.
    virtual bool ReadWebViewFlag() const;

private:
    using SettingsQuery = void(WINAPI*)(LPSHELLFLAGSTATE, DWORD);

    int FindNow();
    int FindWithMode(bool webView);
    void ApplyFirstFrame(HWND window, HWND insertAfter);

    SettingsQuery m_settingsQuery = nullptr;
    bool m_webView = false;
    HWND m_target = nullptr;
    bool m_underView = false;
    HWND m_host = nullptr;
    bool m_bottomMost = false;
    bool m_undocked = false;
    bool m_hasShownFrame = false;
    RECT m_shownFrame{};
};
