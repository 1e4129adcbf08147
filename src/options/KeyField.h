#pragma once

#include "framework/CWnd.h"
#include "keys/HotKey.h"

#include <functional>

// A field that shows a key as text ("Win+Shift+N") and takes the next one
// pressed while it has the focus, the Windows key among the modifiers, as the
// system's own shortcut fields do. A read-only edit underneath, so a screen
// reader reads its label as its name and the key as its value. Tab, Enter and
// Escape alone still move on or close; the arrows, Home and End alone move
// through the text; Backspace or Delete alone clears the key.
class KeyField : public CWnd {
public:
    // pressed: the key a press made; unset for Backspace or Delete. refused:
    // a key that cannot be one (no modifier, or not a letter, digit or F-key).
    KeyField(std::function<void(const HotKey&)> pressed, std::function<void()> refused);

    // The MOD_ flags of the modifiers held now, as the thread's keyboard state says.
    static UINT HeldModifiers();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // True for the presses the dialog or the edit keep: navigation and closing.
    static bool LeftToOthers(WPARAM key, UINT modifiers);
    void OnPress(WPARAM key);

    std::function<void(const HotKey&)> m_pressed;
    std::function<void()> m_refused;
};
