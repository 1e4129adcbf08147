// The real Zorla.exe reached through the system's input from another program:
// the new-note key makes a note the user types into, longer than the note, and the show-all key
// brings a covered note in front until it is pressed again; the find key
// finds a Polish note typed without its accents and brings it to the front;
// a key pressed into the options window's field makes notes at once.
#include "resource.h"
#include "support/NoteWindows.h"
#include "support/TestFiles.h"
#include "support/WindowState.h"
#include "support/RunningZorla.h"
#include "support/ZorlaCopy.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Win+Shift and the key, pressed and let go as a keyboard would.
void PressWithWinShift(WORD key)
{
    std::vector<INPUT> inputs;
    for (WORD down : {WORD(VK_LWIN), WORD(VK_SHIFT), key})
        inputs.push_back(INPUT{INPUT_KEYBOARD, {.ki = {down, 0, 0, 0, 0}}});
    for (WORD up : {key, WORD(VK_SHIFT), WORD(VK_LWIN)})
        inputs.push_back(INPUT{INPUT_KEYBOARD, {.ki = {up, 0, KEYEVENTF_KEYUP, 0, 0}}});
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void TypeText(const std::wstring& text)
{
    for (wchar_t c : text) {
        INPUT press[2] = {INPUT{INPUT_KEYBOARD, {.ki = {0, c, KEYEVENTF_UNICODE, 0, 0}}},
                          INPUT{INPUT_KEYBOARD, {.ki = {0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP, 0, 0}}}};
        SendInput(2, press, sizeof(INPUT));
        Sleep(5);
    }
}

// Asked of the control itself, which another process's GetWindowText does not.
std::wstring FieldText(HWND field)
{
    wchar_t text[64] = L"";
    SendMessageTimeoutW(field, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 3000, nullptr);
    return text;
}

bool Above(HWND window, HWND other)
{
    for (HWND below = GetWindow(window, GW_HWNDNEXT); below; below = GetWindow(below, GW_HWNDNEXT))
        if (below == other)
            return true;
    return false;
}

}  // namespace

TEST(Keys, TheNewNoteKeyMakesANoteForTypingAndTheShowAllKeyRaisesCoveredNotes)
{
    ZorlaCopy copy("ZorlaKeys");
    TestFiles::Write(copy.Folder().File("Zorla_Notes"),
                     "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<DATABASE><ENTRY _id_=\"1\" "
                     "date=\"12/06/2026 10:00:00\" text=\"unten\" wndX=\"100\" wndY=\"100\"/><ENTRY _id_=\"2\" "
                     "date=\"12/06/2026 10:00:00\" text=\"&#321;&#243;d&#378; jutro\" wndX=\"200\" wndY=\"150\"/>"
                     "</DATABASE>");
    RunningZorla zorla(copy);
    HWND main = zorla.Main();
    ASSERT_NE(main, nullptr);
    HWND covered = WaitForNoteWindow("Zorla 1.0NID:1");
    HWND polish = WaitForNoteWindow("Zorla 1.0NID:2");
    ASSERT_TRUE(covered && polish);
    // The keys are taken once the notes are open.
    Sleep(1000);

    SetCursorPos(600, 500);
    PressWithWinShift('N');
    HWND fresh = WaitForNoteWindow("Zorla 1.0NID:3");
    ASSERT_NE(fresh, nullptr) << "a new note";
    const RECT place = ScreenRect(fresh);
    EXPECT_TRUE(place.left < 600 && 600 < place.right && place.top < 500 && 500 < place.bottom) << "at the mouse";
    WaitUntil([&] { return GetForegroundWindow() == fresh; }, 3000);
    TypeText(L"Idee \u0142");
    const std::string notes = copy.Folder().File("Zorla_Notes");
    EXPECT_TRUE(WaitUntil([&] { return TestFiles::Bytes(notes).find("text=\"Idee &#322;\"") != std::string::npos; },
                          3000))
        << TestFiles::Bytes(notes);
    // Far more than the paper shows: every key reaches the file.
    std::string more;
    for (int i = 0; more.size() < 2000; ++i)
        more += " wort" + std::to_string(i % 10);
    more.resize(2000);
    HWND edit = GetDlgItem(fresh, IDC_NOTE_TEXT);
    for (char key : more)
        SendMessageTimeoutA(edit, WM_CHAR, static_cast<unsigned char>(key), 0, SMTO_BLOCK, 5000, nullptr);
    EXPECT_TRUE(WaitUntil(
        [&] { return TestFiles::Bytes(notes).find("text=\"Idee &#322;" + more + "\"") != std::string::npos; }, 3000))
        << "2,000 keys more";

    // A window of another program covers the first note.
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 50, 50, 400, 400, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(other);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other && Above(other, covered); }, 3000));
    // The new note, in front while it had the focus, hears that it has lost it
    // and goes back before the key is pressed.
    Sleep(500);
    PressWithWinShift('Z');
    EXPECT_TRUE(WaitUntil([&] { return Above(covered, other); }, 3000)) << "in front";
    PressWithWinShift('Z');
    EXPECT_TRUE(WaitUntil([&] { return Above(other, covered); }, 3000)) << "back under the other window";

    ASSERT_TRUE(Above(other, polish));
    PressWithWinShift('F');
    HWND find = WaitForProcessWindow(zorla.Process().Id(), "Find a note", 5000);
    ASSERT_NE(find, nullptr);
    WaitUntil([&] { return GetForegroundWindow() == find; }, 3000);
    TypeText(L"lodz");
    INPUT enter[2] = {INPUT{INPUT_KEYBOARD, {.ki = {VK_RETURN, 0, 0, 0, 0}}},
                      INPUT{INPUT_KEYBOARD, {.ki = {VK_RETURN, 0, KEYEVENTF_KEYUP, 0, 0}}}};
    SendInput(2, enter, sizeof(INPUT));
    EXPECT_TRUE(WaitUntil([&] { return Above(polish, other); }, 3000)) << "the note found comes to the front";
    DestroyWindow(other);
    EXPECT_TRUE(zorla.Exit());
}

TEST(Keys, AKeyPressedIntoTheOptionsMakesNotesAtOnce)
{
    ZorlaCopy copy("ZorlaOptionsKey");
    RunningZorla zorla(copy);
    HWND main = zorla.Main();
    ASSERT_NE(main, nullptr);
    Sleep(1000);  // the keys are taken once the start-up is through

    PostMessageA(main, WM_COMMAND, ID_CONFIGURE, 0);
    HWND options = WaitForProcessWindow(zorla.Process().Id(), "Zorla options", 5000);
    ASSERT_NE(options, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == options; }, 3000));
    PressWithWinShift('J');
    HWND field = GetDlgItem(options, IDC_OPTIONS_NEW_NOTE_KEY);
    EXPECT_TRUE(WaitUntil([&] { return FieldText(field) == L"Win+Shift+J"; }, 3000));
    INPUT escape[2] = {INPUT{INPUT_KEYBOARD, {.ki = {VK_ESCAPE, 0, 0, 0, 0}}},
                       INPUT{INPUT_KEYBOARD, {.ki = {VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0, 0}}}};
    SendInput(2, escape, sizeof(INPUT));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 3000));

    PressWithWinShift('J');
    EXPECT_NE(WaitForNoteWindow("Zorla 1.0NID:1"), nullptr) << "a new note, without a restart";
    EXPECT_TRUE(zorla.Exit());
}
