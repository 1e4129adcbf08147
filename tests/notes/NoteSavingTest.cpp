// What the user types into or does with a note window reaches its file while
// the program runs, not only when it ends: typing within one save per burst,
// a move when it ends, an alert's resting place, a full disk retried until the
// file takes everything, and the notes a shell takes with it when it ends.
#include "NoteWindowFixture.h"
#include "entries/Bin.h"
#include "support/MessageBoxAnswerer.h"
#include "support/ShellDesktop.h"
#include "support/TestPlatform.h"

#include <algorithm>
#include <memory>

namespace {

void Type(HWND note, const std::string& keys)
{
    HWND edit = ::GetDlgItem(note, IDC_NOTE_TEXT);
    const int length = ::GetWindowTextLengthA(edit);
    ::SendMessageA(edit, EM_SETSEL, length, length);
    for (char key : keys)
        ::SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(key), 0);
}

// The save timer's turn, as the message loop would give it.
void SaveTimerFires(HWND note)
{
    ::SendMessageA(note, WM_TIMER, CNoteDlg::TimerSave, 0);
}

std::string Place(int x, int y)
{
    return "wndX=\"" + std::to_string(x) + "\" wndY=\"" + std::to_string(y) + "\"";
}

const char kStart[] = "<ENTRY _id_=\"1\" date=\"12/06/2026 10:00:00\" text=\"Start\" wndX=\"100\" wndY=\"100\"/>";

}  // namespace

