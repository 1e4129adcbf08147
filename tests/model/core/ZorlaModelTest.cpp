#include "support/core/CoreSupport.h"
// The model alone, with no window: what the user does to notes and reminders,
// down to the files.
#include "model/ModelListener.h"
#include "base/DateTimeSpan.h"
#include "model/ZorlaModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Hears the model as the main window does.
class Heard : public ModelListener {
public:
    void OnEntryAdded(const CEntry& entry) override { added.push_back(entry); }
    void OnReminderDue(const CEntry& entry) override { due.push_back(entry); }
    std::vector<CEntry> added;
    std::vector<CEntry> due;
};

class ZorlaModelTest : public ::testing::Test {
protected:
    ZorlaModelTest()
        : model(platform.Context(folder.Path()))
    {
        model.AddListener(&heard);
        model.Load();
    }
    std::string File(const char* name) { return TestFiles::Bytes(folder.File(name)); }
    bool Holds(const char* name, const std::string& text) { return File(name).find(text) != std::string::npos; }

    TempFolder folder;
    CorePlatform platform;
    ZorlaModel model;
    Heard heard;
    const DateTime now{2026, 12, 7, 10, 15, 0};
};

}  // namespace

TEST_F(ZorlaModelTest, TypedTextBecomesANoteOrAReminderOnlyWhenItMayBeKept)
{
    using Result = ZorlaModel::AddResult;
    EXPECT_EQ(Result::NothingTyped, model.AddNote(""));
    EXPECT_EQ(Result::NothingTyped, model.AddNote("\x80\x81")) << "nothing left after the filter";
    EXPECT_EQ(Result::InPast, model.AddReminder("Dentist", DateTime(2026, 12, 7, 10, 14, 0), now));
    DateTime bad(2026, 12, 7, 11, 0, 0);
    bad.SetStatus(DateTime::invalid);
    EXPECT_EQ(Result::BadDate, model.AddReminder("Dentist", bad, now));
    EXPECT_TRUE(heard.added.empty());
    EXPECT_FALSE(TestFiles::Exists(folder.File("Zorla_Timer")));

    platform.clock.Set(DateTime(2026, 12, 7, 14, 3, 40));
    ASSERT_EQ(Result::Added, model.AddNote("Milk\r\nBread"));
    ASSERT_EQ(Result::Added, model.AddReminder("Dentist", DateTime(2026, 12, 7, 10, 15, 0), now))
        << "this very minute is not the past";
    ASSERT_EQ(2u, heard.added.size());
    EXPECT_EQ(EntryKind::Note, heard.added[0].kind);
    EXPECT_EQ(1, heard.added[0].id);
    EXPECT_EQ("Zorla 1.0TID:1", heard.added[1].GetKey());
    EXPECT_EQ(0, heard.added[1].notify);
    EXPECT_TRUE(Holds("Zorla_Notes", "date=\"12/07/2026 14:03:40\"")) << "made when the clock says";
    EXPECT_TRUE(Holds("Zorla_Notes", "text=\"Milk_BR_Bread\""));
    EXPECT_TRUE(Holds("Zorla_Timer", "date=\"12/07/2026 10:15:00\" notify=\"0\" text=\"Dentist\""));

    // A store without a document keeps nothing and says so.
    model.Notes().SetDocument(nullptr);
    EXPECT_EQ(Result::Refused, model.AddNote("lost?"));
    EXPECT_EQ(2u, heard.added.size());
}

// An edit moves the entry to the end under its id; a delete goes through the
// bin, and bringing back returns the newest at its place, alerting when due.
TEST_F(ZorlaModelTest, EditsDeletesAndTheBinKeepEveryEntryFindable)
{
    ASSERT_EQ(ZorlaModel::AddResult::Added, model.AddNote("first"));
    ASSERT_EQ(ZorlaModel::AddResult::Added, model.AddNote("second"));
    ASSERT_EQ(ZorlaModel::AddResult::Added, model.AddReminder("call", DateTime(2026, 12, 7, 11, 0, 0), now));
    CEntry first = heard.added[0];
    first.SetText("first, edited");
    first.wndX = 40;
    first.wndY = 50;
    ASSERT_TRUE(model.Update(first));
    ASSERT_TRUE(model.Write(first));
    const std::string notes = File("Zorla_Notes");
    EXPECT_LT(notes.find("text=\"second\""), notes.find("_id_=\"1\""));
    EXPECT_NE(std::string::npos, notes.find("text=\"first, edited\" wndX=\"40\" wndY=\"50\""));
    CEntry stranger = first;
    stranger.id = 99;
    EXPECT_FALSE(model.Update(stranger));

    EXPECT_FALSE(model.CanRestore());
    model.Delete(first);
    CEntry reminder = heard.added[2];
    model.Delete(reminder);
    EXPECT_FALSE(Holds("Zorla_Notes", "first, edited"));
    EXPECT_FALSE(Holds("Zorla_Timer", "call"));
    EXPECT_TRUE(Holds("Zorla_Deleted", "first, edited"));
    EXPECT_TRUE(model.CanRestore());

    heard.added.clear();
    const DateTime later(2026, 12, 7, 12, 0, 0);
    ASSERT_EQ(ZorlaModel::RestoreResult::Restored, model.RestoreLast(later));
    ASSERT_EQ(1u, heard.added.size());
    EXPECT_EQ("call", heard.added[0].text);
    ASSERT_EQ(1u, heard.due.size()) << "its time passed while it lay in the bin";
    EXPECT_TRUE(Holds("Zorla_Timer", "text=\"call\""));
    ASSERT_EQ(ZorlaModel::RestoreResult::Restored, model.RestoreLast(later));
    EXPECT_EQ(1u, heard.due.size()) << "a note is never due";
    EXPECT_EQ("first, edited", heard.added[1].text);
    EXPECT_EQ(40, heard.added[1].wndX);
    EXPECT_EQ(ZorlaModel::RestoreResult::BinEmpty, model.RestoreLast(later));
    EXPECT_FALSE(model.CanRestore());
    EXPECT_FALSE(Holds("Zorla_Deleted", "text="));
}

