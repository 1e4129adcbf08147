// A reminder that comes due: off the desktop, the alert sound, shaking, blinking,
// and what the due dialog's answers do.
#include "image/JpegDecoder.h"
#include "model/ZorlaModel.h"
#include "notes/NoteWindowRegistry.h"
#include "resource.h"
#include "shared/MainSettings.h"
#include "support/HeardSounds.h"
#include "framework/SystemClock.h"
#include "support/ScopedTestClock.h"
#include "support/MessagePump.h"
#include "support/TestFiles.h"
#include "support/TestProcess.h"
#include "support/TestPlatform.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";

// While it exists, the due dialog is answered with a command as soon as it
// shows: a button's id, IDOK for Return or IDCANCEL for Escape.
class DueDialogAnswerer {
public:
    explicit DueDialogAnswerer(int command)
    {
        t_command = command;
        t_shown = 0;
        m_hook = ::SetWindowsHookExA(WH_CBT, Hook, nullptr, ::GetCurrentThreadId());
    }
    ~DueDialogAnswerer() { ::UnhookWindowsHookEx(m_hook); }
    int Shown() const { return t_shown; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam)
    {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE && ::GetDlgItem(window, IDC_DUE_CHOICES)) {
            ++t_shown;
            ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(t_command, BN_CLICKED), 0);
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static thread_local int t_command;
    static thread_local int t_shown;
    HHOOK m_hook;
};
thread_local int DueDialogAnswerer::t_command = 0;
thread_local int DueDialogAnswerer::t_shown = 0;

class ReminderAlertTest : public ::testing::Test {
protected:
    ReminderAlertTest()
        : model(TestPlatform::Context(folder.Path()))
        , timers(model.Reminders())
        , sounds(settings)
        , registry(&sounds)
    {
        model.DeletedBin().LoadOrStartEmpty();
        registry.SetModel(&model);
        settings.playSounds = 1;
        main.SubclassWindow(::CreateWindowExA(0, "STATIC", "main", WS_POPUP, 600, 400, 100, 100, nullptr, nullptr,
                                              ::GetModuleHandleA(nullptr), nullptr));
    }
    ~ReminderAlertTest() override
    {
        registry.CloseAllKeepingState();
        ::DestroyWindow(main.m_hWnd);
    }

    void OpenTimers(const std::string& entries)
    {
        TestFiles::Write(timers.GetPath(), std::string(kDeclaration) + "<DATABASE>" + entries + "</DATABASE>");
        ASSERT_TRUE(timers.Load());
        for (CEntry& entry : timers.ReadAll())
            registry.Open(entry, &main);
    }

    // The due check of the main window at this moment.
    void CheckDue()
    {
        for (CEntry& entry : timers.DueEntries(SystemClock().Now()))
            registry.Due(entry);
    }