TEST_F(NoteWindowTest, TypingIsWrittenOnceABurstAndAMoveWhenItEnds)
{
    LoadNotes(kStart);
    OpenAll(notes);
    CNoteDlg& window = *Window("Zorla 1.0NID:1");
    const std::string before = TestFiles::Bytes(notes.GetPath());

    Type(window, "xyz");
    EXPECT_TRUE(window.IsSavePending());
    EXPECT_EQ(before, TestFiles::Bytes(notes.GetPath())) << "nothing is written on the typing path";
    SaveTimerFires(window);
    EXPECT_FALSE(window.IsSavePending());
    EXPECT_NE(std::string::npos, TestFiles::Bytes(notes.GetPath()).find("text=\"Startxyz\" " + Place(100, 100)));

    // Dragged: the place is written when the user lets go, and only the
    // moved note's entry changes.
    ::SetWindowPos(window, nullptr, 140, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(window.IsSavePending());
    ::SendMessageA(window, WM_EXITSIZEMOVE, 0, 0);
    EXPECT_FALSE(window.IsSavePending());
    const std::string moved = TestFiles::Bytes(notes.GetPath());
    EXPECT_NE(std::string::npos, moved.find("_id_=\"1\" date=\"12/06/2026 10:00:00\" text=\"Startxyz\" " + Place(140, 160)))
        << moved;

    // Closing with the program changes nothing more: the entry is as written.
    main.registry.CloseAllKeepingState();
    ASSERT_TRUE(notes.Save());
    EXPECT_EQ(moved, TestFiles::Bytes(notes.GetPath()));
}

TEST_F(NoteWindowTest, AnAlertingReminderIsStoredAtItsRestingPlace)
{
    const std::string at = "wndX=\"300\" wndY=\"200\"";
    LoadTimers("<ENTRY _id_=\"1\" date=\"12/06/2026 14:00:00\" notify=\"0\" text=\"one\" " + at +
               "/><ENTRY _id_=\"2\" date=\"12/06/2026 14:00:00\" notify=\"0\" text=\"two\" " + at + "/>");
    OpenAll(timers);
    for (const CEntry& entry : timers.ReadAll())
        ASSERT_TRUE(main.registry.Due(entry));
    CNoteDlg& apart = *Window("Zorla 1.0TID:2");
    CNoteDlg& shaking = *Window("Zorla 1.0TID:1");
    ASSERT_NE(300, ScreenRect(apart).left) << "the second alert is moved apart from the first";
    ::SendMessageA(shaking, WM_TIMER, CNoteDlg::TimerShake, 0);
    ASSERT_EQ(302, ScreenRect(shaking).left);

    // Typed into while it alerts, and then the program ends mid-shake.
    Type(apart, "!");
    SaveTimerFires(apart);
    EXPECT_NE(std::string::npos, TestFiles::Bytes(timers.GetPath()).find("text=\"two!\" " + Place(300, 200)));
    Type(shaking, "?");
    main.registry.CloseAllKeepingState();
    ASSERT_TRUE(timers.Save());
    const std::string file = TestFiles::Bytes(timers.GetPath());
    EXPECT_NE(std::string::npos, file.find("text=\"one?\" " + Place(300, 200))) << file;
    EXPECT_NE(std::string::npos, file.find("text=\"two!\" " + Place(300, 200))) << file;
}

// A data file that cannot be written (a full disk; here a folder stands where
// the temporary file must go) is reported once, keeps its old bytes, and is
// written with everything typed meanwhile as soon as it can be.
TEST_F(NoteWindowTest, AFailedWriteIsShownOnceAndRetriedUntilTheFileTakesEverything)
{
    LoadNotes(kStart);
    OpenAll(notes);
    CNoteDlg& window = *Window("Zorla 1.0NID:1");
    const std::string before = TestFiles::Bytes(notes.GetPath());
    const std::string blocker = notes.GetPath() + ".tmp";
    ASSERT_TRUE(::CreateDirectoryA(blocker.c_str(), nullptr));

    MessageBoxAnswerer answerer(IDOK);
    Type(window, "a");
    SaveTimerFires(window);
    ASSERT_EQ(1u, answerer.boxes().size());
    EXPECT_EQ("Error while writing data to hard disk.", answerer.boxes()[0].text);
    EXPECT_EQ(before, TestFiles::Bytes(notes.GetPath()));
    EXPECT_TRUE(window.IsSavePending()) << "tried again later";

    Type(window, "b");
    SaveTimerFires(window);
    EXPECT_EQ(1u, answerer.boxes().size()) << "one box, not one per save";
    EXPECT_EQ(before, TestFiles::Bytes(notes.GetPath()));

    ASSERT_TRUE(::RemoveDirectoryA(blocker.c_str()));
    SaveTimerFires(window);
    EXPECT_FALSE(window.IsSavePending());
    EXPECT_NE(std::string::npos, TestFiles::Bytes(notes.GetPath()).find("text=\"Startab\""));
    EXPECT_EQ(1u, answerer.boxes().size());
}

// The shell ends: the desktop view and every note in it go. What the notes
// showed is written before they go, and when a desktop is there again each
// comes back at its place with its text.
TEST_F(NoteWindowTest, NotesThatGoWithTheShellAreKeptAndComeBackOnTheNewDesktop)
{
    auto desktop = std::make_unique<ShellDesktop>(ShellDesktop::Classic);
    LoadNotes(std::string(kStart) +
              "<ENTRY _id_=\"2\" date=\"12/06/2026 10:00:00\" text=\"Second\" wndX=\"400\" wndY=\"150\"/>");
    LoadTimers("<ENTRY _id_=\"3\" date=\"12/06/2030 14:00:00\" notify=\"0\" text=\"Later\" wndX=\"250\" "
               "wndY=\"300\"/>");
    OpenAll(timers);
    OpenAll(notes);
    ASSERT_EQ(desktop->View(), ::GetAncestor(*Window("Zorla 1.0NID:1"), GA_PARENT));
    Type(*Window("Zorla 1.0NID:1"), " typed");
    ::SetWindowPos(*Window("Zorla 1.0NID:2"), nullptr, 60, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT second = ScreenRect(*Window("Zorla 1.0NID:2"));

    desktop.reset();
    EXPECT_EQ(3, main.lostReports);
    EXPECT_TRUE(main.registry.HasLost());
    const std::string file = TestFiles::Bytes(notes.GetPath());
    EXPECT_NE(std::string::npos, file.find("text=\"Start typed\" " + Place(100, 100))) << file;
    EXPECT_NE(std::string::npos, file.find("text=\"Second\" " + Place(second.left, second.top))) << file;

    desktop = std::make_unique<ShellDesktop>(ShellDesktop::Classic);
    EXPECT_EQ(3u, main.registry.Rehome(&main));
    EXPECT_FALSE(main.registry.HasLost());
    for (const char* key : {"Zorla 1.0NID:1", "Zorla 1.0NID:2", "Zorla 1.0TID:3"}) {
        ASSERT_TRUE(Window(key) && ::IsWindowVisible(*Window(key))) << key;
        EXPECT_EQ(desktop->View(), ::GetAncestor(*Window(key), GA_PARENT)) << key;
    }
    EXPECT_EQ("Start typed", GetWindowTextString(::GetDlgItem(*Window("Zorla 1.0NID:1"), IDC_NOTE_TEXT)));
    EXPECT_EQ(100, ScreenRect(*Window("Zorla 1.0NID:1")).left);
    EXPECT_EQ(second.left, ScreenRect(*Window("Zorla 1.0NID:2")).left);
    EXPECT_EQ(second.top, ScreenRect(*Window("Zorla 1.0NID:2")).top);
    EXPECT_EQ("06.12.30 14:00", GetWindowTextString(::GetDlgItem(*Window("Zorla 1.0TID:3"), IDC_NOTE_DATE)));
    // Back at home, the notes save as before.
    Type(*Window("Zorla 1.0NID:1"), "!");
    SaveTimerFires(*Window("Zorla 1.0NID:1"));
    EXPECT_NE(std::string::npos, TestFiles::Bytes(notes.GetPath()).find("text=\"Start typed!\""));
}

TEST_F(NoteWindowTest, ADeletedNoteGoesToTheBinWithWhatItShowed)
{
    LoadNotes(kStart);
    LoadTimers("<ENTRY _id_=\"4\" date=\"12/06/2026 14:00:00\" notify=\"5\" text=\"Call\" wndX=\"300\" wndY=\"90\"/>");
    OpenAll(notes);
    OpenAll(timers);
    Type(*Window("Zorla 1.0NID:1"), " unsaved");
    Window("Zorla 1.0NID:1")->Delete();
    Window("Zorla 1.0TID:4")->Delete();
    EXPECT_EQ(0u, main.registry.Count());

    Bin reread(folder.Path(), TestPlatform::Files());
    ASSERT_TRUE(reread.Load());
    CEntry last;
    ASSERT_TRUE(reread.PeekLast(last));
    EXPECT_EQ(EntryKind::Reminder, last.kind);
    EXPECT_EQ("Call", last.text);
    EXPECT_EQ(5, last.notify);
    EXPECT_EQ(300, last.wndX);
    reread.DropLast();
    ASSERT_TRUE(reread.PeekLast(last));
    EXPECT_EQ(EntryKind::Note, last.kind);
    EXPECT_EQ("Start unsaved", last.text);
    EXPECT_EQ(100, last.wndY);
}

// The edit refused every key past its visible lines: the text must scroll, every
// key reach the file, and a mark under the text tell of the lines out of sight.
TEST_F(NoteWindowTest, TextLongerThanTheNoteScrollsReachesTheFileAndIsMarked)
{
    LoadNotes(kStart);
    LoadTimers("<ENTRY _id_=\"2\" date=\"12/06/2030 14:00:00\" notify=\"0\" text=\"Start\" wndX=\"400\" wndY=\"100\"/>");
    OpenAll(notes);
    OpenAll(timers);
    const struct {
        const char* key;
        EntryStore& store;
        size_t typed;
        POINT mark;  // the mark's middle on the screen
    } kNotes[] = {{"Zorla 1.0NID:1", notes, 2000, {100 + 95, 100 + 170}},
                  {"Zorla 1.0TID:2", timers, 600, {400 + 95, 100 + 105}}};
    for (const auto& row : kNotes) {
        CNoteDlg& window = *Window(row.key);
        std::string typed;
        for (size_t i = 0; typed.size() < row.typed; ++i)
            typed += (i % 9 == 8) ? "\r" : "wort" + std::to_string(i % 10) + " ";
        typed.resize(row.typed);
        Type(window, typed);
        HWND edit = ::GetDlgItem(window, IDC_NOTE_TEXT);
        EXPECT_EQ(5 + row.typed + std::count(typed.begin(), typed.end(), '\r'),
                  static_cast<size_t>(::GetWindowTextLengthA(edit)))
            << row.key << ": every key is taken";
        SaveTimerFires(window);
        std::string stored = typed;
        for (size_t at = 0; (at = stored.find('\r', at)) != std::string::npos;)
            stored.replace(at, 1, "_BR_");
        EXPECT_NE(std::string::npos, TestFiles::Bytes(row.store.GetPath()).find("text=\"Start" + stored + "\""))
            << row.key;

        ::UpdateWindow(window);
        EXPECT_NE(ScreenPixel(row.mark.x, row.mark.y), RGB(0, 101, 136)) << row.key << ": at the end, nothing below";
        ::SendMessageA(edit, EM_SETSEL, 0, 0);
        ::SendMessageA(edit, EM_SCROLLCARET, 0, 0);
        ::UpdateWindow(window);
        EXPECT_EQ(ScreenPixel(row.mark.x, row.mark.y), RGB(0, 101, 136)) << row.key << ": at the start, more below";
    }
}