TEST_F(ZorlaModelTest, DueRemindersAndSnoozeFollowTheClockMinuteByMinute)
{
    model.AddReminder("a", DateTime(2026, 12, 7, 10, 30, 0), now);
    model.AddReminder("b", DateTime(2026, 12, 7, 11, 0, 0), now);
    model.CheckDue(DateTime(2026, 12, 7, 10, 29, 59));
    EXPECT_TRUE(heard.due.empty());
    model.CheckDue(DateTime(2026, 12, 7, 10, 30, 0));
    ASSERT_EQ(1u, heard.due.size());
    EXPECT_EQ("a", heard.due[0].text);

    // Snoozed at 10:42:40 for 5 minutes: due at 10:47, 17 minutes after 10:30;
    // only the last half second counts as the next minute.
    CEntry a = heard.due[0];
    a.notify = ZorlaModel::SnoozedNotify(a, 5, DateTime(2026, 12, 7, 10, 42, 40));
    EXPECT_EQ(17, a.notify);
    DateTime almost(2026, 12, 7, 10, 42, 59);
    almost += DateTimeSpan(0.6 / (24.0 * 60 * 60));
    EXPECT_EQ(18, ZorlaModel::SnoozedNotify(a, 5, almost));
    ASSERT_TRUE(model.Update(a));
    heard.due.clear();
    model.CheckDue(DateTime(2026, 12, 7, 10, 46, 59));
    EXPECT_TRUE(heard.due.empty());
    model.CheckDue(DateTime(2026, 12, 7, 11, 0, 0));
    EXPECT_EQ(2u, heard.due.size());
}

// Everything reaches the files at the end; a store that cannot be written
// keeps its problem for the window to show, and the others are written.
TEST_F(ZorlaModelTest, SaveAllWritesWhatItCanAndKeepsTheProblemsOfTheRest)
{
    EXPECT_EQ("München", model.City());
    model.SelectCity("Bremen");
    EXPECT_EQ("Bremen", model.City());
    model.AddReminder("r", DateTime(2026, 12, 8, 9, 0, 0), now);
    ASSERT_TRUE(TestFiles::MakeFolder(folder.File("Zorla_Notes.tmp")));
    EXPECT_EQ(ZorlaModel::AddResult::Added, model.AddNote("kept in memory")) << "a full disk loses nothing";
    EXPECT_EQ(1u, model.TakeProblems().size());
    EXPECT_TRUE(model.TakeProblems().empty());
    EXPECT_FALSE(model.SaveAll());
    EXPECT_EQ(1u, model.TakeProblems().size());
    EXPECT_FALSE(TestFiles::Exists(folder.File("Zorla_Deleted"))) << "nobody deleted anything";

    ASSERT_TRUE(TestFiles::RemoveFolder(folder.File("Zorla_Notes.tmp")));
    EXPECT_TRUE(model.SaveAll());
    EXPECT_TRUE(Holds("Zorla_Notes", "text=\"kept in memory\""));
    ZorlaModel reread(platform.Context(folder.Path()));
    ASSERT_TRUE(reread.Load());
    const std::vector<CEntry> stored = reread.StoredEntries();
    ASSERT_EQ(2u, stored.size());
    EXPECT_EQ("r", stored[0].text) << "reminders open first";
    EXPECT_EQ(EntryKind::Note, stored[1].kind);
}

// A note write that keeps failing is shown once; forgetting its repeats must
// not take what the other stores have to tell the user.
TEST_F(ZorlaModelTest, ARepeatedWriteFailureIsForgottenAloneTheOtherProblemsStay)
{
    TempFolder other;
    TestFiles::Write(other.File("Zorla_Timer"), "<DATABASE><ENTRY");
    ZorlaModel damaged(platform.Context(other.Path()));
    damaged.Load();
    ASSERT_TRUE(TestFiles::MakeFolder(other.File("Zorla_Notes.tmp")));
    ASSERT_EQ(ZorlaModel::AddResult::Added, damaged.AddNote("kept in memory"));
    CEntry note;
    note.kind = EntryKind::Note;
    damaged.ForgetWriteFailure(note);
    const std::vector<StoreProblem> problems = damaged.TakeProblems();
    ASSERT_EQ(1u, problems.size());
    EXPECT_EQ(StoreProblem::SetAside, problems[0].kind);
    EXPECT_EQ(other.File("Zorla_Timer"), problems[0].file);
}
