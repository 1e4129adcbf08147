#pragma once

#include <windows.h>

// Shows windows with an effect; the popup menu asks for the plain show with the
// system drop shadow. What the running Windows offers is read once, at
// construction.
class CWndSpecialFX {
public:
    CWndSpecialFX();

    // Effect 0 shows a window that has WS_VISIBLE (result 1). With dropShadow 1
    // on Windows XP or later the window's class gets CS_DROPSHADOW, which holds
    // for every later window of that class. A null window returns 0. force 1
    // switches the user's menu animation and selection fade on for the call.
    int OpenWindow(HWND window, int effect, int direction, int dropShadow, int force, int hide, int time,
                   int startAlpha, int endAlpha);

    bool CanDropShadow() const { return m_canDropShadow; }
    // The last drop-shadow request succeeded.
    bool IsDropShadowSet() const { return m_dropShadowSet; }
    int Result() const { return m_result; }

private:
    using AnimateWindowFunction = BOOL(WINAPI*)(HWND, DWORD, DWORD);
    using SetLayeredWindowAttributesFunction = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

    bool m_menuAnimation = false;
    bool m_selectionFade = false;
    bool m_forcedAnimation = false;
    bool m_forcedFade = false;
    bool m_canRollAndSlide = false;
    bool m_canBlend = false;
    bool m_canUseAlpha = false;
    bool m_canDropShadow = false;
    bool m_dropShadowSet = false;
    bool m_abort = false;
    int m_result = 0;
    HWND m_window = nullptr;
    AnimateWindowFunction m_animateWindow = nullptr;
    SetLayeredWindowAttributesFunction m_setLayeredWindowAttributes = nullptr;
};
