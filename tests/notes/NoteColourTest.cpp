#include "NoteWindowFixture.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Opens the note's menu as Shift+F10 in its text does, and presses a row's letter.
bool ChooseFromMenu(HWND note, char letter)
{
    HWND edit = ::GetDlgItem(note, IDC_NOTE_TEXT);
    ::SendMessageA(edit, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit), -1);
    HWND menu = ::FindWindowA("vlsMenuClass", nullptr);
    if (!menu || !::IsWindowVisible(menu))
        return false;
    ::SendMessageA(menu, WM_CHAR, letter, 0);
    return true;
}

}  // namespace

TEST_F(NoteWindowTest, ANoteMadeBlueThroughItsMenuHasBluePaperAndSaysSoInItsFile)
{
    LoadNotes("<ENTRY _id_=\"3\" date=\"12/06/2026 10:00:00\" text=\"sky\" wndX=\"100\" wndY=\"120\"/>");
    OpenAll(notes);
    HWND note = *Window("Zorla 1.0NID:3");
    const auto fileHas = [&](const char* what) {
        return TestFiles::Bytes(notes.GetPath()).find(what) != std::string::npos;
    };

    ASSERT_TRUE(ChooseFromMenu(note, 'b'));
    ASSERT_TRUE(PumpMessagesUntil([&] { return fileHas("color=\"blue\""); })) << TestFiles::Bytes(notes.GetPath());
    ::UpdateWindow(note);
    // The paper below the text and the header above it.
    for (const POINT at : {POINT{100 + 100, 120 + 200}, POINT{100 + 150, 120 + 12}}) {
        const COLORREF pixel = ScreenPixel(at.x, at.y);
        EXPECT_GT(GetBValue(pixel), GetRValue(pixel) + 20) << std::hex << pixel << " at " << std::dec << at.y;
    }

    // Yellow again, from a right-click on the header: the file says nothing of
    // a colour, as before.
    ::SendMessageA(note, WM_RBUTTONUP, 0, MAKELPARAM(100, 12));
    HWND menu = ::FindWindowA("vlsMenuClass", nullptr);
    ASSERT_TRUE(menu && ::IsWindowVisible(menu));
    ::SendMessageA(menu, WM_CHAR, 'y', 0);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !fileHas("color="); })) << TestFiles::Bytes(notes.GetPath());
    ::UpdateWindow(note);
    const COLORREF paper = ScreenPixel(100 + 100, 120 + 200);
    EXPECT_LT(GetBValue(paper), GetRValue(paper)) << std::hex << paper;
}
