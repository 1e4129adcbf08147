#include "NoteWindowFixture.h"
#include "support/MessagePump.h"

#include <gtest/gtest.h>

#include <string>

// A blue note from the file opens blue; a right-click on its header opens its
// menu, and yellow chosen there leaves the file without a colour, as before.
TEST_F(NoteWindowTest, ANoteOpensInItsColourAndItsHeadersMenuMakesItYellowAgain)
{
    LoadNotes("<ENTRY _id_=\"3\" color=\"blue\" date=\"12/06/2026 10:00:00\" text=\"sky\" wndX=\"100\" wndY=\"120\"/>");
    OpenAll(notes);
    HWND note = *Window("Zorla 1.0NID:3");
    ::UpdateWindow(note);
    COLORREF paper = ScreenPixel(100 + 100, 120 + 200);
    EXPECT_GT(GetBValue(paper), GetRValue(paper) + 20) << std::hex << paper;

    ::SendMessageA(note, WM_RBUTTONUP, 0, MAKELPARAM(100, 12));
    HWND menu = ::FindWindowA("vlsMenuClass", nullptr);
    ASSERT_TRUE(menu && ::IsWindowVisible(menu));
    ::SendMessageA(menu, WM_CHAR, 'y', 0);
    ASSERT_TRUE(PumpMessagesUntil([&] { return TestFiles::Bytes(notes.GetPath()).find("color=") == std::string::npos; }))
        << TestFiles::Bytes(notes.GetPath());
    ::UpdateWindow(note);
    paper = ScreenPixel(100 + 100, 120 + 200);
    EXPECT_LT(GetBValue(paper), GetRValue(paper)) << std::hex << paper;
}
