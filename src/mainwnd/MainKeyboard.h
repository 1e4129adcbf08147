#pragma once

#include "mainwnd/FocusRing.h"

#include <windows.h>

#include <functional>

class HotSpot;
class PictureFace;

// The main window by keyboard: Tab and Shift+Tab walk the current view's
// controls and hot spots in one ring, the arrows walk the hot spots, Enter or
// Space does what a click on the focused hot spot does and Escape goes home.
// The focused hot spot wears a mark in the art's blue while the main window
// has the focus, from the first key on, not while the mouse is used. Screen
// readers hear of each move (the hot spots are the children of the window's
// accessible object, numbered from 1 in ring order).
class MainKeyboard {
public:
    // press runs a hot spot as a click does.
    MainKeyboard(PictureFace& face, std::function<void(int hotSpot)> press, std::function<void()> goHome);

    // Keys for the main window and its controls, before the dialog manager
    // sees them; true when taken.
    bool PreTranslate(const MSG& message);
    // WM_SETFOCUS of the main window: true when it keeps the focus itself for
    // a hot spot, rather than handing it to a control.
    bool OnSetFocus();
    void OnKillFocus(HWND gaining);
    // A click: the mark hides until the next key.
    void OnMouseUsed();
    // After anything that may have changed the view: a new set of hot spots
    // is announced, and a focus on a hot spot now gone moves to the first.
    void SyncView();
    void PaintMark(HDC dc) const;

    // The current view's ring and its hot spots (child i is HotSpots()[i - 1]).
    FocusRing Ring() const;
    std::vector<int> HotSpots() const { return Ring().HotSpots(); }
    // 0 while no hot spot has the keyboard's focus.
    int FocusedHotSpot() const { return m_focused; }
    bool MarkShown() const;
    // Gives the main window the focus on hot spot id, marked when cues show.
    void FocusHotSpot(int id);
    const HotSpot* Find(int id) const;
    HWND Window() const;
    const PictureFace& Face() const { return m_face; }

    static const COLORREF kMarkColor;

private:
    bool Walk(const MSG& message, int step, bool hotSpotsOnly);
    void SetFocused(int id);
    void InvalidateMark() const;
    int ChildId(int hotSpot) const;

    PictureFace& m_face;
    std::function<void(int hotSpot)> m_press;
    std::function<void()> m_goHome;
    int m_focused = 0;
    bool m_cues = false;
    int m_lastView = 0;
};
