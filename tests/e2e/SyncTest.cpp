// Two copies of the real Zorla.exe as two computers of one user, their notes kept
// in a folder a sync service mirrors: what one does shows on the other.
#include "framework/Handles.h"
#include "framework/Utf8.h"
#include "resource.h"
#include "support/MessageBoxWatcher.h"
#include "support/NoteWindows.h"
#include "support/TestFiles.h"
#include "support/TestRegistry.h"
#include "support/WindowState.h"
#include "support/RunningZorla.h"
#include "support/ZorlaCopy.h"
#include "sync/TextMerge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

namespace {

void Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_BLOCK, 20000, &ignored);
}

void Click(HWND window, int id)
{
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

// One computer: its own copy of the program (registry, computer id, data
// files), told before its start to keep its notes in folder.
struct Computer {
    Computer(const std::string& name, const std::string& syncFolder)
        : copy(name)
        , folder(syncFolder)
    {
        TestRegistry::WriteString(name, "Storage", "Folder", folder);
        // Both run on one desktop here, where only one could hold the keys
        // from anywhere; on two computers each holds its own.
        for (const char* key : {"NewNote", "ShowAllNotes", "FindNote"})
            TestRegistry::WriteString(name, "Keys", key, "");
    }

    // Running, with its own file in the folder.
    bool Start()
    {
        run = std::make_unique<RunningZorla>(copy);
        main = run->Main();
        const auto written = [&] {
            return TestRegistry::ReadString(copy.Name(), "Storage", "Computer", id) && TestFiles::Exists(OwnFile());
        };
        return main && WaitUntil(written, 20000);
    }
    DWORD Pid() const { return run->Process().Id(); }
    std::string OwnFile() const { return folder + "\\Zorla_" + id + ".zorla"; }

    // Typed into the note editor and filed by going home, as the user does.
    void NewNote(const std::string& text)
    {
        Send(main, WM_COMMAND, ID_SHOW_NOTE_EDITOR, 0);
        Send(GetDlgItem(main, IDC_EDITOR_TEXT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
        Send(main, WM_COMMAND, ID_SHOW_HOME, 0);
    }

    ZorlaCopy copy;
    std::string folder;
    std::unique_ptr<RunningZorla> run;
    HWND main = nullptr;
    std::string id;
};

// Everything selected and replaced, as a paste does: the window counts it as
// typed and would save it within 2 s.
void Type(HWND note, const std::string& text)
{
    HWND edit = GetDlgItem(note, IDC_NOTE_TEXT);
    Send(edit, EM_SETSEL, 0, -1);
    Send(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

// Saved now rather than 2 s after typing.
void Save(HWND note)
{
    Send(note, WM_TIMER, 18, 0);
}

std::vector<std::string> NoteTexts(DWORD processId)
{
    std::vector<std::string> texts;
    for (HWND note : NoteWindowsOf(processId))
        texts.push_back(NoteEditText(note));
    std::sort(texts.begin(), texts.end());
    return texts;
}

// One round of a sync service between two folders: a file missing on one side,
// or older there, is copied over whole; files still being written (".tmp") wait.
void MirrorOnce(const std::string& from, const std::string& to)
{
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(Widen(from + "\\*").c_str(), &found);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
        const std::string name = Narrow(found.cFileName);
        const std::string source = from + "\\" + name;
        const std::string target = to + "\\" + name;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            (name.size() < 4 || name.compare(name.size() - 4, 4, ".tmp") != 0) &&
            TestFiles::WriteTime(source) > TestFiles::WriteTime(target))
            CopyFileW(Widen(source).c_str(), Widen(target).c_str(), FALSE);
    }
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
}

// Mirrors two folders into each other every 2 s while it exists.
class Mirror {
public:
    Mirror(const std::string& a, const std::string& b)
        : m_thread([this, a, b] {
            do {
                MirrorOnce(a, b);
                MirrorOnce(b, a);
            } while (WaitForSingleObject(m_stop.get(), 2000) == WAIT_TIMEOUT);
        })
    {}
    ~Mirror()
    {
        SetEvent(m_stop.get());
        m_thread.join();
    }

private:
    KernelHandle m_stop{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::thread m_thread;
};

}  // namespace

TEST(SyncTwoComputers, NotesRemindersEditsDeletesAndStrayFilesReachTheOtherComputer)
{
    TempFolder shared;
    // A third computer left a reminder that is due now.
    TestFiles::Write(shared.File("Zorla_0123456789abcdef.zorla"),
                     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<ZORLA_NOTES format=\"1\" "
                     "computer=\"0123456789abcdef\"><ENTRY _id_=\"1\" text=\"Tee\" date=\"" +
                         ZorlaCopy::MinuteOfNow() +
                         "\" wndX=\"300\" wndY=\"200\" notify=\"0\" kind=\"reminder\" "
                         "uid=\"7ea07ea07ea07ea07ea07ea07ea07ea0\" versions=\"0123456789abcdef:1\" stamp=\"1\"/>"
                         "</ZORLA_NOTES>");
    Computer office("ZorlaOffice", shared.Path());
    Computer home("ZorlaHome", shared.Path());
    ASSERT_TRUE(office.Start());
    ASSERT_TRUE(home.Start());
    ASSERT_NE(office.id, home.id);

    // The reminder alerts on both; deleted from its due dialog on one, it stops
    // alerting on the other.
    HWND teaOffice = WaitForNoteText(office.Pid(), "Tee", 10000);
    HWND teaHome = WaitForNoteText(home.Pid(), "Tee", 10000);
    ASSERT_TRUE(teaOffice && teaHome);
    ASSERT_TRUE(WaitUntil([&] { return TopMost(teaOffice) && TopMost(teaHome); }, 10000)) << "both alert";
    Click(teaOffice, IDC_NOTE_CLOSE);
    HWND due = WaitForProcessDialog(office.Pid(), IDC_DUE_DELETE, 5000);
    ASSERT_NE(due, nullptr);
    Click(due, IDC_DUE_DELETE);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(teaHome); }, 5000)) << "the other computer's alert ends";

    // A note made on either shows on the other.
    office.NewNote("Milk");
    home.NewNote("Bread");
    HWND milkHome = WaitForNoteText(home.Pid(), "Milk", 5000);
    HWND breadOffice = WaitForNoteText(office.Pid(), "Bread", 5000);
    HWND milkOffice = WaitForNoteText(office.Pid(), "Milk", 0);
    HWND breadHome = WaitForNoteText(home.Pid(), "Bread", 0);
    ASSERT_TRUE(milkHome && breadOffice && milkOffice && breadHome);

    // Different notes edited at once on both: both edits everywhere.
    Type(milkOffice, "Milk and honey");
    Type(breadHome, "Bread and butter");
    Save(milkOffice);
    Save(breadHome);
    for (const Computer* computer : {&office, &home})
        for (const char* text : {"Milk and honey", "Bread and butter"})
            EXPECT_NE(WaitForNoteText(computer->Pid(), text, 5000), nullptr) << computer->copy.Name() << ": " << text;

    // The same words changed on both: one note everywhere holding both, the
    // earlier change marked under the later one.
    Type(milkOffice, "Oat milk");
    Type(milkHome, "Goat milk");
    Save(milkOffice);
    Save(milkHome);
    std::string kept;
    ASSERT_TRUE(WaitUntil(
        [&] {
            kept = NoteEditText(milkOffice);
            return kept == NoteEditText(milkHome) && kept.find("Oat milk") != std::string::npos &&
                   kept.find("Goat milk") != std::string::npos;
        },
        5000))
        << NoteEditText(milkOffice) << " / " << NoteEditText(milkHome);
    EXPECT_NE(kept.find("\r\n" + std::string(TextMerge::kMarker)), std::string::npos) << kept;

    // Deleted on one: gone on the other, and back on both from the other's bin.
    Click(breadOffice, IDC_NOTE_CLOSE);
    HWND question = WaitForProcessDialog(office.Pid(), IDYES, 5000);
    ASSERT_NE(question, nullptr);
    Click(question, IDYES);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(breadHome); }, 5000)) << "deleted on the other computer";
    Send(home.main, WM_COMMAND, ID_RESTORE_DELETED, 0);
    EXPECT_NE(WaitForNoteText(home.Pid(), "Bread and butter", 5000), nullptr);
    EXPECT_NE(WaitForNoteText(office.Pid(), "Bread and butter", 5000), nullptr) << "back where it was deleted";
    // Out of every bin: the other computer's "Bring back" does not make a second.
    Send(office.main, WM_COMMAND, ID_RESTORE_DELETED, 0);
    Sleep(3000);
    for (const Computer* computer : {&office, &home}) {
        const std::vector<std::string> texts = NoteTexts(computer->Pid());
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "Bread and butter"), 1) << computer->copy.Name();
    }

    // A conflicted copy the sync service made, with a note of its own: merged,
    // then removed.
    std::string copied;
    ASSERT_TRUE(WaitUntil(
        [&] {
            return (copied = TestFiles::Bytes(office.OwnFile())).find("text=\"Bread and butter\"") != std::string::npos;
        },
        5000));
    const std::size_t text = copied.find("text=\"Bread and butter\"");
    const std::size_t uid = copied.find("uid=\"", text) + 5;
    copied.replace(uid, copied.find('"', uid) - uid, "c0ffeec0ffeec0ffeec0ffeec0ffee00");
    copied.replace(text, std::string("text=\"Bread and butter\"").size(), "text=\"Jam\"");
    const std::string conflicted = shared.File("Zorla_" + office.id + " (Anna's conflicted copy 2026-12-07).zorla");
    ASSERT_TRUE(TestFiles::Write(conflicted, copied));
    EXPECT_NE(WaitForNoteText(home.Pid(), "Jam", 5000), nullptr);
    EXPECT_NE(WaitForNoteText(office.Pid(), "Jam", 5000), nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !TestFiles::Exists(conflicted); }, 5000)) << "the copy is removed";
    EXPECT_NE(WaitForNoteText(home.Pid(), "Bread and butter", 0), nullptr) << "the copied note stays as it was";

    // A truncated file changes nothing and is reported once.
    const std::vector<std::string> before = NoteTexts(home.Pid());
    ASSERT_EQ(4u, before.size()) << "the kept milk, the lost one, Bread and butter, Jam";
    const std::string whole = TestFiles::Bytes(office.OwnFile());
    ASSERT_TRUE(TestFiles::Write(office.OwnFile(), whole.substr(0, whole.size() / 2)));
    SeenBox box;
    HWND boxWindow = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return ReadMessageBox(home.Pid(), box, &boxWindow); }, 10000));
    EXPECT_NE(box.text.find("Zorla_" + office.id + ".zorla"), std::string::npos) << box.text;
    EXPECT_EQ(before, NoteTexts(home.Pid()));
    PostMessageA(boxWindow, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(boxWindow); }, 5000));
    // Two more checks of the folder, the file unchanged.
    EXPECT_FALSE(WaitUntil([&] { return ReadMessageBox(home.Pid(), box); }, 4000)) << "one box only: " << box.text;
    EXPECT_EQ(before, NoteTexts(home.Pid()));

    EXPECT_TRUE(office.run->Exit());
    EXPECT_TRUE(home.run->Exit());
}

