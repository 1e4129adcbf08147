// Reminders that repeat: where the next occurrence falls, and ending one.
#include "support/core/CoreSupport.h"

#include "model/ZorlaModel.h"
#include "sync/ComputerFile.h"

#include <gtest/gtest.h>

// Catches hours counted in elapsed time (lost at a daylight-saving change), months
// that overflow or forget the 31st, weekends on weekdays, a missed stretch's first.
TEST(Repeat, NextOccurrenceKeepsTheWallClockAndTheSeriesDay)
{
    const auto At = [](int y, int m, int d, int h = 9, int mi = 0) { return DateTime(y, m, d, h, mi, 0); };
    const struct {
        DateTime anchor;
        Repeat repeat;
        int day;
        DateTime after, next;
    } rows[] = {
        {At(2026, 12, 7), Repeat::Day, 0, At(2026, 12, 7), At(2026, 12, 8)},
        {At(2026, 12, 4), Repeat::Day, 0, At(2026, 12, 7, 10, 15), At(2026, 12, 8)},  // three days missed
        {At(2026, 12, 11), Repeat::Weekday, 0, At(2026, 12, 11), At(2026, 12, 14)},   // Friday to Monday
        {At(2026, 12, 12), Repeat::Weekday, 0, At(2026, 12, 1), At(2026, 12, 14)},    // from a Saturday
        {At(2026, 12, 7), Repeat::Week, 0, At(2026, 12, 20, 12), At(2026, 12, 21)},
        {At(2028, 1, 31), Repeat::Month, 31, At(2028, 1, 31), At(2028, 2, 29)},  // leap year
        {At(2028, 2, 29), Repeat::Month, 31, At(2028, 2, 29), At(2028, 3, 31)},
        {At(2027, 1, 31), Repeat::Month, 31, At(2027, 1, 31), At(2027, 2, 28)},
        {At(2027, 2, 28), Repeat::Month, 31, At(2027, 2, 28), At(2027, 3, 31)},
        {At(2027, 1, 31), Repeat::Month, 31, At(2027, 4, 15), At(2027, 4, 30)},
        {At(2028, 2, 29), Repeat::Year, 29, At(2028, 2, 29), At(2029, 2, 28)},
        {At(2031, 2, 28), Repeat::Year, 29, At(2031, 3, 1), At(2032, 2, 29)},
        {At(2026, 3, 28, 2, 30), Repeat::Day, 0, At(2026, 3, 28, 2, 30), At(2026, 3, 29, 2, 30)},  // clocks go on
        {At(2026, 10, 24, 2, 30), Repeat::Day, 0, At(2026, 10, 24, 3), At(2026, 10, 25, 2, 30)},   // and back
        {At(2026, 12, 8), Repeat::Once, 0, At(2026, 12, 7), At(2026, 12, 8)},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.next.Format("%c"), NextOccurrence(row.anchor, row.repeat, row.after, row.day).Format("%c"))
            << RepeatName(row.repeat) << " from " << row.anchor.Format("%c") << " after " << row.after.Format("%c");
    }
    EXPECT_NE(DateTime::valid, NextOccurrence(At(2026, 12, 7), Repeat::Once, At(2026, 12, 8)).GetStatus());
}

// Catches a dismissal that counts from the snooze, an attribute lost on the
// way through a file or the synced folder, a later version's name scheduled.
TEST(Repeat, EndingAnOccurrenceMovesTheReminderAndItsNameTravels)
{
    const auto At = [](int y, int m, int d, int h = 9, int mi = 0) { return DateTime(y, m, d, h, mi, 0); };
    TempFolder folder;
    CorePlatform platform;
    ZorlaModel model(platform.Context(folder.Path()));
    model.Load();
    const DateTime now = platform.clock.Now();  // 7 December 2026, 10:15
    ASSERT_EQ(ZorlaModel::AddResult::Added, model.AddReminder("tea", now, now, Repeat::Day));
    CEntry tea = model.StoredEntries().at(0);
    tea.notify = 45;  // snoozed
    ASSERT_TRUE(model.EndOccurrence(tea, At(2026, 12, 7, 11, 1)));
    EXPECT_NE(std::string::npos, TestFiles::Bytes(folder.File("Zorla_Timer"))
                                     .find("date=\"12/08/2026 10:15:00\" notify=\"0\" repeat=\"day\" text=\"tea\""));

    tea.repeat = "fortnight";
    tea.repeatDay = 9;
    ASSERT_TRUE(model.Update(tea));
    EXPECT_FALSE(model.EndOccurrence(tea, now)) << "a later version's name comes once here";
    ComputerFile file, synced;
    file.computer = "pc";
    file.entries = model.StoredEntries();
    file.entries.at(0).uid = file.entries.at(0).versions = "pc:1";
    std::string reason;
    ASSERT_TRUE(ComputerFile::Read(file.Document().get(), synced, reason)) << reason;
    EXPECT_TRUE(synced.entries.at(0).SameContent(tea)) << synced.entries[0].repeat;
    tea.repeatDay = 0;
    EXPECT_FALSE(synced.entries[0].SameContent(tea));
}
