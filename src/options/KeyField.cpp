#include "options/KeyField.h"

KeyField::KeyField(std::function<void(const HotKey&)> pressed, std::function<void()> refused)
    : m_pressed(std::move(pressed))
    , m_refused(std::move(refused))
{}

UINT KeyField::HeldModifiers()
{
    const auto down = [](int key) { return (::GetKeyState(key) & 0x8000) != 0; };
    UINT modifiers = 0;
    if (down(VK_LWIN) || down(VK_RWIN))
        modifiers |= MOD_WIN;
    if (down(VK_CONTROL))
        modifiers |= MOD_CONTROL;
    if (down(VK_MENU))
        modifiers |= MOD_ALT;
    if (down(VK_SHIFT))
        modifiers |= MOD_SHIFT;
    return modifiers;
}

bool KeyField::LeftToOthers(WPARAM key, UINT modifiers)
{
    switch (key) {
    case VK_TAB: return (modifiers & ~MOD_SHIFT) == 0;
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END: return modifiers == 0;
    default: return false;
    }
}

void KeyField::OnPress(WPARAM key)
{
    switch (key) {
    // A modifier alone: the key comes with the next press.
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_LWIN:
    case VK_RWIN:
    case VK_LSHIFT:
    case VK_RSHIFT:
    case VK_LCONTROL:
    case VK_RCONTROL:
    case VK_LMENU:
    case VK_RMENU:
    case VK_CAPITAL: return;
    default: break;
    }
    const UINT modifiers = HeldModifiers();
    if ((key == VK_BACK || key == VK_DELETE) && modifiers == 0) {
        m_pressed(HotKey());
        return;
    }
    const HotKey press = HotKey::FromPress(static_cast<UINT>(key), modifiers);
    if (press.IsSet())
        m_pressed(press);
    else
        m_refused();
}

LRESULT KeyField::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    // Every press but the dialog's and the edit's own comes here, Alt with a
    // letter too, which would otherwise choose a control by its mnemonic.
    case WM_GETDLGCODE: {
        const MSG* queued = reinterpret_cast<const MSG*>(lParam);
        if (queued && (queued->message == WM_KEYDOWN || queued->message == WM_SYSKEYDOWN) &&
            LeftToOthers(queued->wParam, HeldModifiers()))
            return CWnd::WindowProc(message, wParam, lParam);
        return DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTARROWS;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (LeftToOthers(wParam, HeldModifiers()))
            break;
        OnPress(wParam);
        return 0;
    // The characters of the presses taken, and Alt's release, which would
    // open the window's menu.
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
    case WM_SYSKEYUP: return 0;
    default: break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