// Each computer with a folder of its own, mirrored into the other's by a sync
// service that copies whole files now and then.
TEST(SyncTwoComputers, NotesCrossFoldersASyncServiceMirrors)
{
    TempFolder officeFolder;
    TempFolder homeFolder;
    Mirror service(officeFolder.Path(), homeFolder.Path());
    Computer office("ZorlaOfficeMirrored", officeFolder.Path());
    Computer home("ZorlaHomeMirrored", homeFolder.Path());
    ASSERT_TRUE(office.Start());
    ASSERT_TRUE(home.Start());

    office.NewNote("Tea");
    EXPECT_NE(WaitForNoteText(home.Pid(), "Tea", 10000), nullptr);
    home.NewNote("Coffee");
    EXPECT_NE(WaitForNoteText(office.Pid(), "Coffee", 10000), nullptr);
    EXPECT_TRUE(office.run->Exit());
    EXPECT_TRUE(home.run->Exit());
}

TEST(SyncTwoComputers, EditsMadeWhileTheComputersCannotSeeEachOtherMeetInOneNote)
{
    TempFolder officeFolder;
    TempFolder homeFolder;
    Computer office("ZorlaOfficeApart", officeFolder.Path());
    Computer home("ZorlaHomeApart", homeFolder.Path());
    ASSERT_TRUE(office.Start());
    ASSERT_TRUE(home.Start());
    const std::string start = "Shopping\r\nmilk\r\nbread";
    HWND atTheOffice = nullptr;
    HWND atHome = nullptr;
    {
        Mirror service(officeFolder.Path(), homeFolder.Path());
        office.NewNote(start);
        atHome = WaitForNoteText(home.Pid(), start, 10000);
        atTheOffice = WaitForNoteText(office.Pid(), start, 10000);
        ASSERT_TRUE(atHome && atTheOffice);
    }
    // Offline: the first line changed at the office, the last one at home.
    Type(atTheOffice, "Shopping list\r\nmilk\r\nbread");
    Save(atTheOffice);
    Type(atHome, "Shopping\r\nmilk\r\nbread rolls");
    Save(atHome);
    Sleep(2000);
    const std::string both = "Shopping list\r\nmilk\r\nbread rolls";
    {
        Mirror service(officeFolder.Path(), homeFolder.Path());
        // The mirror copies at once; each computer merges what it finds.
        EXPECT_TRUE(
            WaitUntil([&] { return NoteEditText(atTheOffice) == both && NoteEditText(atHome) == both; }, 2000 + 1500))
            << NoteEditText(atTheOffice) << " / " << NoteEditText(atHome);
    }
    EXPECT_TRUE(office.run->Exit());
    EXPECT_TRUE(home.run->Exit());
}

