// No alarm is missed: reminders that fell due while the program was closed, the
// computer slept or the clock changed alert at once.
#include "MainWindowFixture.h"

#include "support/MessagePump.h"
#include "support/ScopedTestClock.h"
#include "support/TestFiles.h"

namespace {

class MissedAlarm : public MainWindowFixture {
protected:
    void StoreReminders(const std::string& entries)
    {
        TestFiles::Write(folder.File("Zorla_Timer"),
                         "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<DATABASE>" + entries + "</DATABASE>");
    }
    bool Alerting(int id) const { return dlg->program.NoteWindows().IsAlerting("Zorla 1.0TID:" + std::to_string(id)); }
};

}  // namespace

TEST_F(MissedAlarm, AReminderDueWhileTheProgramWasClosedAlertsRightAfterTheStart)
{
    ScopedTestClock clock(2026, 12, 7, 9, 30, 20);
    StoreReminders("<ENTRY _id_=\"1\" date=\"12/06/2026 14:00:00\" notify=\"0\" text=\"yesterday\" wndX=\"100\" "
                   "wndY=\"100\"/>");
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_TRUE(PumpMessagesUntil([&] { return Alerting(1); }, 3000)) << "not at the next full minute";
}

TEST_F(MissedAlarm, WakingFromSleepOrANewClockRunsTheDueCheckAtOnce)
{
    ScopedTestClock clock(2026, 12, 7, 14, 59, 30);
    StoreReminders(
        "<ENTRY _id_=\"1\" date=\"12/07/2026 15:00:00\" notify=\"0\" text=\"a\" wndX=\"100\" wndY=\"100\"/>"
        "<ENTRY _id_=\"2\" date=\"12/07/2026 16:00:00\" notify=\"0\" text=\"b\" wndX=\"400\" wndY=\"100\"/>");
    ASSERT_NO_FATAL_FAILURE(Open());
    PumpMessagesUntil([] { return false; }, 1500);
    ASSERT_FALSE(Alerting(1));

    clock.Set(2026, 12, 7, 15, 20, 5);
    SendMessageA(dlg->program.GetSafeHwnd(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    EXPECT_TRUE(Alerting(1)) << "after sleeping through its minute";
    EXPECT_FALSE(Alerting(2));

    clock.Set(2026, 12, 7, 16, 0, 30);
    SendMessageA(dlg->program.GetSafeHwnd(), WM_TIMECHANGE, 0, 0);
    EXPECT_TRUE(Alerting(2)) << "after the clock was set on";
}
