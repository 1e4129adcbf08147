// The keys that reach Zorla from every other program: how a setting names
// them, a key another program holds told once, the menu showing the keys,
// a new note at the mouse ready for typing, and every note in front until
// the user is done with them.
#include "mainwnd/MainWindowFixture.h"

#include <algorithm>
#include <functional>

#include "base/StoredNames.h"
#include "framework/ProfileSettings.h"
#include "keys/HotKey.h"
#include "support/BoxRecorder.h"
#include "support/MessagePump.h"
#include "support/TestFiles.h"

namespace {

class GlobalKeysTest : public MainWindowFixture {
protected:
    std::string Stored(const char* name) const
    {
        return ProfileSettings().GetString(stored::kKeysSection, name, "?");
    }
    std::vector<std::string> Boxes()
    {
        BoxRecorder boxes;
        PumpMessages(200);
        std::vector<std::string> texts;
        for (const SeenBox& box : boxes.Stop())
            texts.push_back(box.text);
        return texts;
    }
};

bool Above(HWND window, HWND other)
{
    for (HWND below = ::GetWindow(window, GW_HWNDNEXT); below; below = ::GetWindow(below, GW_HWNDNEXT))
        if (below == other)
            return true;
    return false;
}

}  // namespace

TEST(HotKey, TheUsersWritingIsReadAndWrittenBack)
{
    const struct {
        const char* text;
        bool understood;
        UINT modifiers;
        UINT key;
        const char* written;
    } kRows[] = {
        {"Win+Shift+N", true, MOD_WIN | MOD_SHIFT, 'N', "Win+Shift+N"},
        {" shift + WIN + z ", true, MOD_WIN | MOD_SHIFT, 'Z', "Win+Shift+Z"},
        {"Strg+Alt+F5", true, MOD_CONTROL | MOD_ALT, VK_F5, "Ctrl+Alt+F5"},
        {"Umschalt+Win+7", true, MOD_WIN | MOD_SHIFT, '7', "Win+Shift+7"},
        {"", true, 0, 0, ""},
        {"none", true, 0, 0, ""},
        {"N", false, 0, 0, ""},  // without a modifier it would take the key from every program
        {"Win+Shift+", false, 0, 0, ""},
        {"Hyper+N", false, 0, 0, ""},
        {"Win+F25", false, 0, 0, ""},
        {"Win+NN", false, 0, 0, ""},
    };
    for (const auto& row : kRows) {
        HotKey key;
        EXPECT_EQ(row.understood, HotKey::Parse(row.text, key)) << row.text;
        EXPECT_EQ(row.modifiers, key.modifiers) << row.text;
        EXPECT_EQ(row.key, key.key) << row.text;
        EXPECT_EQ(row.written, key.Text()) << row.text;
    }
}

// A key's field keeps only presses that can be written back and read again.
TEST(HotKey, APressIsAKeyOnlyWithAModifierAndALetterDigitOrFunctionKey)
{
    const struct {
        UINT key;
        UINT modifiers;
        const char* written;
    } kRows[] = {
        {'J', MOD_WIN | MOD_SHIFT, "Win+Shift+J"},
        {VK_F12, MOD_CONTROL | MOD_ALT, "Ctrl+Alt+F12"},
        {'7', MOD_WIN, "Win+7"},
        {'J', 0, ""},
        {VK_F5, 0, ""},
        {VK_LEFT, MOD_WIN, ""},
        {VK_SHIFT, MOD_SHIFT, ""},
        {VK_OEM_PLUS, MOD_CONTROL, ""},  // "Ctrl++" would not read back
    };
    for (const auto& row : kRows) {
        const HotKey press = HotKey::FromPress(row.key, row.modifiers);
        EXPECT_EQ(row.written, press.Text()) << row.written;
        HotKey read;
        EXPECT_TRUE(HotKey::Parse(press.Text(), read) && read == press) << row.written;
    }
}

