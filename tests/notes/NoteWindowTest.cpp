#include "NoteWindowFixture.h"
#include "framework/AfxFunctions.h"
#include "resource.h"
#include "support/MessageBoxAnswerer.h"
#include "support/ShellDesktop.h"
#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST_F(NoteWindowTest, NewNotesCascadeFromTenTenAndWrapAtTheFullScreenArea)
{
    const SIZE picture{193, 218};
    const SIZE screen{400, 300};
    NoteCascade cascade;
    EXPECT_EQ(10, cascade.Next(picture, screen).x);
    EXPECT_EQ(25, cascade.Next(picture, screen).y);
    EXPECT_EQ(40, cascade.Next(picture, screen).x);
    EXPECT_EQ(55, cascade.Next(picture, screen).y);
    EXPECT_EQ(70, cascade.Next(picture, screen).y);
    // 85 + 218 crosses 300: back to the start, and the next one moves on.
    POINT wrapped = cascade.Next(picture, screen);
    EXPECT_EQ(10, wrapped.x);
    EXPECT_EQ(10, wrapped.y);
    EXPECT_EQ(25, cascade.Next(picture, screen).x);
    cascade.Restart();
    EXPECT_EQ(10, cascade.Next(picture, screen).x);

    // The registry's windows follow the registry's cascade.
    LoadNotes("<ENTRY _id_=\"1\" date=\"12/06/2026 10:00:00\" text=\"a\" wndX=\"-1\" wndY=\"-1\"/>"
              "<ENTRY _id_=\"2\" date=\"12/06/2026 10:00:00\" text=\"b\" wndX=\"-1\" wndY=\"-1\"/>"
              "<ENTRY _id_=\"3\" date=\"12/06/2026 10:00:00\" text=\"c\" wndX=\"-1\" wndY=\"-1\"/>");
    const std::vector<CEntry> entries = notes.ReadAll();
    ASSERT_EQ(3u, entries.size());
    main.registry.Open(entries[0], &main);
    main.registry.Open(entries[1], &main);
    const RECT first = ScreenRect(*Window("Zorla 1.0NID:1"));
    const RECT second = ScreenRect(*Window("Zorla 1.0NID:2"));
    EXPECT_EQ(first.left + 15, second.left);
    EXPECT_EQ(first.top + 15, second.top);
    main.registry.RestartCascade();
    main.registry.Open(entries[2], &main);
    const RECT third = ScreenRect(*Window("Zorla 1.0NID:3"));
    EXPECT_EQ(first.left, third.left) << "a restarted cascade puts the next note at the start";
    EXPECT_EQ(first.top, third.top);
}

