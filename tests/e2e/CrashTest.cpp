// The real Zorla.exe killed as a crash, a power cut or a hung-program kill
// would end it, a few seconds after the user typed into a note, dragged one,
// snoozed a reminder, deleted a note and began one in the main window's editor:
// started again, it shows all of it.
#include "resource.h"
#include "support/NoteWindows.h"
#include "support/TestFiles.h"
#include "support/WindowState.h"
#include "support/RunningZorla.h"
#include "support/ZorlaCopy.h"

#include <gtest/gtest.h>

namespace {

void Click(HWND window, int id)
{
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_BLOCK, 20000, &result);
    return static_cast<LRESULT>(result);
}

}  // namespace

TEST(Crash, AKilledProgramLosesNothingTypedMovedSnoozedOrDeleted)
{
    ZorlaCopy copy("ZorlaCrash");
    const std::string declaration = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";
    TestFiles::Write(copy.Folder().File("Zorla_Notes"),
                     declaration +
                         "<DATABASE>"
                         "<ENTRY _id_=\"1\" date=\"12/06/2026 10:00:00\" text=\"Start\" wndX=\"100\" wndY=\"100\"/>"
                         "<ENTRY _id_=\"2\" date=\"12/06/2026 10:00:00\" text=\"Gone\" wndX=\"400\" wndY=\"100\"/>"
                         "<ENTRY _id_=\"3\" date=\"12/06/2026 10:00:00\" text=\"Moved\" wndX=\"250\" wndY=\"300\"/>"
                         "</DATABASE>");
    const std::string date = ZorlaCopy::MinuteOfNow();
    TestFiles::Write(copy.Folder().File("Zorla_Timer"),
                     declaration + "<DATABASE><ENTRY _id_=\"4\" date=\"" + date +
                         "\" notify=\"0\" text=\"Tee\" wndX=\"600\" wndY=\"150\"/></DATABASE>");

    RunningZorla zorla(copy);
    HWND main = zorla.Main();
    ASSERT_NE(main, nullptr);
    HWND start = WaitForNoteWindow("Zorla 1.0NID:1");
    HWND gone = WaitForNoteWindow("Zorla 1.0NID:2");
    HWND moved = WaitForNoteWindow("Zorla 1.0NID:3");
    HWND reminder = WaitForNoteWindow("Zorla 1.0TID:4");
    ASSERT_TRUE(start && gone && moved && reminder);

    // Typed.
    HWND edit = GetDlgItem(start, IDC_NOTE_TEXT);
    Send(edit, EM_SETSEL, 5, 5);
    for (char key : std::string("xyz"))
        Send(edit, WM_CHAR, key, 0);
    // Dragged elsewhere.
    POINT target{260, 320};
    if (HWND host = GetAncestor(moved, GA_PARENT); host && host != GetDesktopWindow())
        ScreenToClient(host, &target);
    SetWindowPos(moved, nullptr, target.x, target.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // Deleted.
    Click(gone, IDC_NOTE_CLOSE);
    HWND question = WaitForProcessDialog(zorla.Process().Id(), IDYES, 10000);
    ASSERT_NE(question, nullptr);
    Click(question, IDYES);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(gone); }, 10000));
    // Snoozed from its alert.
    ASSERT_TRUE(WaitUntil([&] { return TopMost(reminder); }, 10000)) << "the reminder alerts";
    Click(reminder, IDC_NOTE_CLOSE);
    HWND due = WaitForProcessDialog(zorla.Process().Id(), IDC_DUE_CHOICES, 10000);
    ASSERT_NE(due, nullptr);
    Send(GetDlgItem(due, IDC_DUE_CHOICES), CB_SETCURSEL, 0, 0);
    Click(due, IDC_DUE_REMIND);
    ASSERT_TRUE(WaitUntil([&] { return !TopMost(reminder); }, 10000));
    const RECT snoozed = ScreenRect(reminder);
    // A draft in the main window's note editor, not filed yet.
    Send(main, WM_COMMAND, ID_SHOW_NOTE_EDITOR, 0);
    HWND editor = GetDlgItem(main, IDC_EDITOR_TEXT);
    for (wchar_t key : std::wstring(L"Entwurf \u0144"))
        SendMessageTimeoutW(editor, WM_CHAR, key, 0, SMTO_BLOCK, 20000, nullptr);

    Sleep(3000);
    zorla.Process().Kill();
    ASSERT_FALSE(zorla.Process().Running());

    const std::string notes = TestFiles::Bytes(copy.Folder().File("Zorla_Notes"));
    EXPECT_NE(std::string::npos, notes.find("text=\"Startxyz\" wndX=\"100\" wndY=\"100\"")) << notes;
    EXPECT_NE(std::string::npos, notes.find("text=\"Moved\" wndX=\"260\" wndY=\"320\"")) << notes;
    EXPECT_EQ(std::string::npos, notes.find("Gone")) << notes;
    const std::string timers = TestFiles::Bytes(copy.Folder().File("Zorla_Timer"));
    const bool snoozedFive =
        timers.find("notify=\"5\"") != std::string::npos || timers.find("notify=\"6\"") != std::string::npos;
    EXPECT_TRUE(snoozedFive) << timers;
    EXPECT_NE(std::string::npos, timers.find("wndX=\"" + std::to_string(snoozed.left) + "\"")) << timers;
    EXPECT_NE(std::string::npos, TestFiles::Bytes(copy.Folder().File("Zorla_Deleted")).find("text=\"Gone\""));

    // Started again: all of it shows, and the deleted note can come back.
    main = zorla.Restart();
    ASSERT_NE(main, nullptr);
    start = WaitForNoteWindow("Zorla 1.0NID:1");
    moved = WaitForNoteWindow("Zorla 1.0NID:3");
    ASSERT_TRUE(start && moved);
    EXPECT_EQ("Startxyz", NoteEditText(start));
    editor = GetDlgItem(main, IDC_EDITOR_TEXT);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(editor); }, 5000)) << "the draft's editor is open";
    wchar_t draft[64] = L"";
    // Another process's edit answers only WM_GETTEXT.
    SendMessageTimeoutW(editor, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(draft), SMTO_BLOCK, 20000, nullptr);
    EXPECT_EQ(std::wstring(L"Entwurf \u0144"), draft);
    EXPECT_EQ(260, ScreenRect(moved).left);
    EXPECT_EQ(320, ScreenRect(moved).top);
    EXPECT_EQ(nullptr, FindWindowA("#32770", "Zorla 1.0NID:2"));
    Send(main, WM_COMMAND, ID_RESTORE_DELETED, 0);
    HWND back = WaitForNoteWindow("Zorla 1.0NID:4");
    ASSERT_NE(back, nullptr) << "the next free id";
    EXPECT_EQ("Gone", NoteEditText(back));
    EXPECT_EQ(400, ScreenRect(back).left);
    EXPECT_TRUE(zorla.Exit());
}