TEST_F(GlobalKeysTest, AKeyHeldElsewhereIsToldOnceAndTheMenuShowsTheKeysHeld)
{
    // Another program holds the show-all key.
    ASSERT_TRUE(::RegisterHotKey(nullptr, 7, MOD_WIN | MOD_SHIFT, 'Z'));
    ASSERT_NO_FATAL_FAILURE(Open());
    const std::vector<std::string> told = Boxes();
    ASSERT_EQ(1u, told.size());
    EXPECT_NE(std::string::npos, told[0].find("Win+Shift+Z is used by another program")) << told[0];
    EXPECT_NE(std::string::npos, told[0].find("\\Keys\\ShowAllNotes")) << told[0];
    EXPECT_EQ("Win+Shift+N", Stored(stored::kNewNoteKey)) << "written for the user to find";

    ::SendMessageA(window, WM_RBUTTONDOWN, 0, MAKELPARAM(20, 20));
    std::vector<std::string> rows;
    for (const PopupMenuItem& item : dlg->CommandMenu().Items())
        rows.push_back(item.text);
    ::SendMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpMessages(50);
    EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), "New note\tWin+Shift+N"));
    EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), "Show all notes")) << "no key beside it";
    EXPECT_NE(rows.end(), std::find(rows.begin(), rows.end(), "Find a note...\tWin+Shift+F"));

    // The next start finds it held still: not told again. Once free, the key
    // is Zorla's, and a new refusal would be told again.
    Close();
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_TRUE(Boxes().empty());
    Close();
    ::UnregisterHotKey(nullptr, 7);
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ("", Stored("RefusedShowAllNotes"));
    EXPECT_FALSE(::RegisterHotKey(nullptr, 7, MOD_WIN | MOD_SHIFT, 'Z')) << "held by Zorla";
}

TEST_F(GlobalKeysTest, TheNewNoteKeyOpensAnEmptyNoteAtTheMouseReadyForTyping)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    ::SetCursorPos(500, 400);
    ::SendMessageA(dlg->program.GetSafeHwnd(), WM_HOTKEY, 0, MAKELPARAM(MOD_WIN | MOD_SHIFT, 'N'));
    ASSERT_EQ(1u, dlg->program.NoteWindows().Count());
    CNoteDlg* note = dlg->program.NoteWindows().Find("Zorla 1.0NID:1");
    ASSERT_TRUE(note && note->m_hWnd);
    RECT place{};
    ::GetWindowRect(*note, &place);
    EXPECT_TRUE(place.left < 500 && 500 < place.right && place.top < 400 && 400 < place.bottom) << place.left;
    EXPECT_EQ(::GetDlgItem(*note, IDC_NOTE_TEXT), ::GetFocus()) << "typing goes into it";
    EXPECT_NE(std::string::npos, TestFiles::Bytes(folder.File("Zorla_Notes")).find("text=\"\""));
}

// Every way of being done with the notes in front puts them all back.
TEST_F(GlobalKeysTest, ShowAllBringsNotesAboveOtherWindowsUntilTheUserIsDone)
{
    TestFiles::Write(folder.File("Zorla_Notes"),
                     "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<DATABASE>"
                     "<ENTRY _id_=\"1\" date=\"12/06/2026 10:00:00\" text=\"a\" wndX=\"100\" wndY=\"100\"/>"
                     "<ENTRY _id_=\"2\" date=\"12/06/2026 10:00:00\" text=\"b\" wndX=\"150\" wndY=\"150\"/></DATABASE>");
    ASSERT_NO_FATAL_FAILURE(Open());
    HWND other = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 50, 50, 400, 400, nullptr, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
    HWND first = *dlg->program.NoteWindows().Find("Zorla 1.0NID:1");
    HWND second = *dlg->program.NoteWindows().Find("Zorla 1.0NID:2");
    const std::function<void()> kDone[] = {
        [&] { ::SendMessageA(dlg->program.GetSafeHwnd(), WM_HOTKEY, 1, 0); },                 // the same key again
        [&] { ::SendMessageA(first, WM_COMMAND, IDCANCEL, 0); },           // Escape
        [&] { ::SendMessageA(second, WM_ACTIVATEAPP, FALSE, 0); },         // a click into another program
    };
    for (size_t i = 0; i < std::size(kDone); ++i) {
        ASSERT_TRUE(Above(other, first) && Above(other, second)) << i << ": the notes rest below";
        ::SendMessageA(dlg->program.GetSafeHwnd(), WM_HOTKEY, 1, 0);
        EXPECT_TRUE(Above(first, other) && Above(second, other)) << i;
        kDone[i]();
        EXPECT_FALSE(dlg->program.NoteWindows().AnyRaised()) << i;
    }
    EXPECT_TRUE(Above(other, first) && Above(other, second));
    ::DestroyWindow(other);
}
