#include "widgets/CWndSpecialFX.h"

#include "framework/CWnd.h"
#include "framework/Handles.h"
#include "framework/Utf8.h"
#include "shared/OsLevel.h"
#include "shared/Translator.h"

namespace {

const int kLastEffect = 7;

bool ReadUserSetting(UINT action)
{
    BOOL on = FALSE;
    return ::SystemParametersInfoA(action, 0, &on, 0) && on;
}

// The new value travels in the pointer argument; 0 keeps it out of the profile.
void SwitchUserSetting(UINT action, bool on)
{
    ::SystemParametersInfoA(action, 0, reinterpret_cast<PVOID>(static_cast<INT_PTR>(on)), 0);
}

int DisplayBitsPerPixel()
{
    MemoryDC info(::CreateICA("Display", nullptr, nullptr, nullptr));
    return info ? ::GetDeviceCaps(info.get(), BITSPIXEL) : 0;
}

template <typename Function>
Function User32Function(const char* name)
{
    HMODULE user32 = ::GetModuleHandleA("USER32.DLL");
    if (!user32)
        return nullptr;
    // Through void(*)() because GCC warns about casts between function types.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(user32, name)));
}

}  // namespace

CWndSpecialFX::CWndSpecialFX()
{
    m_menuAnimation = ReadUserSetting(SPI_GETMENUANIMATION);
    m_selectionFade = ReadUserSetting(SPI_GETSELECTIONFADE);
    const int osLevel = GetOsLevel();
    m_canRollAndSlide = osLevel > 2;
    m_canBlend = osLevel > 5;
    m_canUseAlpha = osLevel >= 6 && DisplayBitsPerPixel() > 8;
    m_canDropShadow = osLevel > 6;
    if (m_canRollAndSlide || m_canBlend)
        m_animateWindow = User32Function<AnimateWindowFunction>("AnimateWindow");
    if (m_canUseAlpha)
        m_setLayeredWindowAttributes = User32Function<SetLayeredWindowAttributesFunction>("SetLayeredWindowAttributes");
}

// Only the plain show is used; the other effects show the window plainly too.
int CWndSpecialFX::OpenWindow(HWND window, int effect, int, int dropShadow, int force, int, int, int, int)
{
    if (!window)
        return 0;
    m_window = window;

    if (force == 1) {
        m_forcedAnimation = !m_menuAnimation;
        m_forcedFade = !m_selectionFade;
        if (m_forcedAnimation)
            SwitchUserSetting(SPI_SETMENUANIMATION, true);
        if (m_forcedFade)
            SwitchUserSetting(SPI_SETSELECTIONFADE, true);
    }

    if (dropShadow == 1 && m_canDropShadow) {
        const DWORD style = ::GetClassLongA(window, GCL_STYLE);
        // The old style is returned, and a class may have had none.
        ::SetLastError(0);
        const DWORD previous = ::SetClassLongA(window, GCL_STYLE, static_cast<LONG>(style | CS_DROPSHADOW));
        m_dropShadowSet = previous != 0 || ::GetLastError() == 0;
    }

    int result = 0;
    if (effect < 0 || effect > kLastEffect) {
        MessageBoxString(window, Translate("Unknown window effect."), Translate("Error:"),
                      MB_OK | MB_ICONERROR);
    } else {
        if (::GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE)
            ::ShowWindow(window, SW_SHOW);
        result = 1;
    }
    m_result = result;

    if (force == 1) {
        if (m_forcedAnimation)
            SwitchUserSetting(SPI_SETMENUANIMATION, false);
        if (m_forcedFade)
            SwitchUserSetting(SPI_SETSELECTIONFADE, false);
        m_forcedAnimation = m_forcedFade = false;
    }
    return m_result;
}
