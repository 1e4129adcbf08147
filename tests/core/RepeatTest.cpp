// Reminders that repeat: where the next occurrence falls, and what ending one
// does to the stored reminder.
#include "CoreSupport.h"

#include "model/ZorlaModel.h"
#include "sync/ComputerFile.h"
#include "xml/XmlElement.h"

#include <gtest/gtest.h>

namespace {

COleDateTime At(int year, int month, int day, int hour = 9, int minute = 0)
{
    return COleDateTime(year, month, day, hour, minute, 0);
}

}  // namespace

// Catches occurrences counted in elapsed hours (an hour lost at a daylight-saving
// change), months that overflow or forget the 31st, weekends on weekdays, and a
// missed stretch answered with its first occurrence instead of the next one.
TEST(Repeat, NextOccurrenceKeepsTheWallClockAndTheSeriesDay)
{
    const struct {
        COleDateTime anchor;
        Repeat repeat;
        int day;
        COleDateTime after, next;
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
    EXPECT_NE(COleDateTime::valid, NextOccurrence(At(2026, 12, 7), Repeat::Once, At(2026, 12, 8)).GetStatus());
}

// Catches a dismissal that counts from the snooze or stops at a missed
// occurrence, an attribute lost on the way through a file or the synced
// folder, and a later version's name dropped or scheduled.
TEST(Repeat, EndingAnOccurrenceMovesTheReminderAndItsNameTravels)
{
    TempFolder folder;
    CorePlatform platform;
    ZorlaModel model(folder.Path(), platform.Get());
    model.Load();
    const COleDateTime now = platform.clock.Now();  // 7 December 2026, 10:15
    ASSERT_EQ(ZorlaModel::AddResult::Added, model.AddReminder("tea", At(2026, 12, 7, 10, 15), now, Repeat::Day));
    ASSERT_EQ(ZorlaModel::AddResult::Added, model.AddReminder("rent", At(2027, 1, 31), now, Repeat::Month));
    CEntry tea = model.StoredEntries()[0];
    tea.notify = 45;  // snoozed
    ASSERT_TRUE(model.EndOccurrence(tea, At(2026, 12, 7, 11, 1)));
    EXPECT_EQ(At(2026, 12, 8, 10, 15), tea.date);
    EXPECT_EQ(0, tea.notify);

    CEntry rent = model.StoredEntries()[0];
    ASSERT_TRUE(model.EndOccurrence(rent, At(2027, 2, 1)));
    ASSERT_TRUE(model.EndOccurrence(rent, At(2027, 2, 28, 10)));
    EXPECT_EQ(At(2027, 3, 31), rent.date) << "back to the 31st";

    const std::string timer = TestFiles::Bytes(folder.File("Zorla_Timer"));
    EXPECT_NE(std::string::npos, timer.find("date=\"12/08/2026 10:15:00\" notify=\"0\" repeat=\"day\" text=\"tea\""))
        << timer;
    EXPECT_NE(std::string::npos, timer.find("repeat=\"month\" repeatDay=\"31\"")) << timer;

    CEntry later = tea;
    later.repeat = "fortnight";
    ASSERT_TRUE(model.Update(later) && model.Write(later));
    EXPECT_FALSE(model.EndOccurrence(later, now)) << "a later version's name comes once here";
    ZorlaModel reread(folder.Path(), platform.Get());
    reread.Load();
    ComputerFile file;
    file.computer = "pc";
    file.entries = reread.StoredEntries();
    for (CEntry& entry : file.entries)
        entry.uid = entry.versions = "pc:" + std::to_string(entry.id);
    ComputerFile synced;
    std::string reason;
    ASSERT_TRUE(ComputerFile::Read(file.Document().get(), synced, reason)) << reason;
    ASSERT_EQ(2u, synced.entries.size());
    EXPECT_TRUE(synced.entries[0].SameContent(rent)) << synced.entries[0].repeat << synced.entries[0].repeatDay;
    EXPECT_EQ("fortnight", synced.entries[1].repeat);
    rent.repeatDay = 30;
    EXPECT_FALSE(synced.entries[0].SameContent(rent));
}
