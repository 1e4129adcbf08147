// What the main window's editors hold is kept as it is typed, and the next
// start opens its editor with it: text, and for a reminder its date and time.
#include "MainWindowFixture.h"

#include "mainwnd/MainTimers.h"
#include "mainwnd/ViewControls.h"
#include "support/ScopedTestClock.h"

TEST_F(MainWindowFixture, AnEditorsDraftIsBackInItsEditorAtTheNextStartUntilItIsFiled)
{
    ScopedTestClock clock(2026, 12, 8, 9, 15, 0);
    const struct {
        MainView view;
        const char* typed;
        DateTime time;
        Repeat repeat;
    } kRows[] = {{MainView::Notes, "Einkauf: Milch, Brot", DateTime(), Repeat::Once},
                 {MainView::Reminder, "Zahnarzt", DateTime(2026, 12, 24, 9, 30, 0), Repeat::Week}};
    for (const auto& row : kRows) {
        ASSERT_NO_FATAL_FAILURE(Open());
        dlg->OpenEditor(row.view);
        if (row.view == MainView::Reminder) {
            ViewControls::ShowReminderTime(window, row.time);
            ViewControls::ChooseRepeat(window, row.repeat);
        }
        SetWindowTextString(Item(IDC_EDITOR_TEXT), row.typed);
        SendMessageA(window, WM_TIMER, TimerDraft, 0);
        // A second window starts while the first one never ends: a crash.
        std::unique_ptr<MainWindowUnderTest> first = std::move(dlg);
        ASSERT_NO_FATAL_FAILURE(Open());
        EXPECT_EQ(row.view, dlg->Face().GetView()) << row.typed;
        EXPECT_EQ(row.typed, GetWindowTextString(Item(IDC_EDITOR_TEXT)));
        if (row.view == MainView::Reminder) {
            EXPECT_EQ(row.time, ViewControls::ChosenReminderTime(window));
            EXPECT_EQ(row.repeat, ViewControls::ChosenRepeat(window));
        }
        first->DestroyWindow();
        // Filed, the draft is gone: the next start shows the home view.
        dlg->GoHome();
        Close();
        ASSERT_NO_FATAL_FAILURE(Open());
        EXPECT_EQ(MainView::Home, dlg->Face().GetView()) << row.typed;
        Close();
    }
}
