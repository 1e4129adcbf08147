// The main window's part in keeping notes: the bin's command brings deleted
// notes and reminders back, and a new shell's desktop takes back the notes that
// went with the old one.
#include "MainWindowFixture.h"

#include "mainwnd/CSystemTray.h"
#include "app/CompanionTimers.h"
#include "mainwnd/MainTimers.h"
#include "shared/AppTranslator.h"
#include "shared/Translator.h"
#include "support/MessagePump.h"
#include "support/ScopedTestClock.h"
#include "support/ShellDesktop.h"
#include "support/TestFiles.h"
#include "support/TestPlatform.h"

namespace {

const char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";

class MainWindowNotes : public MainWindowFixture {
protected:
    void Store(const char* name, const std::string& entries)
    {
        ASSERT_TRUE(TestFiles::Write(folder.File(name), std::string(kDeclaration) + "<DATABASE>" + entries + "</DATABASE>"));
    }
    CNoteDlg* Note(const char* key) const { return dlg->program.NoteWindows().Find(key); }
    static RECT ScreenRect(HWND window)
    {
        RECT rect{};
        ::GetWindowRect(window, &rect);
        return rect;
    }
    std::string NoteText(const char* key) const
    {
        return GetWindowTextString(::GetDlgItem(*Note(key), IDC_NOTE_TEXT));
    }
};

}  // namespace

TEST_F(MainWindowNotes, DeletedNotesComeBackNewestFirstAtTheirPlaceAndADueReminderAlerts)
{
    ScopedTestClock clock(2004, 3, 7, 14, 5, 0);
    Store("Zorla_Notes", "<ENTRY _id_=\"3\" date=\"03/01/2004 10:00:00\" text=\"Milk_BR_Bread\" wndX=\"120\" wndY=\"130\"/>");
    Store("Zorla_Timer",
          "<ENTRY _id_=\"5\" date=\"03/07/2004 14:30:00\" notify=\"0\" text=\"Dentist\" wndX=\"300\" wndY=\"140\"/>");
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_EQ(2u, dlg->program.NoteWindows().Count());
    EXPECT_TRUE(dlg->program.Model().DeletedBin().IsEmpty());

    Note("Zorla 1.0TID:5")->Delete();
    Note("Zorla 1.0NID:3")->Delete();
    EXPECT_EQ(0u, dlg->program.NoteWindows().Count());
    EXPECT_FALSE(dlg->program.Model().DeletedBin().IsEmpty());
    EXPECT_EQ(std::string::npos, TestFiles::Bytes(folder.File("Zorla_Notes")).find("Milk"));

    // The reminder's time passes while it lies in the bin.
    clock.Set(2004, 3, 7, 15, 0, 0);
    Command(ID_RESTORE_DELETED);
    ASSERT_TRUE(Note("Zorla 1.0NID:1")) << "the note, deleted last, comes first";
    EXPECT_EQ("Milk\r\nBread", NoteText("Zorla 1.0NID:1"));
    EXPECT_EQ(120, ScreenRect(*Note("Zorla 1.0NID:1")).left);
    EXPECT_EQ(130, ScreenRect(*Note("Zorla 1.0NID:1")).top);
    EXPECT_NE(std::string::npos, TestFiles::Bytes(folder.File("Zorla_Notes"))
                                     .find("date=\"03/01/2004 10:00:00\" text=\"Milk_BR_Bread\" wndX=\"120\""));

    Command(ID_RESTORE_DELETED);
    ASSERT_TRUE(Note("Zorla 1.0TID:1"));
    EXPECT_EQ("Dentist", NoteText("Zorla 1.0TID:1"));
    EXPECT_TRUE(Note("Zorla 1.0TID:1")->IsAlerting()) << "its time has passed: it alerts at once";
    EXPECT_NE(std::string::npos, TestFiles::Bytes(folder.File("Zorla_Timer")).find("notify=\"0\" text=\"Dentist\""));

    EXPECT_TRUE(dlg->program.Model().DeletedBin().IsEmpty());
    Command(ID_RESTORE_DELETED);
    EXPECT_EQ(2u, dlg->program.NoteWindows().Count()) << "an empty bin brings nothing";
    EXPECT_EQ(std::string::npos, TestFiles::Bytes(folder.File("Zorla_Deleted")).find("<ENTRY"));
}