TEST_F(NoteWindowTest, NoteAndReminderTakeTheirPictureOutlineAndLayout)
{
    LoadNotes("<ENTRY _id_=\"3\" date=\"12/06/2026 10:00:00\" text=\"Milch_BR_Brot\" wndX=\"100\" wndY=\"120\"/>");
    LoadTimers("<ENTRY _id_=\"4\" date=\"12/06/2026 14:00:00\" notify=\"0\" text=\"Zahnarzt\" wndX=\"400\" "
               "wndY=\"120\"/>");
    OpenAll(timers);
    OpenAll(notes);
    ASSERT_EQ(2u, main.registry.Count());

    HWND note = *Window("Zorla 1.0NID:3");
    ASSERT_TRUE(::IsWindowVisible(note));
    // On the screen: the note paper's yellow below its text.
    ::UpdateWindow(note);
    const COLORREF paper = ScreenPixel(100 + 100, 120 + 200);
    EXPECT_GT(GetRValue(paper), 200) << std::hex << paper;
    EXPECT_GT(GetGValue(paper), 200) << std::hex << paper;
    EXPECT_LT(GetBValue(paper), 210) << std::hex << paper;
    const RECT noteRect = ScreenRect(note);
    EXPECT_EQ(100, noteRect.left);
    EXPECT_EQ(120, noteRect.top);
    EXPECT_EQ(193, noteRect.right - noteRect.left);
    EXPECT_EQ(218, noteRect.bottom - noteRect.top);
    EXPECT_EQ("Zorla 1.0NID:3", GetWindowTextString(note));
    EXPECT_EQ("Milch\r\nBrot", GetWindowTextString(::GetDlgItem(note, IDC_NOTE_TEXT)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(note, IDC_NOTE_DATE))) << "a note shows no date";
    GdiRegion region(::CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(COMPLEXREGION, ::GetWindowRgn(note, region.get()));
    const RECT noteButton = ChildRect(note, IDC_NOTE_CLOSE);
    EXPECT_EQ(22, noteButton.right - noteButton.left) << "the button takes its picture's size";
    EXPECT_EQ(22, noteButton.bottom - noteButton.top);
    // Placed at the template's place in classic dialog units, whatever Wine's font.
    EXPECT_EQ(158, noteButton.left);
    EXPECT_EQ(167, noteButton.top);
    EXPECT_LE(ChildRect(note, IDC_NOTE_TEXT).right, 193);

    HWND reminder = *Window("Zorla 1.0TID:4");
    const RECT reminderRect = ScreenRect(reminder);
    EXPECT_EQ(194, reminderRect.right - reminderRect.left);
    EXPECT_EQ(146, reminderRect.bottom - reminderRect.top);
    HWND date = ::GetDlgItem(reminder, IDC_NOTE_DATE);
    EXPECT_TRUE(::IsWindowVisible(date));
    EXPECT_EQ("06.12.26 14:00", GetWindowTextString(date));
    LOGFONTA dateFont{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(date, WM_GETFONT, 0, 0)), sizeof dateFont, &dateFont);
    EXPECT_EQ(FW_BOLD, dateFont.lfWeight) << "the reminder time stands out";
    const RECT button = ChildRect(reminder, IDC_NOTE_CLOSE);
    EXPECT_EQ(155, button.left);
    EXPECT_EQ(100, button.top);
    const RECT text = ChildRect(reminder, IDC_NOTE_TEXT);
    EXPECT_EQ(72, text.top);
    EXPECT_EQ(30, text.bottom - text.top);
    EXPECT_EQ(ChildRect(note, IDC_NOTE_TEXT).left, text.left);
}

