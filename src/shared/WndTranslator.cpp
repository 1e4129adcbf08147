#include "shared/WndTranslator.h"

#include "framework/CWnd.h"
#include "framework/Utf8.h"
#include "shared/Translator.h"

namespace {

// Both buffers are as wide as the classic dialogs allowed: longer texts are cut.
const int kTextBuffer = 255;
const int kMenuBuffer = 512;

void TranslateText(HWND window, int language)
{
    wchar_t text[kTextBuffer] = L"";
    GetWindowTextW(window, text, kTextBuffer);
    SetWindowTextString(window, GetTranslator().Translate(Narrow(text), language));
}

bool IsTranslatedClass(HWND window)
{
    wchar_t name[kTextBuffer] = L"";
    GetClassNameW(window, name, kTextBuffer);
    return lstrcmpiW(name, L"Static") == 0 || lstrcmpiW(name, L"Button") == 0;
}

}  // namespace

void CWndTranslator::TranslateMenu(HMENU menu, int language)
{
    if (!menu)
        return;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        HMENU sub = GetSubMenu(menu, i);
        wchar_t text[kMenuBuffer] = L"";
        if (GetMenuStringW(menu, i, text, kMenuBuffer, MF_BYPOSITION) > 0) {
            const std::wstring translated = Widen(GetTranslator().Translate(Narrow(text), language));
            // A submenu item keeps its submenu: its "id" is the submenu handle.
            const UINT_PTR id = sub ? reinterpret_cast<UINT_PTR>(sub) : GetMenuItemID(menu, i);
            const UINT state = GetMenuState(menu, i, MF_BYPOSITION) & (MF_CHECKED | MF_GRAYED | MF_DISABLED);
            ModifyMenuW(menu, i, MF_BYPOSITION | MF_STRING | state | (sub ? MF_POPUP : 0), id, translated.c_str());
        }
        if (sub)
            TranslateMenu(sub, language);
    }
}

void CWndTranslator::TranslateWindow(HWND window, int language)
{
    if (!window)
        return;
    TranslateText(window, language);
    for (HWND child = GetWindow(window, GW_CHILD); child && IsWindow(child); child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsTranslatedClass(child))
            TranslateText(child, language);
    }
    if (HMENU menu = GetMenu(window))
        TranslateMenu(menu, language);
}