TEST_F(MainWindowNotes, ANewShellsDesktopTakesBackTheNotesThatWentWithTheOldOne)
{
    auto desktop = std::make_unique<ShellDesktop>(ShellDesktop::Classic);
    Store("Zorla_Notes", "<ENTRY _id_=\"1\" date=\"03/01/2004 10:00:00\" text=\"Start\" wndX=\"200\" wndY=\"210\"/>");
    ASSERT_NO_FATAL_FAILURE(Open());
    HWND edit = ::GetDlgItem(*Note("Zorla 1.0NID:1"), IDC_NOTE_TEXT);
    ::SendMessageA(edit, EM_SETSEL, 5, 5);
    ::SendMessageA(edit, WM_CHAR, 'x', 0);

    for (bool broadcast : {true, false}) {
        desktop.reset();
        EXPECT_FALSE(Note("Zorla 1.0NID:1")->m_hWnd);
        desktop = std::make_unique<ShellDesktop>(ShellDesktop::Classic);
        // The new shell says so; without that, the window's own check finds it.
        if (broadcast)
            ::SendMessageA(dlg->program.GetSafeHwnd(), CSystemTray::TaskbarCreatedMessage(), 0, 0);
        else
            ::SendMessageA(dlg->program.GetSafeHwnd(), WM_TIMER, TimerRehome, 0);
        ASSERT_TRUE(Note("Zorla 1.0NID:1")->m_hWnd) << broadcast;
        EXPECT_EQ(desktop->View(), ::GetAncestor(*Note("Zorla 1.0NID:1"), GA_PARENT));
        EXPECT_EQ("Startx", NoteText("Zorla 1.0NID:1"));
        EXPECT_EQ(200, ScreenRect(*Note("Zorla 1.0NID:1")).left);
        EXPECT_EQ(210, ScreenRect(*Note("Zorla 1.0NID:1")).top);
    }
    EXPECT_NE(std::string::npos, TestFiles::Bytes(folder.File("Zorla_Notes")).find("text=\"Startx\" wndX=\"200\""));
}

using GermanMainWindowNotes = MainWindowNotes;

// The German menu's row by its own letter: grey and deaf while the bin is
// empty, then it brings the deleted note back.
TEST_F(GermanMainWindowNotes, TheMenuRowsLetterBringsADeletedNoteBack)
{
    FillTranslationTable(GetTranslator());
    Store("Zorla_Notes", "<ENTRY _id_=\"1\" date=\"03/01/2004 10:00:00\" text=\"Milch\" wndX=\"150\" wndY=\"160\"/>");
    ASSERT_NO_FATAL_FAILURE(Open());
    auto chooseByLetter = [&] {
        SendMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(60, 250));
        HWND menu = dlg->CommandMenu().GetSafeHwnd();
        ASSERT_TRUE(menu && IsWindowVisible(menu));
        SendMessageA(menu, WM_CHAR, 'g', 0);
        PumpMessagesUntil([&] { return !IsWindowVisible(menu); }, 1000);
        if (IsWindowVisible(menu))
            SendMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        PumpMessages(100);
    };
    chooseByLetter();
    EXPECT_EQ(1u, dlg->program.NoteWindows().Count());

    Note("Zorla 1.0NID:1")->Delete();
    ASSERT_EQ(0u, dlg->program.NoteWindows().Count());
    chooseByLetter();
    ASSERT_TRUE(Note("Zorla 1.0NID:1"));
    EXPECT_EQ("Milch", NoteText("Zorla 1.0NID:1"));
    EXPECT_EQ(150, ScreenRect(*Note("Zorla 1.0NID:1")).left);
}

