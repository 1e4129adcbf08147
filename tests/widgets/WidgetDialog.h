#pragma once

#include "framework/CDialog.h"
#include "framework/Handles.h"
#include "framework/TestDialogTemplate.h"
#include "support/TopDownDib.h"

#include <utility>
#include <vector>

// A modeless dialog of the test's thread that holds the controls under test, at
// a fixed place on the screen, and keeps the commands its controls send.
class WidgetDialog : public CDialog {
public:
    explicit WidgetDialog(const TestDialogTemplate& dialogTemplate)
    {
        CreateIndirect(dialogTemplate.get());
        SetWindowPos(HWND_TOP, 100, 100, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        UpdateWindow();
    }

    std::vector<std::pair<int, int>> commands;  // control id, notification code

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
};

// The client area of a control as it paints itself into a bitmap of our own
// (WM_PRINTCLIENT: the parent is asked for colours and owner drawing as for the
// screen), as 0x00RRGGBB pixels, row by row.
inline std::vector<DWORD> PrintedPixels(HWND control, int* width = nullptr, int* height = nullptr)
{
    RECT client{};
    ::GetClientRect(control, &client);
    DWORD* bits = nullptr;
    GdiBitmap dib = CreateTopDownDib(client.right, client.bottom, &bits);
    MemoryDC dc(::CreateCompatibleDC(nullptr));
    {
        SelectScope selected(dc.get(), dib.get());
        ::PatBlt(dc.get(), 0, 0, client.right, client.bottom, WHITENESS);
        ::SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT | PRF_ERASEBKGND);
        ::GdiFlush();
    }
    if (width)
        *width = client.right;
    if (height)
        *height = client.bottom;
    std::vector<DWORD> pixels(bits, bits + client.right * client.bottom);
    for (DWORD& pixel : pixels)
        pixel &= 0x00FFFFFF;
    return pixels;
}

// What a static's parent answers when the static asks for its colours, and the
// font left selected.
struct ReflectedColours {
    COLORREF text = 0;
    int backgroundMode = 0;
    HBRUSH brush = nullptr;
    LOGFONTA font{};

    ReflectedColours(HWND dialog, HWND control)
    {
        MemoryDC dc(::CreateCompatibleDC(nullptr));
        HGDIOBJ original = ::GetCurrentObject(dc.get(), OBJ_FONT);
        brush = reinterpret_cast<HBRUSH>(::SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                                                        reinterpret_cast<LPARAM>(control)));
        text = ::GetTextColor(dc.get());
        backgroundMode = ::GetBkMode(dc.get());
        ::GetObjectA(::SelectObject(dc.get(), original), sizeof font, &font);
    }
};

// A COLORREF (0x00BBGGRR) as a DIB pixel (0x00RRGGBB).
inline DWORD PixelOf(COLORREF colour)
{
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}
