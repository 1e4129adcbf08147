// The main window in this process, on its real template and pictures, with its
// data files in a folder of the test's own and the clock fixed.
#include "shared/CDataFolder.h"
#include "framework/CWinApp.h"
#include "support/MainWindowUnderTest.h"
#include "app/CompanionTimers.h"
#include "mainwnd/MainTimers.h"
#include "resource.h"
#include "support/BoxRecorder.h"
#include "support/MessageBoxWatcher.h"
#include "support/MessagePump.h"
#include "support/ScopedTestClock.h"
#include "support/TestProcess.h"
#include "support/TestRegistry.h"
#include "support/TestPlatform.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace {

class MainWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        TestRegistry::DeleteApp(AfxGetApp()->m_pszAppName);
        AfxGetApp()->SetRegistryKey("Velloran Software");
        CDataFolder::SetForTest(folder.Path());
        dlg = std::make_unique<MainWindowUnderTest>(TestPlatform::Context());
        ASSERT_TRUE(dlg->Create(IDD_ZORLA_DIALOG));
        window = dlg->m_hWnd;
        ShowWindow(window, SW_SHOWNOACTIVATE);
        dlg->CompleteStart();
    }
    void TearDown() override
    {
        if (::IsWindow(window))
            dlg->DestroyWindow();
        dlg.reset();
        CDataFolder::SetForTest("");
        TestRegistry::DeleteApp(AfxGetApp()->m_pszAppName);
    }

    HWND Item(int id) const { return GetDlgItem(window, id); }
    std::string EditorText() const { return GetWindowTextString(Item(IDC_EDITOR_TEXT)); }
    SYSTEMTIME Picker(int id) const
    {
        SYSTEMTIME time{};
        SendMessageA(Item(id), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
        return time;
    }
    void SetTimePicker(int hour, int minute)
    {
        SYSTEMTIME time = Picker(IDC_TIME_PICKER);
        time.wHour = static_cast<WORD>(hour);
        time.wMinute = static_cast<WORD>(minute);
        SendMessageA(Item(IDC_TIME_PICKER), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    }
    RECT PlaceOf(int id) const
    {
        RECT rect{};
        GetWindowRect(Item(id), &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    std::string FileText(const char* name) const
    {
        std::ifstream in(folder.File(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    int EntryCount(EntryStore& store)
    {
        int count = 0;
        if (store.HasEntries()) {
            CEntry entry;
            while (store.GetNextEntry(entry))
                ++count;
        }
        return count;
    }

    TempFolder folder;
    std::unique_ptr<MainWindowUnderTest> dlg;
    HWND window = nullptr;
};

}  // namespace

TEST_F(MainWindowTest, OpensAtHomeWithItsShapeAndControlsOnThePicture)
{
    EXPECT_EQ(dlg->Face().GetView(), MainView::Home);
    RECT box{};
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, region), ERROR);
    GetRgnBox(region, &box);
    EXPECT_EQ(box.left, 7);
    EXPECT_EQ(box.right, 439);
    EXPECT_FALSE(IsWindowVisible(Item(IDC_CITY_LIST)));
    EXPECT_FALSE(IsWindowVisible(Item(IDC_EDITOR_TEXT)));

    // Pixel places at the classic 6 x 13 dialog units (rounded as MapDialogRect
    // does), whatever Wine's dialog font.
    const RECT city = PlaceOf(IDC_CITY_LIST);
    EXPECT_EQ(city.left, 161);
    EXPECT_EQ(city.top, 215);
    const RECT editor = PlaceOf(IDC_EDITOR_TEXT);
    EXPECT_EQ(editor.left, 179);
    EXPECT_EQ(editor.top, 141);
    EXPECT_EQ(editor.right - editor.left, 149);
    const RECT time = PlaceOf(IDC_TIME_PICKER);
    EXPECT_EQ(time.left, 272);

    dlg->GoWeather();
    EXPECT_TRUE(IsWindowVisible(Item(IDC_CITY_LIST)));
    GetWindowRgn(window, region);
    GetRgnBox(region, &box);
    EXPECT_EQ(box.left, 0);
    DeleteObject(region);
}

TEST_F(MainWindowTest, ViewsShowExactlyTheirControls)
{
    dlg->OpenEditor(MainView::Reminder);
    EXPECT_TRUE(IsWindowVisible(Item(IDC_EDITOR_TEXT)));
    EXPECT_TRUE(IsWindowVisible(Item(IDC_DATE_PICKER)));
    EXPECT_TRUE(IsWindowVisible(Item(IDC_TIME_PICKER)));
    EXPECT_EQ(SendMessageA(Item(IDC_EDITOR_TEXT), EM_GETLIMITTEXT, 0, 0), 50);

    dlg->GoWeather();  // leaving the timer editor for another view commits nothing
    EXPECT_EQ(dlg->Face().GetView(), MainView::Weather);
    EXPECT_FALSE(IsWindowVisible(Item(IDC_EDITOR_TEXT)));
    EXPECT_FALSE(IsWindowVisible(Item(IDC_DATE_PICKER)));
    EXPECT_TRUE(IsWindowVisible(Item(IDC_CITY_LIST)));

    dlg->OpenEditor(MainView::Notes);
    EXPECT_FALSE(IsWindowVisible(Item(IDC_CITY_LIST)));
    EXPECT_FALSE(IsWindowVisible(Item(IDC_TIME_PICKER)));
    EXPECT_GT(SendMessageA(Item(IDC_EDITOR_TEXT), EM_GETLIMITTEXT, 0, 0), 50);
}

// The proposal's day belongs to its hour, and it is taken as proposed: the
// first proposal of the last hour of a year is never refused.
TEST_F(MainWindowTest, TimerEditorProposesTheNextFullHourOnItsOwnDay)
{
    ScopedTestClock clock(2026, 12, 31, 23, 30, 15);
    dlg->OpenEditor(MainView::Reminder);
    const SYSTEMTIME date = Picker(IDC_DATE_PICKER);
    const SYSTEMTIME time = Picker(IDC_TIME_PICKER);
    EXPECT_EQ(date.wYear, 2027);
    EXPECT_EQ(date.wMonth, 1);
    EXPECT_EQ(date.wDay, 1);
    EXPECT_EQ(time.wHour, 0);
    EXPECT_EQ(time.wMinute, 0);
    SetWindowTextA(Item(IDC_EDITOR_TEXT), "Fireworks");
    BoxRecorder boxes;
    dlg->GoHome();
    EXPECT_TRUE(boxes.Stop().empty());
    CEntry entry;
    ASSERT_TRUE(dlg->program.Model().Reminders().GetEntryById(1, entry));
    EXPECT_EQ(entry.FormatDate("%m/%d/%Y %H:%M"), "01/01/2027 00:00");
}

TEST_F(MainWindowTest, RefusedReminderKeepsTheTextDateAndTimeInTheEditor)
{
    ScopedTestClock clock(2004, 3, 7, 14, 5, 9);
    for (int minute : {0, 5}) {
        dlg->OpenEditor(MainView::Reminder);
        SetTimePicker(14, minute);
        SetWindowTextA(Item(IDC_EDITOR_TEXT), "Dentist");
        MessageBoxWatcher watcher(GetCurrentProcessId(), IDOK);
        dlg->GoHome();
        const SeenBox box = watcher.Result();
        EXPECT_EQ(box.text, "This appointment occurs in the past !");
        EXPECT_TRUE(SameIconPicture(box.icon, SystemIcon(IDI_INFORMATION)));
        EXPECT_EQ(dlg->Face().GetView(), MainView::Reminder);
        EXPECT_EQ(EditorText(), "Dentist");
        EXPECT_EQ(Picker(IDC_TIME_PICKER).wMinute, minute);
        EXPECT_EQ(Picker(IDC_DATE_PICKER).wDay, 7);
    }
    EXPECT_FALSE(dlg->program.Model().Reminders().HasEntries());
    // Put right, the same text goes in.
    SetTimePicker(15, 0);
    dlg->GoHome();
    EXPECT_EQ(dlg->Face().GetView(), MainView::Home);
    CEntry entry;
    ASSERT_TRUE(dlg->program.Model().Reminders().GetEntryById(1, entry));
    EXPECT_EQ(entry.text, "Dentist");
}

// A store without a document (its file could be neither read nor moved aside)
// refuses new entries: the user stays in the editor with everything typed,
// whichever editor it is and wherever the user was going.
TEST_F(MainWindowTest, StoreThatRefusesTheEntryKeepsTheUserInTheEditor)
{
    ScopedTestClock clock(2004, 3, 7, 14, 5, 9);
    dlg->program.Model().Notes().SetDocument(nullptr);
    dlg->program.Model().Reminders().SetDocument(nullptr);
    struct Case {
        MainView view;
        void (CZorlaDlg::*leave)();
    };
    for (const Case& step :
         {Case{MainView::Notes, &CZorlaDlg::GoWeather}, Case{MainView::Notes, &CZorlaDlg::GoHome},
          Case{MainView::Reminder, &CZorlaDlg::GoHome}}) {
        SetWindowTextA(Item(IDC_EDITOR_TEXT), "");
        dlg->OpenEditor(step.view);
        ASSERT_EQ(dlg->Face().GetView(), step.view);
        SetTimePicker(16, 30);
        SetWindowTextA(Item(IDC_EDITOR_TEXT), "Keep me");
        MessageBoxWatcher watcher(GetCurrentProcessId(), IDOK);
        ((*dlg).*step.leave)();
        EXPECT_EQ(watcher.Result().text, "Error while writing data to hard disk.");
        EXPECT_EQ(dlg->Face().GetView(), step.view);
        EXPECT_TRUE(IsWindowVisible(Item(IDC_EDITOR_TEXT)));
        EXPECT_EQ(EditorText(), "Keep me");
        EXPECT_EQ(dlg->program.NoteWindows().Count(), 0u);
    }
    EXPECT_EQ(Picker(IDC_TIME_PICKER).wHour, 16);
}

TEST_F(MainWindowTest, ReminderInTheFutureIsStoredSavedAndRegistered)
{
    ScopedTestClock clock(2004, 3, 7, 14, 5, 9);
    dlg->OpenEditor(MainView::Reminder);
    SetTimePicker(14, 6);
    SetWindowTextA(Item(IDC_EDITOR_TEXT), "Call back");
    dlg->GoHome();
    EXPECT_EQ(dlg->Face().GetView(), MainView::Home);
    EXPECT_TRUE(dlg->program.NoteWindows().IsOpen("Zorla 1.0TID:1"));
    const std::string file = FileText("Zorla_Timer");
    EXPECT_NE(file.find("<ENTRY _id_=\"1\" date=\"03/07/2004 14:06:00\" notify=\"0\" text=\"Call back\""),
              std::string::npos)
        << file;
}

TEST_F(MainWindowTest, NoteTextIsFilteredStoredWithLineBreaksAndOpened)
{
    dlg->OpenEditor(MainView::Notes);
    SetWindowTextW(Item(IDC_EDITOR_TEXT), L"Caf\u00E9 f\u00FCr \u20AC5\r\nBrot\u0007");
    dlg->GoWeather();  // leaving the note editor commits it
    EXPECT_EQ(EditorText(), "");
    EXPECT_TRUE(dlg->program.NoteWindows().IsOpen("Zorla 1.0NID:1"));
    CEntry entry;
    ASSERT_TRUE(dlg->program.Model().Notes().GetEntryById(1, entry));
    EXPECT_EQ(entry.text, "Café für €5_BR_Brot") << "every printable character, no bell";
    EXPECT_EQ(entry.notify, -1);
    EXPECT_NE(FileText("Zorla_Notes").find("text=\"Caf\xE9 f\xFCr &#8364;5_BR_Brot\""), std::string::npos);
}

TEST_F(MainWindowTest, CommandGivenBeforeTheStartStepsRanFindsTheStoresLoaded)
{
    dlg->DestroyWindow();
    dlg = std::make_unique<MainWindowUnderTest>(TestPlatform::Context());
    ASSERT_TRUE(dlg->Create(IDD_ZORLA_DIALOG));
    window = dlg->m_hWnd;
    ASSERT_FALSE(dlg->IsStarted());
    SendMessageA(window, WM_COMMAND, ID_SHOW_NOTE_EDITOR, 0);
    EXPECT_TRUE(dlg->IsStarted());
    SetWindowTextA(Item(IDC_EDITOR_TEXT), "Early bird");
    SendMessageA(window, WM_COMMAND, ID_SHOW_HOME, 0);
    EXPECT_TRUE(dlg->program.NoteWindows().IsOpen("Zorla 1.0NID:1"));
    EXPECT_NE(FileText("Zorla_Notes").find("text=\"Early bird\""), std::string::npos);
}

TEST_F(MainWindowTest, EmptyNoteOpensNothing)
{
    dlg->OpenEditor(MainView::Notes);
    SetWindowTextW(Item(IDC_EDITOR_TEXT), L"\u0001\u0007\u007F");  // nothing survives the filter
    dlg->GoHome();
    EXPECT_EQ(EntryCount(dlg->program.Model().Notes()), 0);
    EXPECT_EQ(dlg->program.NoteWindows().Count(), 0u);
}

TEST_F(MainWindowTest, StoredEntriesAreOpenedAtStartAndDueRemindersAreReported)
{
    ScopedTestClock clock(2004, 3, 7, 14, 5, 9);
    dlg->OpenEditor(MainView::Notes);
    SetWindowTextA(Item(IDC_EDITOR_TEXT), "Milk");
    dlg->GoHome();
    dlg->DestroyWindow();

    // Reminders: 1 due since a minute, 2 due with its snooze minutes passed,
    // 3 at the coming minute, 4 snoozed into the future.
    std::ofstream(folder.File("Zorla_Timer"), std::ios::binary)
        << "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<DATABASE>"
           "<ENTRY _id_=\"1\" date=\"03/07/2004 14:04:00\" notify=\"0\" text=\"a\" wndX=\"1\" wndY=\"2\"/>"
           "<ENTRY _id_=\"2\" date=\"03/07/2004 13:00:00\" notify=\"65\" text=\"b\" wndX=\"1\" wndY=\"2\"/>"
           "<ENTRY _id_=\"3\" date=\"03/07/2004 14:06:00\" notify=\"0\" text=\"c\" wndX=\"1\" wndY=\"2\"/>"
           "<ENTRY _id_=\"4\" date=\"03/07/2004 14:00:00\" notify=\"10\" text=\"d\" wndX=\"1\" wndY=\"2\"/>"
           "</DATABASE>";
    dlg = std::make_unique<MainWindowUnderTest>(TestPlatform::Context());
    // What the application hands over for after the first paint (OLE) runs
    // once, before the stores are read.
    int afterFirstPaint = 0;
    size_t notesThen = 99;
    dlg->SetAfterFirstPaint([&] {
        ++afterFirstPaint;
        notesThen = dlg->program.NoteWindows().Count();
    });
    ASSERT_TRUE(dlg->Create(IDD_ZORLA_DIALOG));
    window = dlg->m_hWnd;
    EXPECT_EQ(dlg->program.NoteWindows().Count(), 0u) << "nothing is loaded before the first paint";
    EXPECT_EQ(afterFirstPaint, 0);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    EXPECT_TRUE(PumpMessagesUntil([&] { return dlg->IsStarted() && !dlg->program.NotesOpening(); }, 5000))
        << "the first paint starts the rest";
    dlg->CompleteStart();
    EXPECT_EQ(afterFirstPaint, 1);
    EXPECT_EQ(notesThen, 0u);
    EXPECT_TRUE(dlg->program.NoteWindows().IsOpen("Zorla 1.0NID:1"));
    for (int id = 1; id <= 4; ++id)
        EXPECT_TRUE(dlg->program.NoteWindows().IsOpen("Zorla 1.0TID:" + std::to_string(id))) << id;
    EXPECT_EQ(dlg->program.NoteWindows().Count(), 5u);
    for (int id = 1; id <= 4; ++id)
        EXPECT_FALSE(dlg->program.NoteWindows().IsAlerting("Zorla 1.0TID:" + std::to_string(id))) << "before the check";

    // The due check runs from the window's own timer.
    SendMessageA(dlg->program.GetSafeHwnd(), WM_TIMER, TimerDueCheck, 0);
    EXPECT_TRUE(dlg->program.NoteWindows().IsAlerting("Zorla 1.0TID:1"));
    EXPECT_TRUE(dlg->program.NoteWindows().IsAlerting("Zorla 1.0TID:2"));
    EXPECT_FALSE(dlg->program.NoteWindows().IsAlerting("Zorla 1.0TID:3"));
    EXPECT_FALSE(dlg->program.NoteWindows().IsAlerting("Zorla 1.0TID:4"));
    EXPECT_FALSE(dlg->program.NoteWindows().IsAlerting("Zorla 1.0NID:1")) << "notes never come due";

    clock.Set(2004, 3, 7, 14, 6, 0);
    SendMessageA(dlg->program.GetSafeHwnd(), WM_TIMER, TimerDueCheck, 0);
    EXPECT_TRUE(dlg->program.NoteWindows().IsAlerting("Zorla 1.0TID:3")) << "due at the first second of its minute";
    EXPECT_FALSE(dlg->program.NoteWindows().IsAlerting("Zorla 1.0TID:4"));

    // A deleted reminder's window is forgotten and its entry goes to the bin.
    const std::string key = "Zorla 1.0TID:1";
    dlg->program.NoteWindows().Find(key)->Delete();
    EXPECT_FALSE(dlg->program.NoteWindows().IsOpen(key));
    EXPECT_EQ(dlg->program.NoteWindows().Count(), 4u);
    CEntry gone;
    EXPECT_FALSE(dlg->program.Model().Reminders().GetEntryById(1, gone));
    EXPECT_TRUE(dlg->program.Model().CanRestore());
}

// A box about a failed save runs a message loop of its own, and the session's
// end may arrive in it.
TEST_F(MainWindowTest, SessionEndDuringAWriteErrorSavesOnceAndKeepsThePlace)
{
    SetWindowPos(window, nullptr, 150, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // A folder where the notes' temporary file must go: their save fails.
    ASSERT_TRUE(CreateDirectoryA(folder.File("Zorla_Notes.tmp").c_str(), nullptr));
    bool sessionEnded = false;
    BoxRecorder recorder([&](const SeenBox&) {
        if (sessionEnded)
            return;
        sessionEnded = true;
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(window, WM_ENDSESSION, TRUE, 0, SMTO_BLOCK, 10000, &ignored);
    });
    dlg->DestroyWindow();
    const std::vector<SeenBox> boxes = recorder.Stop();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(boxes.size(), 1u) << "the write error once";
    DWORD x = 0, y = 0;
    EXPECT_TRUE(TestRegistry::ReadDword(AfxGetApp()->m_pszAppName, "CQuokkaDlg", "WndX", x));
    EXPECT_TRUE(TestRegistry::ReadDword(AfxGetApp()->m_pszAppName, "CQuokkaDlg", "WndY", y));
    EXPECT_EQ(x, 150u);
    EXPECT_EQ(y, 90u);
}

TEST(MainWindowBlink, EyesStayOpenForSecondsAndClosedForAMoment)
{
    std::srand(7);
    UINT openLow = ~0u, openHigh = 0, closedLow = ~0u, closedHigh = 0;
    for (int i = 0; i < 2000; ++i) {
        const UINT open = CZorlaDlg::BlinkDelay(true);
        const UINT closed = CZorlaDlg::BlinkDelay(false);
        openLow = std::min(openLow, open);
        openHigh = std::max(openHigh, open);
        closedLow = std::min(closedLow, closed);
        closedHigh = std::max(closedHigh, closed);
    }
    EXPECT_GE(openLow, 3000u);
    EXPECT_LE(openHigh, 7999u);
    EXPECT_GE(closedLow, 500u);
    EXPECT_LE(closedHigh, 1299u);
    EXPECT_GT(openHigh - openLow, 4000u) << "the pause is drawn at random";
}