// Many stored notes open a slice per message: the window answers a command
// while they open, and an exit half-way leaves every note in its file, the
// opened ones with what they showed, the others as they were.
TEST_F(MainWindowNotes, CommandsAreAnsweredWhileNotesOpenAndAnExitHalfWayLosesNone)
{
    std::string entries;
    for (int id = 1; id <= 60; ++id)
        entries += "<ENTRY _id_=\"" + std::to_string(id) + "\" date=\"03/01/2004 10:00:00\" text=\"note " +
                   std::to_string(id) + "\" wndX=\"" + std::to_string(20 + id * 10) + "\" wndY=\"120\"/>";
    // One stored off every monitor: the notes on the screen open before it.
    entries += "<ENTRY _id_=\"61\" date=\"03/01/2004 10:00:00\" text=\"far\" wndX=\"-30000\" wndY=\"-30000\"/>";
    Store("Zorla_Notes", entries);
    dlg = std::make_unique<MainWindowUnderTest>(TestPlatform::Context());
    ASSERT_TRUE(dlg->Create(IDD_ZORLA_DIALOG));
    window = dlg->m_hWnd;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    // One message at a time, as the window's own loop takes them, until the
    // first slice has opened.
    for (int i = 0; i < 10000 && !dlg->program.NotesOpening(); ++i) {
        MSG message;
        if (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&message);
        else
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    ASSERT_TRUE(dlg->program.NotesOpening());
    const size_t firstSlice = dlg->program.NoteWindows().Count();
    EXPECT_GT(firstSlice, 0u);
    EXPECT_LT(firstSlice, 61u);
    EXPECT_FALSE(dlg->program.NoteWindows().IsOpen("Zorla 1.0NID:61"));

    // Answered at once, not after the rest.
    SendMessageA(window, WM_COMMAND, ID_NO_INTERNET, 0);
    EXPECT_EQ(0, dlg->Switches().noInternet);
    EXPECT_TRUE(dlg->program.NotesOpening());
    HWND edit = ::GetDlgItem(*Note("Zorla 1.0NID:1"), IDC_NOTE_TEXT);
    ::SendMessageW(edit, EM_SETSEL, 6, 6);
    ::SendMessageW(edit, WM_CHAR, L'!', 1);

    // The user leaves half-way.
    dlg->DestroyWindow();
    const std::string file = TestFiles::Bytes(folder.File("Zorla_Notes"));
    for (int id = 2; id <= 60; ++id)
        EXPECT_NE(std::string::npos, file.find("text=\"note " + std::to_string(id) + "\"")) << id;
    EXPECT_NE(std::string::npos, file.find("text=\"note 1!\"")) << "what an opened note showed";
    EXPECT_NE(std::string::npos, file.find("text=\"far\""));

    // Started again, every note opens, the one off the screens last.
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(61u, dlg->program.NoteWindows().Count());
    EXPECT_FALSE(dlg->program.NotesOpening());
}

// Notes from another computer open at their place there when it lies on one of
// this computer's monitors, and are cascaded onto the primary one when not.
TEST_F(MainWindowNotes, NotesFromAnotherComputerOpenAtTheirPlaceOnlyOnThisComputersMonitors)
{
    TempFolder shared;
    TestRegistry::WriteString(App(), "Storage", "Folder", shared.Path());
    const auto entry = [](const char* uid, const char* text, const char* place) {
        return std::string("<ENTRY _id_=\"1\" date=\"12/07/2026 10:00:00\" kind=\"note\" stamp=\"1\" text=\"") + text +
               "\" uid=\"" + uid + "\" versions=\"00000000000000ff:1\" wndX=\"" + place + "\" wndY=\"" + place + "\"/>";
    };
    TestFiles::Write(shared.File("Zorla_00000000000000ff.zorla"),
                     std::string(kDeclaration) + "<ZORLA_NOTES computer=\"00000000000000ff\" format=\"1\">" +
                         entry("aa", "far", "20000") + entry("bb", "near", "150") + "</ZORLA_NOTES>");
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_TRUE(Note("Zorla 1.0NID:1") && Note("Zorla 1.0NID:2"));
    EXPECT_EQ("far", NoteText("Zorla 1.0NID:1"));
    const RECT cascaded = ScreenRect(*Note("Zorla 1.0NID:1"));
    EXPECT_GE(cascaded.left, 0);
    EXPECT_LT(cascaded.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_LT(cascaded.bottom, GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(150, ScreenRect(*Note("Zorla 1.0NID:2")).left);
}
