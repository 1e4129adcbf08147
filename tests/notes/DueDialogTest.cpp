#include "notes/ReminderDueDlg.h"

#include "framework/Utf8.h"
#include "resource.h"
#include "shared/AppTranslator.h"
#include "shared/Translator.h"
#include "support/MessageBoxWatcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

const UINT_PTR kWatchdog = 0xD0E;
// Far beyond any dialog's start; only ends a test whose input went astray.
const UINT kWatchdogMs = 20000;
const int kGaveUp = -2;

std::function<void(HWND)> g_whileOpen;
ReminderDueDlg* g_dialog = nullptr;

void CALLBACK OnOpen(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    g_whileOpen(g_dialog->m_hWnd);
}

void CALLBACK OnWatchdog(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    g_dialog->EndDialog(kGaveUp);
}

// Runs the dialog modally. whileOpen gets its window once the modal loop runs
// (a thread timer is dispatched only by that loop), looks at it and posts the
// input that ends it.
int RunDialog(ReminderDueDlg& dialog, std::function<void(HWND)> whileOpen)
{
    g_dialog = &dialog;
    g_whileOpen = std::move(whileOpen);
    const UINT_PTR open = ::SetTimer(nullptr, 0, 0, OnOpen);
    const UINT_PTR watchdog = ::SetTimer(nullptr, kWatchdog, kWatchdogMs, OnWatchdog);
    const int result = static_cast<int>(dialog.DoModal());
    ::KillTimer(nullptr, open);
    ::KillTimer(nullptr, watchdog);
    return result;
}

