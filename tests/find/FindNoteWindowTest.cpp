// The find window in a real window: typing filters its list, Down and Return
// choose a row, Escape closes it, and a German system reads it in German.
#include "framework/CWnd.h"
#include "find/FindNoteWindow.h"
#include "resource.h"
#include "shared/AppTranslator.h"
#include "shared/Translator.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CEntry Entry(EntryKind kind, int id, const std::string& text)
{
    CEntry entry;
    entry.kind = kind;
    entry.id = id;
    entry.notify = kind == EntryKind::Reminder ? 0 : -1;
    entry.SetText(text);
    return entry;
}

// Keys as the user presses them: queued, so they pass the window's own
// handling before the control's, as in the program's message loop.
void Press(HWND target, WPARAM key)
{
    ::PostMessageW(target, WM_KEYDOWN, key, 0);
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        CWnd::DispatchQueued(&message);
}

int Rows(const FindNoteWindow& window)
{
    return static_cast<int>(::SendDlgItemMessageW(window, IDC_FIND_LIST, LVM_GETITEMCOUNT, 0, 0));
}

struct FindNoteWindowTest : testing::Test {
    void SetUp() override { FillTranslationTable(GetTranslator()); }

    std::vector<CEntry> entries{Entry(EntryKind::Reminder, 1, "Milk the cows"),
                                Entry(EntryKind::Note, 1, "Buy milk in \u0141\u00f3d\u017a"),
                                Entry(EntryKind::Note, 2, "Call mum")};
    std::vector<std::string> chosen;
    FindNoteWindow window{[this] { return entries; }, [this](const std::string& key) { chosen.push_back(key); }};
};

}  // namespace

TEST_F(FindNoteWindowTest, TypingFiltersTheListAndReturnChoosesARow)
{
    ASSERT_TRUE(window.Open(nullptr));
    HWND edit = ::GetDlgItem(window, IDC_FIND_TEXT);
    EXPECT_EQ(Rows(window), 3);
    const struct {
        wchar_t typed;
        int rows;
    } keys[] = {{L'M', 3}, {L'I', 2}, {L'l', 2}, {L'k', 2}, {L' ', 2}, {L'l', 2}, {L'o', 1}, {L'x', 0}, {L'\b', 1}};
    for (const auto& key : keys) {
        ::SendMessageW(edit, WM_CHAR, key.typed, 0);
        EXPECT_EQ(Rows(window), key.rows) << "after " << static_cast<char>(key.typed);
    }
    Press(edit, VK_RETURN);
    EXPECT_EQ(chosen, std::vector<std::string>{"Zorla 1.0NID:1"});

    // Back to "milk": Down goes into the list, Down again to the second row.
    ::SetWindowTextW(edit, L"milk");
    Press(edit, VK_DOWN);
    Press(::GetFocus(), VK_DOWN);
    Press(::GetFocus(), VK_RETURN);
    EXPECT_EQ(chosen.back(), "Zorla 1.0NID:1");
    Press(::GetFocus(), VK_UP);
    Press(::GetFocus(), VK_RETURN);
    EXPECT_EQ(chosen.back(), "Zorla 1.0TID:1");

    // A note gone elsewhere leaves the list at the owner's refresh.
    entries.pop_back();
    entries.pop_back();
    window.Refresh();
    EXPECT_EQ(Rows(window), 1);

    // Closed and opened again: the entries as they are now, where the user left it.
    ::SetWindowPos(window, nullptr, 50, 60, 500, 300, SWP_NOZORDER);
    Press(::GetFocus(), VK_ESCAPE);
    EXPECT_FALSE(window.IsOpen());
    ASSERT_TRUE(window.Open(nullptr));
    EXPECT_EQ(Rows(window), 1);
    RECT place{};
    ::GetWindowRect(window, &place);
    EXPECT_EQ(place.left, 50);
    EXPECT_EQ(place.top, 60);
    EXPECT_EQ(place.right, 550);
}

struct GermanFindNoteWindowTest : FindNoteWindowTest {};

TEST_F(GermanFindNoteWindowTest, ReadsInGerman)
{
    ASSERT_EQ(GetUiLanguage(), UiGerman);
    ASSERT_TRUE(window.Open(nullptr));
    EXPECT_EQ(GetWindowTextString(window), "Notiz suchen");
    ::SetDlgItemTextW(window, IDC_FIND_TEXT, L"kein Treffer");
    EXPECT_EQ(Rows(window), 0);
    auto* list = dynamic_cast<CEmptyTextListView*>(CWnd::FromHandlePermanent(::GetDlgItem(window, IDC_FIND_LIST)));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->EmptyText(), "Keine Notiz enth\u00e4lt diesen Text.");
}
