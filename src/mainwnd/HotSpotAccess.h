#pragma once

#include <windows.h>

#include <string>

class MainKeyboard;

// What the main window's accessible object says of its children, the current
// view's hot spots, numbered from 1 in the keyboard's ring order: their names
// in the interface's language, where they are on the screen, which has the
// focus, and their one action, a press, which does what a click does.
class HotSpotAccess {
public:
    explicit HotSpotAccess(MainKeyboard& keys);

    long ChildCount() const;
    // The hot spot of a child id; 0 when there is no such child now.
    int HotSpotOf(long child) const;
    // Empty for no such child.
    std::string Name(long child) const;
    // A hot spot's name as the command menu calls what it does.
    static std::string NameOf(int hotSpot);
    static std::string DefaultAction();
    bool ScreenRect(long child, RECT& rect) const;
    // Runs the child's action after the caller has its answer: an action may
    // open a modal dialog, and a screen reader must not wait on it.
    bool DoDefaultAction(long child) const;
    // The child under a point of the screen; 0 for none.
    long ChildAt(POINT screenPoint) const;
    // The child with the keyboard's focus while the window has it; 0 for none.
    long FocusedChild() const;
    bool Focus(long child);

private:
    MainKeyboard& m_keys;
};
