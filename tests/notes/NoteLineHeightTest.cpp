#include "NoteWindowFixture.h"

#include <windows.h>

namespace {

HFONT FontOfHeight(int height)
{
    LOGFONTW log{};
    log.lfHeight = height;
    lstrcpyW(log.lfFaceName, L"Liberation Serif");
    return ::CreateFontIndirectW(&log);
}

// The edit tells its note that it scrolled: the note looks again whether text
// lies below the visible lines.
void Scrolled(HWND note, HWND edit)
{
    ::SendMessageW(note, WM_COMMAND, MAKEWPARAM(IDC_NOTE_TEXT, EN_VSCROLL), reinterpret_cast<LPARAM>(edit));
}

}  // namespace

// Once a font is deleted its handle value comes back for the next font made
// (Wine reuses the slot with a new 8-bit count), so a line height looked up by
// handle would give the deleted font's: three lines of a tall font would be
// taken to fit where only two do, and the mark of more text would not show.
TEST_F(NoteWindowTest, TheMarkOfMoreTextTakesTheLinesOfTheFontTheTextHasNowNotOfAnEarlierOneWithItsHandle)
{
    LoadNotes("<ENTRY _id_=\"1\" date=\"12/06/2026 10:00:00\" text=\"one\" wndX=\"100\" wndY=\"100\"/>");
    OpenAll(notes);
    CNoteDlg& note = *Window("Zorla 1.0NID:1");
    HWND edit = ::GetDlgItem(note, IDC_NOTE_TEXT);
    const HFONT shared = reinterpret_cast<HFONT>(::SendMessageW(edit, WM_GETFONT, 0, 0));
    ::SetWindowTextW(edit, L"one\r\ntwo\r\nthree");
    RECT client{};
    ::GetClientRect(edit, &client);
    ASSERT_GT(client.bottom, 60);

    HFONT small = FontOfHeight(12);
    ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(small), FALSE);
    Scrolled(note, edit);
    ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(shared), FALSE);
    const HFONT smallHandle = small;
    ::DeleteObject(small);

    // Two lines of it fit, not three.
    HFONT tall = nullptr;
    for (int i = 0; i < 100000 && tall != smallHandle; ++i) {
        if (tall)
            ::DeleteObject(tall);
        tall = FontOfHeight(client.bottom / 2);
    }
    ASSERT_EQ(smallHandle, tall) << "the system never gave the deleted font's handle value again";

    ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(tall), FALSE);
    ::SendMessageW(edit, EM_SETSEL, 0, 0);
    ::SendMessageW(edit, WM_VSCROLL, SB_TOP, 0);
    Scrolled(note, edit);
    ::UpdateWindow(note);
    const COLORREF mark = ScreenPixel(100 + 95, 100 + 170);

    ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(shared), FALSE);
    ::DeleteObject(tall);
    EXPECT_EQ(RGB(0, 101, 136), mark);
}