namespace {

// The program's own popup menu that a process shows now.
HWND ShownMenuOf(DWORD processId)
{
    for (HWND window = FindWindowExA(nullptr, nullptr, "vlsMenuClass", nullptr); window;
         window = FindWindowExA(nullptr, window, "vlsMenuClass", nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

// A pixel of the note's paper below its text, the note moved where nothing covers it.
COLORREF PaperAt(HWND note, POINT screen)
{
    POINT place = screen;
    if (HWND parent = GetParent(note))
        ScreenToClient(parent, &place);
    SetWindowPos(note, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(note, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    HDC dc = GetDC(nullptr);
    const COLORREF pixel = GetPixel(dc, screen.x + 100, screen.y + 200);
    ReleaseDC(nullptr, dc);
    return pixel;
}

bool Blue(COLORREF pixel)
{
    return GetBValue(pixel) > GetRValue(pixel) + 20;
}

}  // namespace

// Made blue through its own menu on one computer: blue there, in the files,
// and on the other computer.
TEST(SyncTwoComputers, ANoteMadeBlueThroughItsMenuIsBlueOnBothComputers)
{
    TempFolder shared;
    Computer office("ZorlaOfficeColour", shared.Path());
    Computer home("ZorlaHomeColour", shared.Path());
    ASSERT_TRUE(office.Start());
    ASSERT_TRUE(home.Start());
    office.NewNote("Sky");
    HWND atTheOffice = WaitForNoteText(office.Pid(), "Sky", 5000);
    HWND atHome = WaitForNoteText(home.Pid(), "Sky", 5000);
    ASSERT_TRUE(atTheOffice && atHome);

    // Shift+F10 in the text, then the colour's letter.
    HWND edit = GetDlgItem(atTheOffice, IDC_NOTE_TEXT);
    PostMessageA(edit, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit), -1);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (menu = ShownMenuOf(office.Pid())) != nullptr; }, 5000));
    PostMessageA(menu, WM_CHAR, 'b', 0);

    const auto blueIn = [](const std::string& file) {
        return TestFiles::Bytes(file).find("color=\"blue\"") != std::string::npos;
    };
    EXPECT_TRUE(WaitUntil([&] { return blueIn(office.OwnFile()); }, 5000)) << TestFiles::Bytes(office.OwnFile());
    EXPECT_TRUE(WaitUntil([&] { return blueIn(home.OwnFile()); }, 5000)) << "the other computer took it";
    COLORREF paper = 0;
    EXPECT_TRUE(WaitUntil([&] { return Blue(paper = PaperAt(atTheOffice, POINT{20, 500})); }, 5000))
        << std::hex << paper;
    EXPECT_TRUE(WaitUntil([&] { return Blue(paper = PaperAt(atHome, POINT{260, 500})); }, 5000))
        << std::hex << paper;

    EXPECT_TRUE(office.run->Exit());
    EXPECT_TRUE(home.run->Exit());
}