    CNoteDlg& Window(int id) { return *registry.Find("Zorla 1.0TID:" + std::to_string(id)); }
    static POINT TopLeft(HWND window)
    {
        RECT rect{};
        ::GetWindowRect(window, &rect);
        return POINT{rect.left, rect.top};
    }
    static bool TopMost(HWND window) { return (::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
    static void Timer(HWND window, UINT_PTR id) { ::SendMessageA(window, WM_TIMER, id, 0); }

    // The screen pixel at a client point of window, and a picture's pixel.
    static COLORREF ScreenPixel(HWND window, int x, int y)
    {
        POINT point{x, y};
        ::ClientToScreen(window, &point);
        HDC screen = ::GetDC(nullptr);
        const COLORREF pixel = ::GetPixel(screen, point.x, point.y);
        ::ReleaseDC(nullptr, screen);
        return pixel;
    }
    static COLORREF PicturePixel(int id, int x, int y)
    {
        PLDIBSection picture;
        JpegDecoder().DecodeResource(::GetModuleHandleA(nullptr), id, picture, 32);
        const BYTE* bgr = picture.Row(y) + x * 4;
        return RGB(bgr[2], bgr[1], bgr[0]);
    }

    TempFolder folder;
    ZorlaModel model;
    ReminderStore& timers;
    MainSettings settings;
    HeardSounds sounds;
    CWnd main;
    NoteWindowRegistry registry;
};

}  // namespace

TEST_F(ReminderAlertTest, ADueReminderComesToTheFrontOnceShakesAndThenBlinks)
{
    ScopedTestClock clock(2026, 12, 6, 13, 59, 59);
    OpenTimers("<ENTRY _id_=\"1\" date=\"12/06/2026 14:00:00\" notify=\"0\" text=\"Zahnarzt\" wndX=\"300\" "
               "wndY=\"200\"/>"
               "<ENTRY _id_=\"2\" date=\"12/06/2026 15:00:00\" notify=\"0\" text=\"later\" wndX=\"600\" "
               "wndY=\"200\"/>");
    HWND reminder = Window(1);
    CheckDue();
    EXPECT_FALSE(Window(1).IsAlerting()) << "a second before its minute";

    clock.Set(2026, 12, 6, 14, 0, 0);
    CheckDue();
    ASSERT_TRUE(Window(1).IsAlerting());
    EXPECT_FALSE(Window(2).IsAlerting());
    EXPECT_TRUE(TopMost(reminder));
    EXPECT_EQ(std::vector<int>{IDW_ALERT}, sounds.played);
    clock.Set(2026, 12, 6, 14, 1, 0);
    CheckDue();
    EXPECT_EQ(1u, sounds.played.size()) << "a due reminder alerts once";

    // Shaking: two pixels right and down, back, and right and down again.
    Timer(reminder, CNoteDlg::TimerShake);
    EXPECT_EQ(302, TopLeft(reminder).x);
    EXPECT_EQ(202, TopLeft(reminder).y);
    Timer(reminder, CNoteDlg::TimerShake);
    EXPECT_EQ(300, TopLeft(reminder).x);
    Timer(reminder, CNoteDlg::TimerShake);
    EXPECT_EQ(302, TopLeft(reminder).x);
    Timer(reminder, CNoteDlg::TimerShakeEnd);
    EXPECT_EQ(300, TopLeft(reminder).x) << "back at its place when the shaking ends";
    EXPECT_EQ(200, TopLeft(reminder).y);

    // Blinking: the alert picture at the top-right corner, then the note again.
    // The test steps the blink itself.
    ::KillTimer(reminder, CNoteDlg::TimerBlink);
    RECT client{};
    ::GetClientRect(reminder, &client);
    const int alertX = client.right - 47;
    ::UpdateWindow(reminder);
    Timer(reminder, CNoteDlg::TimerBlink);
    // Drawn straight onto the window, it reaches the screen with the next flush.
    const COLORREF bell = PicturePixel(IDP_ALERT, 23, 23);
    EXPECT_TRUE(PumpMessagesUntil([&] { return ScreenPixel(reminder, alertX + 23, 23) == bell; }, 500));
    ::InvalidateRect(reminder, nullptr, TRUE);
    ::UpdateWindow(reminder);
    PumpMessagesUntil([] { return false; }, 300);
    EXPECT_EQ(bell, ScreenPixel(reminder, alertX + 23, 23)) << "a repaint during the blink keeps the alert picture";
    Timer(reminder, CNoteDlg::TimerBlink);
    ::UpdateWindow(reminder);
    const COLORREF note = PicturePixel(IDP_REMINDER, alertX + 23, 23);
    EXPECT_TRUE(PumpMessagesUntil([&] { return ScreenPixel(reminder, alertX + 23, 23) == note; }, 500));
    EXPECT_TRUE(Window(1).IsAlerting()) << "it blinks until the user deals with it";
}

TEST_F(ReminderAlertTest, RemindAgainAfterThirtyMinutesCountsFromTheCurrentMinuteAndPutsItBack)
{
    ScopedTestClock clock(2026, 12, 6, 14, 0, 0);
    OpenTimers("<ENTRY _id_=\"1\" date=\"12/06/2026 14:00:00\" notify=\"0\" text=\"Zahnarzt\" wndX=\"300\" "
               "wndY=\"200\"/>");
    HWND reminder = Window(1);
    CheckDue();
    ASSERT_TRUE(Window(1).IsAlerting());
    Timer(reminder, CNoteDlg::TimerShake);

    clock.Set(2026, 12, 6, 14, 3, 40);
    Window(1).Snooze(30);
    EXPECT_FALSE(Window(1).IsAlerting());
    EXPECT_FALSE(TopMost(reminder));
    EXPECT_EQ(300, TopLeft(reminder).x) << "back at its own place, not where the shaking left it";
    EXPECT_EQ(200, TopLeft(reminder).y);
    EXPECT_EQ("06.12.26 14:33", GetWindowTextString(::GetDlgItem(reminder, IDC_NOTE_DATE)));
    const std::string file = TestFiles::Bytes(timers.GetPath());
    EXPECT_NE(std::string::npos, file.find("notify=\"33\" text=\"Zahnarzt\" wndX=\"300\" wndY=\"200\"")) << file;

    clock.Set(2026, 12, 6, 14, 32, 59);
    CheckDue();
    EXPECT_FALSE(Window(1).IsAlerting());
    clock.Set(2026, 12, 6, 14, 33, 0);
    CheckDue();
    EXPECT_TRUE(Window(1).IsAlerting()) << "due again after its new time";
}

TEST_F(ReminderAlertTest, SnoozingAReminderThatWasNeverDueMovesItRelativeToNow)
{
    ScopedTestClock clock(2026, 12, 6, 14, 3, 40);
    OpenTimers("<ENTRY _id_=\"1\" date=\"12/07/2026 10:00:00\" notify=\"0\" text=\"tomorrow\" wndX=\"300\" "
               "wndY=\"200\"/>");
    Window(1).Snooze(5);
    // 19 h 56 min 20 s before the appointment: -1196 whole minutes, plus 5.
    EXPECT_EQ(-1191, Window(1).Entry().notify);
    EXPECT_EQ("06.12.26 14:09", GetWindowTextString(::GetDlgItem(Window(1), IDC_NOTE_DATE)));
}

TEST_F(ReminderAlertTest, RemindersDueTogetherAllAlertNoneHiddenBehindAnother)
{
    ScopedTestClock clock(2026, 12, 6, 14, 0, 0);
    OpenTimers("<ENTRY _id_=\"1\" date=\"12/06/2026 14:00:00\" notify=\"0\" text=\"a\" wndX=\"300\" wndY=\"200\"/>"
               "<ENTRY _id_=\"2\" date=\"12/06/2026 13:00:00\" notify=\"0\" text=\"b\" wndX=\"300\" wndY=\"200\"/>"
               "<ENTRY _id_=\"3\" date=\"12/06/2026 13:30:00\" notify=\"0\" text=\"c\" wndX=\"305\" wndY=\"204\"/>");
    CheckDue();
    const POINT a = TopLeft(Window(1)), b = TopLeft(Window(2)), c = TopLeft(Window(3));
    for (int id : {1, 2, 3})
        EXPECT_TRUE(Window(id).IsAlerting()) << id;
    EXPECT_TRUE(a.x != b.x || a.y != b.y);
    EXPECT_GE(std::abs(c.x - a.x) + std::abs(c.y - a.y), 16);
    EXPECT_GE(std::abs(c.x - b.x) + std::abs(c.y - b.y), 16);

    // Snoozed, each goes back to its own stored place.
    Window(2).Snooze(5);
    EXPECT_EQ(300, TopLeft(Window(2)).x);
    EXPECT_EQ(200, TopLeft(Window(2)).y);
}

TEST_F(ReminderAlertTest, TheCloseButtonAsksTheDueDialogAndCancelKeepsTheAlert)
{
    ScopedTestClock clock(2026, 12, 6, 14, 0, 0);
    OpenTimers("<ENTRY _id_=\"1\" date=\"12/06/2026 14:00:00\" notify=\"0\" text=\"a\" wndX=\"300\" wndY=\"200\"/>"
               "<ENTRY _id_=\"2\" date=\"12/06/2026 14:00:00\" notify=\"0\" text=\"b\" wndX=\"600\" wndY=\"200\"/>");
    CheckDue();
    HWND first = Window(1);
    auto close = [](HWND window) {
        ::SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_NOTE_CLOSE, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(window, IDC_NOTE_CLOSE)));
    };
    {
        DueDialogAnswerer cancel(IDCANCEL);
        close(first);
        ASSERT_EQ(1, cancel.Shown());
    }
    EXPECT_TRUE(Window(1).IsAlerting()) << "Escape keeps the alert";
    CheckDue();
    EXPECT_EQ(2u, sounds.played.size()) << "and the next check does not start it again";

    {
        DueDialogAnswerer remind(IDOK);
        close(first);
    }
    EXPECT_FALSE(Window(1).IsAlerting()) << "Return reminds again";
    EXPECT_EQ(30, Window(1).Entry().notify) << "in the 30 minutes the dialog proposes";

    HWND second = Window(2);
    {
        DueDialogAnswerer remove(IDC_DUE_DELETE);
        close(second);
    }
    EXPECT_FALSE(::IsWindow(second));
    EXPECT_EQ(std::string::npos, TestFiles::Bytes(timers.GetPath()).find("text=\"b\""));
}

TEST_F(ReminderAlertTest, AReminderWhoseWindowWasNeverMadeOnlySoundsItsAlertOnce)
{
    CEntry entry;
    entry.kind = EntryKind::Reminder;
    entry.id = 9;
    NotePictures pictures;
    NoteCascade cascade;
    CNoteDlg unmade(pictures, cascade, &main, &sounds);
    unmade.SetEntry(entry, entry.GetKey());
    EXPECT_TRUE(unmade.Alert());
    EXPECT_FALSE(unmade.Alert()) << "not alerted again in this run";
    EXPECT_EQ(std::vector<int>{IDW_ALERT}, sounds.played);
}
