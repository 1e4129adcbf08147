// The options window over the real main window: a key pressed into its field
// is Zorla's at once and one another program holds is said beside it, the
// check boxes run the command menu's switches into their registry values, and
// the window speaks the interface's language.
#include "mainwnd/MainWindowFixture.h"

#include "base/StoredNames.h"
#include "image/DisplayScale.h"
#include "shared/AppTranslator.h"
#include "shared/Translator.h"
#include "support/MessagePump.h"

#include <initializer_list>

namespace {

class OptionsWindowTest : public MainWindowFixture {
protected:
    // Opened as the command menu's row opens it.
    HWND OpenOptions()
    {
        Command(ID_CONFIGURE);
        PumpPendingMessages();
        return ::FindWindowW(L"#32770", Widen(Translate("Zorla options")).c_str());
    }
    // A key as the message loop hands it on, with the modifiers held.
    static void Press(HWND target, WPARAM key, std::initializer_list<int> held = {})
    {
        BYTE keys[256] = {};
        for (int modifier : held)
            keys[modifier] = 0x80;
        ::SetKeyboardState(keys);
        MSG message{target, WM_KEYDOWN, key, 1, 0, {}};
        if (!CWnd::WalkPreTranslateTree(&message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        const BYTE none[256] = {};
        ::SetKeyboardState(const_cast<BYTE*>(none));
        PumpPendingMessages();
    }
    static std::string Text(HWND options, int id) { return GetWindowTextString(::GetDlgItem(options, id)); }
};

using GermanOptionsWindow = OptionsWindowTest;

}  // namespace

TEST_F(OptionsWindowTest, AKeyPressedIntoItsFieldIsHeldAtOnceAndOneHeldElsewhereIsSaidBesideIt)
{
    ASSERT_TRUE(::RegisterHotKey(nullptr, 7, MOD_WIN | MOD_SHIFT, 'K')) << "another program's key";
    ASSERT_NO_FATAL_FAILURE(Open());
    HWND options = OpenOptions();
    ASSERT_NE(options, nullptr);
    HWND newNote = ::GetDlgItem(options, IDC_OPTIONS_NEW_NOTE_KEY);
    EXPECT_EQ(newNote, ::GetNextDlgTabItem(options, nullptr, FALSE)) << "first in the tab order";
    EXPECT_EQ(newNote, ::GetFocus());
    EXPECT_EQ("Win+Shift+N", Text(options, IDC_OPTIONS_NEW_NOTE_KEY));

    Press(newNote, 'J', {VK_LWIN, VK_SHIFT});
    EXPECT_EQ("Win+Shift+J", Text(options, IDC_OPTIONS_NEW_NOTE_KEY));
    EXPECT_EQ("", Text(options, IDC_OPTIONS_NEW_NOTE_STATE));
    Press(::GetDlgItem(options, IDC_OPTIONS_SHOW_ALL_KEY), 'K', {VK_RWIN, VK_SHIFT});
    EXPECT_EQ("Win+Shift+K", Text(options, IDC_OPTIONS_SHOW_ALL_KEY));
    EXPECT_EQ("Used by another program", Text(options, IDC_OPTIONS_SHOW_ALL_STATE));
    Press(::GetDlgItem(options, IDC_OPTIONS_FIND_KEY), 'J', {VK_LWIN, VK_SHIFT});
    EXPECT_EQ("Win+Shift+F", Text(options, IDC_OPTIONS_FIND_KEY)) << "one of Zorla's other keys changes nothing";
    EXPECT_EQ("Win+Shift+J is the key of \"New note\" already", Text(options, IDC_OPTIONS_FIND_STATE));
    Press(newNote, VK_ESCAPE);
    EXPECT_FALSE(::IsWindow(options)) << "Escape closes it, even from a key's field";
    ::UnregisterHotKey(nullptr, 7);

    EXPECT_EQ("Win+Shift+J", RegistryString(stored::kKeysSection, stored::kNewNoteKey));
    EXPECT_EQ("Win+Shift+K", RegistryString(stored::kKeysSection, stored::kShowAllNotesKey));
    EXPECT_EQ("Win+Shift+K", RegistryString(stored::kKeysSection, "RefusedShowAllNotes")) << "not told again";
    EXPECT_FALSE(::RegisterHotKey(nullptr, 8, MOD_WIN | MOD_SHIFT, 'J')) << "held by Zorla without a restart";
    EXPECT_TRUE(::RegisterHotKey(nullptr, 8, MOD_WIN | MOD_SHIFT, 'N')) << "the old key given back";
    ::UnregisterHotKey(nullptr, 8);
    EXPECT_EQ("Win+Shift+J", dlg->program.ShownKey(ID_NEW_NOTE)) << "as the command menu shows it";
}

TEST_F(OptionsWindowTest, TheCheckBoxesRunTheMenusSwitchesAndTheChoicesReachTheirRegistryValues)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    HWND options = OpenOptions();
    ASSERT_NE(options, nullptr);
    const struct {
        int control;
        const char* section;
        const char* value;
        DWORD after;  // a fresh user's switch, clicked once
    } kRows[] = {
        {IDC_OPTIONS_PLAY_SOUNDS, stored::kMainSection, stored::kPlaySounds, 1},
        {IDC_OPTIONS_NO_INTERNET, stored::kMainSection, stored::kNoInternet, 0},
        {IDC_OPTIONS_TOP_MOST, stored::kWindowSection, stored::kTopMost, 0},
        {IDC_OPTIONS_UNITS_FAHRENHEIT, stored::kWeatherSection, stored::kWeatherUnits, 2},
        {IDC_OPTIONS_UNITS_CELSIUS, stored::kWeatherSection, stored::kWeatherUnits, 1},
    };
    for (const auto& row : kRows) {
        HWND control = ::GetDlgItem(options, row.control);
        EXPECT_EQ(row.after == 0, ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED) << row.value;
        ::SendMessageW(control, BM_CLICK, 0, 0);
        EXPECT_EQ(row.after != 0, ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED) << row.value;
        EXPECT_EQ(row.after, RegistryDword(row.section, row.value)) << row.value << ": written at once";
    }
    EXPECT_TRUE(dlg->program.Sounds().IsOn()) << "the menu's own switch";
    EXPECT_FALSE(::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(OptionsWindowTest, OnAMonitorOfTwiceTheScaleEveryControlIsTwiceAsLarge)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    HWND options = OpenOptions();
    ASSERT_NE(options, nullptr);
    const auto size = [&](HWND item) {
        RECT place{};
        ::GetWindowRect(item, &place);
        return SIZE{place.right - place.left, place.bottom - place.top};
    };
    RECT window{};
    ::GetWindowRect(options, &window);
    HWND folder = ::GetDlgItem(options, IDC_OPTIONS_FOLDER);
    const SIZE before = size(folder);
    const int dpi = DisplayScale::ForWindow(options).Dpi();
    RECT suggested{window.left, window.top, window.left + 2 * (window.right - window.left),
                   window.top + 2 * (window.bottom - window.top)};
    ::SendMessageW(options, WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_NEAR(2 * before.cx, size(folder).cx, 1);
    EXPECT_NEAR(2 * before.cy, size(folder).cy, 1);
    EXPECT_EQ(2 * (window.right - window.left), size(options).cx) << "the place Windows proposes";
}

TEST_F(GermanOptionsWindow, TheWindowAndItsKeysAreGerman)
{
    FillTranslationTable(GetTranslator());
    ASSERT_NO_FATAL_FAILURE(Open());
    HWND options = OpenOptions();
    ASSERT_NE(options, nullptr);
    EXPECT_EQ("Zorla-Optionen", GetWindowTextString(options));
    EXPECT_EQ("Win+Umschalt+N", Text(options, IDC_OPTIONS_NEW_NOTE_KEY));
    EXPECT_EQ("Nur dieser Computer", Text(options, IDC_OPTIONS_FOLDER));
}