TEST_F(NoteWindowTest, WithoutAnIconViewNotesAreUnownedToolWindowsBelowOtherWindows)
{
    // A top-most main window, as the program's is by default.
    ::SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    HWND other = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 50, 50, 300, 300, nullptr, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
    LoadNotes("<ENTRY _id_=\"1\" date=\"12/06/2026 10:00:00\" text=\"a\" wndX=\"100\" wndY=\"100\"/>");
    OpenAll(notes);
    HWND note = *Window("Zorla 1.0NID:1");
    ASSERT_TRUE(::IsWindowVisible(note));
    EXPECT_EQ(nullptr, ::GetWindow(note, GW_OWNER));
    EXPECT_NE(0u, ::GetWindowLongPtrA(note, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) << "no taskbar button";
    EXPECT_EQ(0u, ::GetWindowLongPtrA(note, GWL_EXSTYLE) & WS_EX_TOPMOST);

    // Clicking it would bring it up: it stays below.
    ::SetWindowPos(note, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    bool otherAbove = false;
    for (HWND w = ::GetWindow(note, GW_HWNDPREV); w; w = ::GetWindow(w, GW_HWNDPREV))
        otherAbove = otherAbove || w == other;
    EXPECT_TRUE(otherAbove);
    ::DestroyWindow(other);
}

TEST_F(NoteWindowTest, UnchangedNotesKeepTheirPlaceInTheFileChangedOrMovedOnesGoLast)
{
    LoadNotes("<ENTRY _id_=\"1\" date=\"12/06/2026 10:00:00\" text=\"one\" wndX=\"100\" wndY=\"100\"/>"
              "<ENTRY _id_=\"2\" date=\"12/06/2026 10:00:00\" text=\"two\" wndX=\"200\" wndY=\"100\"/>"
              "<ENTRY _id_=\"3\" date=\"12/06/2026 10:00:00\" text=\"three\" wndX=\"300\" wndY=\"100\"/>"
              "<ENTRY _id_=\"4\" date=\"12/06/2026 10:00:00\" text=\"four\" wndX=\"400\" wndY=\"100\"/>");
    OpenAll(notes);
    // Moved as a drag would, and edited with an é and an ä.
    ::SetWindowPos(*Window("Zorla 1.0NID:1"), nullptr, 140, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SetWindowTextW(::GetDlgItem(*Window("Zorla 1.0NID:3"), IDC_NOTE_TEXT), L"caf\u00E9 im M\u00E4rz");

    main.registry.CloseAllKeepingState();
    EXPECT_EQ(0u, main.registry.Count());
    ASSERT_TRUE(notes.Save());
    const std::string file = TestFiles::Bytes(notes.GetPath());
    const size_t two = file.find("text=\"two\"");
    const size_t four = file.find("text=\"four\"");
    const size_t one = file.find("_id_=\"1\"");
    const size_t three = file.find("text=\"caf\xE9 im M\xE4rz\"");
    ASSERT_NE(std::string::npos, one);
    ASSERT_NE(std::string::npos, three);
    EXPECT_LT(two, four);
    EXPECT_LT(four, one) << file;
    EXPECT_LT(one, three) << file;
    EXPECT_NE(std::string::npos, file.find("text=\"one\" wndX=\"140\" wndY=\"160\"")) << file;
}

TEST_F(NoteWindowTest, EscapeKeepsTheNoteAndTheCloseButtonAsksBeforeDeleting)
{
    LoadNotes("<ENTRY _id_=\"1\" date=\"12/06/2026 10:00:00\" text=\"keep\" wndX=\"100\" wndY=\"100\"/>"
              "<ENTRY _id_=\"2\" date=\"12/06/2026 10:00:00\" text=\"go\" wndX=\"300\" wndY=\"100\"/>");
    OpenAll(notes);
    HWND keep = *Window("Zorla 1.0NID:1");
    ::SendMessageA(keep, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(::IsWindow(keep)) << "Escape does nothing";
    {
        MessageBoxAnswerer no(IDNO);
        ::SendMessageA(keep, WM_COMMAND, MAKEWPARAM(IDC_NOTE_CLOSE, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(keep, IDC_NOTE_CLOSE)));
        ASSERT_EQ(1u, no.boxes().size());
        EXPECT_EQ("Do you really want to delete this notice?", no.boxes()[0].text);
    }
    EXPECT_TRUE(::IsWindow(keep));
    EXPECT_TRUE(main.registry.IsOpen("Zorla 1.0NID:1"));

    HWND go = *Window("Zorla 1.0NID:2");
    {
        MessageBoxAnswerer yes(IDYES);
        ::SendMessageA(go, WM_COMMAND, MAKEWPARAM(IDC_NOTE_CLOSE, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(go, IDC_NOTE_CLOSE)));
    }
    EXPECT_FALSE(::IsWindow(go));
    EXPECT_FALSE(main.registry.IsOpen("Zorla 1.0NID:2"));
    // Deleting writes the file at once.
    const std::string file = TestFiles::Bytes(notes.GetPath());
    EXPECT_EQ(std::string::npos, file.find("text=\"go\"")) << file;
    EXPECT_NE(std::string::npos, file.find("text=\"keep\"")) << file;
}

TEST_F(NoteWindowTest, ANoteStoredOffEveryMonitorComesBackAndKeepsItsPlaceUntilMoved)
{
    LoadNotes("<ENTRY _id_=\"1\" date=\"12/06/2026 10:00:00\" text=\"lost\" wndX=\"5000\" wndY=\"4000\"/>"
              "<ENTRY _id_=\"2\" date=\"12/06/2026 10:00:00\" text=\"moved\" wndX=\"-3000\" wndY=\"200\"/>");
    OpenAll(notes);
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    for (const char* key : {"Zorla 1.0NID:1", "Zorla 1.0NID:2"}) {
        const RECT shown = ScreenRect(*Window(key));
        EXPECT_GE(shown.left, work.left) << key;
        EXPECT_GE(shown.top, work.top) << key;
        EXPECT_LE(shown.right, work.right) << key;
        EXPECT_LE(shown.bottom, work.bottom) << key;
    }
    ::SetWindowPos(*Window("Zorla 1.0NID:2"), nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    main.registry.CloseAllKeepingState();
    ASSERT_TRUE(notes.Save());
    const std::string file = TestFiles::Bytes(notes.GetPath());
    EXPECT_NE(std::string::npos, file.find("text=\"lost\" wndX=\"5000\" wndY=\"4000\"")) << file;
    EXPECT_NE(std::string::npos, file.find("text=\"moved\" wndX=\"30\" wndY=\"40\"")) << file;
}

TEST_F(NoteWindowTest, DraggingThePictureMovesTheNoteAndTheFirstPaintPutsTheCaretAfterTheText)
{
    LoadNotes("<ENTRY _id_=\"1\" date=\"12/06/2026 10:00:00\" text=\"Milch\" wndX=\"100\" wndY=\"100\"/>");
    OpenAll(notes);
    HWND note = *Window("Zorla 1.0NID:1");
    ::UpdateWindow(note);
    DWORD start = 1, end = 1;
    ::SendMessageA(::GetDlgItem(note, IDC_NOTE_TEXT), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(5u, start);
    EXPECT_EQ(5u, end);

    ::SendMessageA(note, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 10));
    MSG posted{};
    ASSERT_TRUE(::PeekMessageA(&posted, note, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
    EXPECT_EQ(static_cast<WPARAM>(HTCAPTION), posted.wParam);
    EXPECT_EQ(TRUE, ::SendMessageA(note, WM_HELP, 0, 0)) << "F1 is swallowed";
}

TEST_F(NoteWindowTest, OnAClassicDesktopNotesRestInTheViewAtTheirStoredScreenPlace)
{
    ShellDesktop desktop(ShellDesktop::Classic);
    LoadNotes("<ENTRY _id_=\"1\" date=\"12/06/2026 10:00:00\" text=\"a\" wndX=\"300\" wndY=\"200\"/>"
              "<ENTRY _id_=\"2\" date=\"12/06/2026 10:00:00\" text=\"b\" wndX=\"-1\" wndY=\"-1\"/>");
    OpenAll(notes);
    HWND note = *Window("Zorla 1.0NID:1");
    EXPECT_EQ(desktop.View(), ::GetAncestor(note, GA_PARENT));
    EXPECT_EQ(static_cast<LONG_PTR>(WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_BORDER),
              ::GetWindowLongPtrA(note, GWL_STYLE));
    EXPECT_EQ(static_cast<LONG_PTR>(WS_EX_TOOLWINDOW), ::GetWindowLongPtrA(note, GWL_EXSTYLE));
    const RECT stored = ScreenRect(note);
    EXPECT_EQ(300, stored.left) << "the stored place is a screen place";
    EXPECT_EQ(200, stored.top);
    // A new note cascades in the view's own coordinates.
    POINT cascade{10, 10};
    ::ClientToScreen(desktop.View(), &cascade);
    const RECT fresh = ScreenRect(*Window("Zorla 1.0NID:2"));
    EXPECT_EQ(cascade.x, fresh.left);
    EXPECT_EQ(cascade.y, fresh.top);

    // Dragged within the view, then the program closes.
    ::SetWindowPos(note, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    POINT moved{50, 60};
    ::ClientToScreen(desktop.View(), &moved);
    main.registry.CloseAllKeepingState();
    ASSERT_TRUE(notes.Save());
    const std::string expected =
        "text=\"a\" wndX=\"" + std::to_string(moved.x) + "\" wndY=\"" + std::to_string(moved.y) + "\"";
    EXPECT_NE(std::string::npos, TestFiles::Bytes(notes.GetPath()).find(expected)) << TestFiles::Bytes(notes.GetPath());
}