void PostKey(HWND window, WPARAM key)
{
    ::PostMessageA(window, WM_KEYDOWN, key, 1);
    ::PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

std::string Text(HWND window)
{
    return GetWindowTextString(window);
}

std::string ItemText(HWND dialog, int id)
{
    return Text(::GetDlgItem(dialog, id));
}

// A control's place in the dialog's client coordinates.
RECT ClientPlace(HWND dialog, HWND control)
{
    RECT rect{};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool Contains(const RECT& outer, const RECT& inner)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool IsGroupBox(HWND control)
{
    char name[32] = "";
    ::GetClassNameA(control, name, sizeof name);
    return std::string(name) == "Button" && (::GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// The width the control's own font needs for its text, mnemonic marks left out.
int TextWidth(HWND control)
{
    std::string text = Text(control);
    text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
    HDC dc = ::GetDC(control);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    return size.cx;
}

// Each control in the group box the template puts it in, none on another,
// every text fitting its control, all inside the client area.
void ExpectTidyLayout(HWND dialog)
{
    RECT client{};
    ::GetClientRect(dialog, &client);
    std::vector<RECT> groups;
    std::vector<std::pair<int, RECT>> controls;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const RECT place = ClientPlace(dialog, child);
        EXPECT_TRUE(Contains(client, place)) << "control " << ::GetDlgCtrlID(child);
        if (IsGroupBox(child)) {
            groups.push_back(place);
            continue;
        }
        const int id = ::GetDlgCtrlID(child);
        if (id != IDC_DUE_CHOICES && id != IDC_DUE_ICON) {
            EXPECT_LE(TextWidth(child), place.right - place.left) << "text of " << id << ": " << Text(child);
        }
        controls.emplace_back(id, place);
    }
    ASSERT_EQ(groups.size(), 2u);
    ASSERT_EQ(controls.size(), 7u);
    for (size_t i = 0; i < controls.size(); ++i) {
        const auto& [id, place] = controls[i];
        const bool lower = id == IDC_DUE_DELETE || id == IDC_DUE_CANCEL;
        EXPECT_TRUE(Contains(groups[lower ? 1 : 0], place)) << "control " << id;
        for (size_t j = i + 1; j < controls.size(); ++j) {
            RECT common{};
            EXPECT_FALSE(::IntersectRect(&common, &place, &controls[j].second))
                << "controls " << id << " and " << controls[j].first;
        }
    }
}

// The caption, the question and the three buttons.
std::vector<std::string> Texts(HWND dialog)
{
    return {Text(dialog), ItemText(dialog, IDC_DUE_TEXT), ItemText(dialog, IDC_DUE_REMIND),
            ItemText(dialog, IDC_DUE_DELETE), ItemText(dialog, IDC_DUE_CANCEL)};
}

void Close(HWND dialog)
{
    ::PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
}

class DueDialogTest : public testing::Test {
protected:
    DueDialogTest() { FillTranslationTable(GetTranslator()); }

    ReminderDueDlg dialog;
};

TEST_F(DueDialogTest, OpensWithTheChoicesAndThirtyMinutesSelected)
{
    const std::vector<std::pair<std::string, int>> expected = {
        {"5 Minuten", 5},     {"10 Minuten", 10}, {"15 Minuten", 15}, {"30 Minuten", 30}, {"1 Stunde", 60},
        {"2 Stunde", 120},    {"3 Stunde", 180},  {"4 Stunde", 240},  {"5 Stunde", 300},  {"6 Stunde", 360},
        {"7 Stunde", 420},    {"8 Stunde", 480},  {"9 Stunde", 540},  {"10 Stunde", 600}, {"0,5 Tage", 720},
        {"18 Stunden", 1080}, {"1 Tag", 1440},    {"2 Tage", 2880},   {"3 Tage", 4320},   {"4 Tage", 5760},
        {"1 Woche", 10080},   {"2 Wochen", 20160}};
    std::vector<std::pair<std::string, int>> choices;
    std::string shown;
    bool questionIcon = false;
    const int result = RunDialog(dialog, [&](HWND window) {
        HWND list = ::GetDlgItem(window, IDC_DUE_CHOICES);
        const int count = static_cast<int>(::SendMessageA(list, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            wchar_t text[64] = L"";
            ::SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            choices.emplace_back(Narrow(text), static_cast<int>(::SendMessageA(list, CB_GETITEMDATA, i, 0)));
        }
        shown = Text(list);
        const auto icon = reinterpret_cast<HICON>(::SendDlgItemMessageA(window, IDC_DUE_ICON, STM_GETICON, 0, 0));
        questionIcon = icon && SameIconPicture(icon, SystemIcon(IDI_QUESTION));
        Close(window);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(choices, expected);
    EXPECT_EQ(shown, "30 Minuten");
    EXPECT_TRUE(questionIcon);
    EXPECT_EQ(dialog.ChosenMinutes(), 0);
}

TEST_F(DueDialogTest, ShowsItsTextsInControlsThatLieApart)
{
    std::vector<std::string> texts;
    RunDialog(dialog, [&](HWND window) {
        texts = Texts(window);
        ExpectTidyLayout(window);
        Close(window);
    });
    const std::vector<std::string> expected = {"Zorla 1.0", "Do you really want to delete this notice?",
                                               "&remind again", "&Delete", "&Cancel"};
    EXPECT_EQ(texts, expected);
}

TEST_F(DueDialogTest, ReturnRemindsAgainWithTheSelectedChoice)
{
    struct Case {
        WPARAM keyInList;  // 0: Return without touching the list
        int minutes;
    };
    for (const Case& c : {Case{0, 30}, Case{VK_HOME, 5}, Case{VK_END, 20160}}) {
        ReminderDueDlg due;
        const int result = RunDialog(due, [&](HWND window) {
            HWND list = ::GetDlgItem(window, IDC_DUE_CHOICES);
            HWND focus = ::GetFocus();
            if (c.keyInList) {
                ::SetFocus(list);
                focus = list;
                PostKey(list, c.keyInList);
            }
            PostKey(focus, VK_RETURN);
        });
        EXPECT_EQ(result, ReminderDueDlg::RemindAgain) << c.minutes;
        EXPECT_EQ(due.ChosenMinutes(), c.minutes);
    }
}

TEST_F(DueDialogTest, EachOtherWayOutHasItsResultAndChoosesNothing)
{
    struct Case {
        const char* way;
        std::function<void(HWND)> leave;
        int result;
    };
    const Case cases[] = {
        {"Delete", [](HWND w) { ::PostMessageA(::GetDlgItem(w, IDC_DUE_DELETE), BM_CLICK, 0, 0); },
         ReminderDueDlg::Delete},
        {"Cancel", [](HWND w) { ::PostMessageA(::GetDlgItem(w, IDC_DUE_CANCEL), BM_CLICK, 0, 0); },
         ReminderDueDlg::Cancel},
        {"Escape", [](HWND) { PostKey(::GetFocus(), VK_ESCAPE); }, IDCANCEL},
        {"system close", Close, IDCANCEL},
    };
    for (const Case& c : cases) {
        ReminderDueDlg due;
        EXPECT_EQ(RunDialog(due, c.leave), c.result) << c.way;
        EXPECT_EQ(due.ChosenMinutes(), 0) << c.way;
    }
}

class GermanDueDialogTest : public DueDialogTest {};

TEST_F(GermanDueDialogTest, AsksInGermanWithGermanButtonsThatFit)
{
    ASSERT_EQ(GetUiLanguage(), UiGerman);
    std::vector<std::string> texts;
    std::string shown;
    RunDialog(dialog, [&](HWND window) {
        texts = Texts(window);
        shown = ItemText(window, IDC_DUE_CHOICES);
        ExpectTidyLayout(window);
        Close(window);
    });
    const std::vector<std::string> expected = {"Zorla 1.0",
                                               "Wollen sie diese Notiz wirklich löschen?",
                                               "&erneut erinnern",
                                               "&Löschen",
                                               "&Abbrechen"};
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(shown, "30 Minuten");
}

}  // namespace
