// Two computers keeping their notes in one folder that a sync service mirrors:
// two models with settings of their own (so ids of their own) and one folder.
#include "support/core/CoreSupport.h"

#include "base/StoredNames.h"
#include "model/ModelListener.h"
#include "model/ZorlaModel.h"
#include "sync/NotesMerge.h"
#include "sync/SyncFolder.h"
#include "sync/TextMerge.h"
#include "sync/Versions.h"
#include "xml/XmlWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <utility>
#include <string>
#include <vector>

namespace {

class Heard : public ModelListener {
public:
    void OnEntryAdded(const CEntry& entry) override { added.push_back(entry.GetDisplayText()); }
    void OnEntryChanged(const CEntry& entry) override { changed.push_back(entry.GetDisplayText()); }
    void OnEntryRemoved(const CEntry& entry) override { removed.push_back(entry.GetDisplayText()); }
    std::vector<std::string> added, changed, removed;
};

struct Computer {
    explicit Computer(const std::string& shared)
        : model(platform.Context(data.Path()))
    {
        model.AddListener(&heard);
        model.Load();
        model.KeepInFolder(shared);
    }
    std::vector<std::string> Texts()
    {
        std::vector<std::string> texts;
        for (const CEntry& entry : model.StoredEntries())
            texts.push_back(entry.GetDisplayText());
        return texts;
    }
    CEntry Find(const std::string& text)
    {
        for (const CEntry& entry : model.StoredEntries())
            if (entry.GetDisplayText() == text)
                return entry;
        return CEntry();
    }
    std::string Restore()
    {
        const size_t before = heard.added.size();
        model.RestoreLast(platform.clock.Now());
        return heard.added.size() > before ? heard.added.back() : std::string();
    }

    TempFolder data;
    CorePlatform platform;
    ZorlaModel model;
    Heard heard;
};

class SyncTest : public testing::Test {
protected:
    TempFolder shared;
    Computer office{shared.Path()};
    Computer home{shared.Path()};
};

}  // namespace

TEST_F(SyncTest, NotesTravelBothWaysAndEditsOfDifferentNotesBothSurvive)
{
    office.model.AddNote("from the office");
    home.model.AddNote("from home");
    EXPECT_TRUE(home.model.CheckSyncFolder());
    EXPECT_TRUE(office.model.CheckSyncFolder());
    EXPECT_EQ(home.heard.added.back(), "from the office");
    EXPECT_EQ(office.heard.added.back(), "from home");

    CEntry a = office.Find("from the office");
    a.SetText("edited at the office");
    office.model.Update(a);
    office.model.Write(a);
    CEntry b = home.Find("from home");
    b.SetText("edited at home");
    b.wndX = 5;
    home.model.Update(b);
    home.model.Write(b);
    office.model.CheckSyncFolder();
    home.model.CheckSyncFolder();
    for (Computer* computer : {&office, &home}) {
        std::vector<std::string> texts = computer->Texts();
        std::sort(texts.begin(), texts.end());
        EXPECT_EQ(texts, (std::vector<std::string>{"edited at home", "edited at the office"}));
    }
    EXPECT_EQ(office.Find("edited at home").wndX, -1) << "a place is each computer's own";
    EXPECT_FALSE(office.model.CheckSyncFolder()) << "nothing new: nothing to merge";
}

TEST(SyncMerge, EditsMadeApartMeetInOneNoteTheSameOnBothComputersInOneRound)
{
    const std::string marked = "\r\n" + std::string(TextMerge::kMarker);
    struct Case {
        const char* what;
        const char* start;
        const char* atTheOffice;
        const char* atHome;  // later
        std::string both;
    };
    const Case cases[] = {
        {"different lines", "Shopping\r\nmilk\r\nbread", "Shopping list\r\nmilk\r\nbread",
         "Shopping\r\nmilk\r\nbread rolls", "Shopping list\r\nmilk\r\nbread rolls"},
        {"the same words", "milk", "oat milk", "soy milk", "soy milk" + marked + "oat milk"},
        {"the same change", "tea", "green tea", "green tea", "green tea"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder shared;
        Computer office{shared.Path()};
        Computer home{shared.Path()};
        office.model.AddNote(c.start);
        home.model.CheckSyncFolder();
        office.model.CheckSyncFolder();  // sees home agree
        for (Computer* computer : {&office, &home}) {
            CEntry entry = computer->Find(c.start);
            entry.SetText(computer == &office ? c.atTheOffice : c.atHome);
            if (computer == &home)
                home.platform.clock.Set(DateTime(2026, 12, 7, 10, 20, 0));
            computer->model.Update(entry);
            computer->model.Write(entry);
        }
        office.model.CheckSyncFolder();
        home.model.CheckSyncFolder();
        office.model.CheckSyncFolder();
        EXPECT_EQ(office.Texts(), (std::vector<std::string>{c.both}));
        EXPECT_EQ(home.Texts(), (std::vector<std::string>{c.both}));
        EXPECT_FALSE(home.model.CheckSyncFolder()) << "no new conflict in the next round";
        EXPECT_FALSE(office.model.CheckSyncFolder());
    }
}

// A colour is a change like typing: it travels, and of two made apart the
// later one holds on both computers.
TEST(SyncMerge, AColourTravelsAndTheLaterOfTwoHolds)
{
    struct Case {
        const char* what;
        NoteColour atTheOffice;
        NoteColour atHome;  // later; yellow: home leaves the colour alone
        bool homeTypes;     // later
        NoteColour both;
    };
    const Case cases[] = {
        {"one computer", NoteColour::Blue, NoteColour::Yellow, false, NoteColour::Blue},
        {"both", NoteColour::Pink, NoteColour::Green, false, NoteColour::Green},
        {"recoloured here, typed later there", NoteColour::Blue, NoteColour::Yellow, true, NoteColour::Blue},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder shared;
        Computer office{shared.Path()};
        Computer home{shared.Path()};
        office.model.AddNote("tea");
        home.model.CheckSyncFolder();
        office.model.CheckSyncFolder();
        for (Computer* computer : {&office, &home}) {
            const NoteColour colour = computer == &office ? c.atTheOffice : c.atHome;
            const bool types = computer == &home && c.homeTypes;
            if (colour == NoteColour::Yellow && !types)
                continue;
            CEntry entry = computer->Find("tea");
            if (types)
                entry.SetText("tea with milk");
            else
                entry.SetColour(colour);
            if (computer == &home)
                home.platform.clock.Set(DateTime(2026, 12, 7, 10, 20, 0));
            computer->model.Update(entry);
            computer->model.Write(entry);
        }
        office.model.CheckSyncFolder();
        home.model.CheckSyncFolder();
        office.model.CheckSyncFolder();
        EXPECT_EQ(office.model.StoredEntries().at(0).Colour(), c.both);
        EXPECT_EQ(home.model.StoredEntries().at(0).Colour(), c.both);
        EXPECT_FALSE(home.model.CheckSyncFolder()) << "no new conflict in the next round";
    }
}

TEST_F(SyncTest, AComputerOfAnEarlierVersionThatKeptTheLaterTextTakesTheMerge)
{
    office.model.AddNote("milk");
    const auto entryHere = [&] { return office.model.StoredEntries().at(0); };
    const std::string first = entryHere().versions;
    CEntry note = entryHere();
    note.SetText("oat milk");
    office.model.Update(note);
    office.model.Write(note);
    // A computer of an earlier version changed it apart, and merged as that
    // version did: the later text under the joined versions.
    int written = 0;
    const auto arrive = [&](const std::string& versions) {
        ComputerFile earlier;
        earlier.computer = "fedcba9876543210";
        CEntry theirs = entryHere();
        theirs.SetText("soy milk" + std::string(written++, ' '));  // a file of another size each time
        theirs.versions = versions;
        theirs.stamp += 1000;
        theirs.baseText.clear();
        theirs.baseVersions.clear();
        theirs.baseWhen.clear();
        earlier.entries.push_back(theirs);
        util::xml::XmlWriter(shared.File("Zorla_fedcba9876543210.zorla")).writeDocument(*earlier.Document());
        office.model.CheckSyncFolder();
    };
    arrive(first + " fedcba9876543210:1");
    const CEntry merged = entryHere();
    arrive(merged.versions);
    const CEntry now = entryHere();
    EXPECT_NE(now.GetDisplayText().find("oat milk"), std::string::npos) << now.GetDisplayText();
    EXPECT_NE(now.GetDisplayText().find("soy milk"), std::string::npos) << now.GetDisplayText();
    EXPECT_EQ(Versions::Parse(now.versions).Compare(Versions::Parse(merged.versions)), Versions::Order::Newer)
        << "counted as a change here, so that computer takes the merge";
}

// Computers that merged the same changes and deletes along different ways (one
// read a file written before another's last merge) hold one version deleted on
// one and changed on the other: a change that beat a delete somewhere beats it
// everywhere, so the copies still meet.
TEST(SyncMerge, OneVersionDeletedHereAndChangedThereEndsAsOne)
{
    CEntry marked;
    marked.id = 1;
    marked.kind = EntryKind::Note;
    marked.uid = "0123";
    marked.versions = "0000000000000001:3 0000000000000002:2";
    marked.stamp = 1000;
    marked.SetText("milk\r\n" + std::string(TextMerge::kMarker) + "bread");
    CEntry plain = marked;
    plain.stamp = 1001;
    plain.SetText("milk\r\nbread");
    struct Row {
        const char* what;
        CEntry mine, theirs;
        bool mineDeleted, theirsDeleted;
    };
    const Row rows[] = {
        {"deleted here", marked, plain, true, false},
        {"deleted there", plain, marked, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ComputerFile file;
        (row.theirsDeleted ? file.deleted : file.entries).push_back(row.theirs);
        std::map<std::string, CEntry> deleted;
        std::vector<CEntry> local;
        if (row.mineDeleted)
            deleted[row.mine.uid] = row.mine;
        else
            local.push_back(row.mine);
        const NotesMerge::Outcome outcome = NotesMerge::Merge(local, deleted, file);
        std::string held = row.mineDeleted ? "" : row.mine.GetDisplayText();
        for (const std::vector<CEntry>* came : {&outcome.changed, &outcome.added})
            for (const CEntry& entry : *came)
                held = entry.GetDisplayText();
        if (!outcome.removed.empty())
            held.clear();
        EXPECT_EQ(held, "milk\r\nbread");
    }
}

TEST_F(SyncTest, AReminderMovedOnBothKeepsTheLaterTimeAndTellsTheOther)
{
    const DateTime now = office.platform.clock.Now();
    ASSERT_EQ(office.model.AddReminder("dentist", DateTime(2026, 12, 9, 9, 0, 0), now), ZorlaModel::AddResult::Added);
    home.model.CheckSyncFolder();
    office.model.CheckSyncFolder();
    CEntry atTheOffice = office.Find("dentist");
    atTheOffice.date = DateTime(2026, 12, 9, 11, 0, 0);
    office.model.Update(atTheOffice);
    office.model.Write(atTheOffice);
    home.platform.clock.Set(DateTime(2026, 12, 7, 10, 20, 0));  // later
    CEntry atHome = home.Find("dentist");
    atHome.date = DateTime(2026, 12, 10, 8, 30, 0);
    home.model.Update(atHome);
    home.model.Write(atHome);
    office.model.CheckSyncFolder();
    home.model.CheckSyncFolder();
    const std::string told = "dentist\r\n" + std::string(TextMerge::kMarker) + "09.12.2026 11:00";
    for (Computer* computer : {&office, &home}) {
        const CEntry merged = computer->Find(told);
        EXPECT_EQ(merged.GetDisplayText(), told);
        EXPECT_EQ(merged.date, DateTime(2026, 12, 10, 8, 30, 0));
    }
}

TEST_F(SyncTest, ADeleteTravelsAndTheBinBringsItBackEverywhereButAChangeBeatsADelete)
{
    office.model.AddNote("call Anna");
    office.model.AddNote("call Ben");
    home.model.CheckSyncFolder();
    // Changed before the delete, which home sees first: the bin keeps the text deleted.
    CEntry anna = office.Find("call Anna");
    anna.SetText("call Anna\r\nabout Friday");
    office.model.Update(anna);
    office.model.Write(anna);
    office.model.Delete(anna);
    home.model.CheckSyncFolder();
    EXPECT_EQ(home.heard.removed, (std::vector<std::string>{"call Anna\r\nabout Friday"}));
    EXPECT_EQ(home.Restore(), "call Anna\r\nabout Friday");
    office.model.CheckSyncFolder();
    EXPECT_EQ(office.Find("call Anna\r\nabout Friday").GetDisplayText(), "call Anna\r\nabout Friday")
        << "back on the other computer too";
    EXPECT_EQ(office.Restore(), "") << "and out of its bin: it comes back once";
    EXPECT_EQ(office.Texts().size(), 2u);

    // Deleted on one (changed there first) while changed on the other: the note
    // stays on both, with both changes.
    CEntry ben = office.Find("call Ben");
    ben.SetText("call Ben\r\nre: invoice");
    office.model.Update(ben);
    office.model.Write(ben);
    office.model.Delete(ben);
    CEntry changed = home.Find("call Ben");
    changed.SetText("call Ben at six");
    home.model.Update(changed);
    home.model.Write(changed);
    home.model.CheckSyncFolder();
    office.model.CheckSyncFolder();
    const std::string both = "call Ben at six\r\nre: invoice";
    EXPECT_EQ(home.Find(both).GetDisplayText(), both);
    EXPECT_EQ(office.Find(both).GetDisplayText(), both);

    // Changed apart, then deleted on both: either bin brings back both changes.
    office.model.AddNote("buy milk");
    home.model.CheckSyncFolder();
    for (Computer* computer : {&office, &home}) {
        CEntry milk = computer->Find("buy milk");
        milk.SetText(computer == &office ? "buy milk\r\nand eggs" : "buy milk\r\nand bread");
        computer->model.Update(milk);
        computer->model.Write(milk);
        computer->model.Delete(milk);
    }
    home.model.CheckSyncFolder();
    office.model.CheckSyncFolder();
    const std::string back = office.Restore();
    EXPECT_NE(back.find("and eggs"), std::string::npos) << back;
    EXPECT_NE(back.find("and bread"), std::string::npos) << back;
    EXPECT_EQ(home.Restore(), back);
}

TEST(SyncBin, ABinFromBeforeTheFolderJoinsTheBinEveryComputerShares)
{
    TempFolder shared;
    TempFolder data;
    CorePlatform platform;
    ZorlaModel office(platform.Context(data.Path()));
    office.Load();
    office.AddNote("thrown away before");
    office.Delete(office.StoredEntries().at(0));
    office.KeepInFolder(shared.Path());
    Computer home{shared.Path()};
    home.model.CheckSyncFolder();
    EXPECT_EQ(home.Restore(), "thrown away before");
    office.CheckSyncFolder();
    EXPECT_EQ(office.RestoreLast(platform.clock.Now()), ZorlaModel::RestoreResult::BinEmpty) << "back once";
}

TEST_F(SyncTest, ASnoozedReminderChangesOnTheOtherComputer)
{
    office.model.AddReminder("dentist", DateTime(2026, 12, 7, 11, 0, 0), office.platform.clock.Now());
    home.model.CheckSyncFolder();
    CEntry reminder = office.Find("dentist");
    reminder.notify = 10;
    office.model.Update(reminder);
    office.model.Write(reminder);
    home.model.CheckSyncFolder();
    EXPECT_EQ(home.heard.changed, (std::vector<std::string>{"dentist"}));
    EXPECT_EQ(home.Find("dentist").notify, 10);
    EXPECT_EQ(home.Find("dentist").kind, EntryKind::Reminder);
}

// Copies a sync service made are merged and removed; a file that stays
// damaged changes nothing and is reported once.
TEST_F(SyncTest, ConflictedCopiesAreMergedAndRemovedDamagedFilesChangeNothing)
{
    office.model.AddNote("first");
    std::string officeFile;
    for (const auto& facts : Files().List(shared.Path()))
        if (facts.name.find("Zorla_") == 0 &&
            TestFiles::Bytes(shared.File(facts.name)).find("first") != std::string::npos)
            officeFile = facts.name;
    ASSERT_FALSE(officeFile.empty());
    const std::string copyName = officeFile.substr(0, 22) + " (home's conflicted copy 2026-12-07).zorla";
    std::string copy = TestFiles::Bytes(shared.File(officeFile));
    const std::size_t at = copy.find("first");
    copy.replace(at, 5, "fresh");
    copy.replace(copy.find("uid=\"") + 5, 4, "ffff");
    TestFiles::Write(shared.File(copyName), copy);
    home.model.CheckSyncFolder();
    EXPECT_TRUE(home.Find("fresh").uid.size() > 0) << "the copy's own note is merged";
    EXPECT_FALSE(TestFiles::Exists(shared.File(copyName))) << "and the copy removed";

    const std::vector<std::string> before = home.Texts();
    std::string whole = TestFiles::Bytes(shared.File(officeFile));
    TestFiles::Write(shared.File(officeFile), whole.substr(0, whole.size() / 2));
    home.model.CheckSyncFolder();
    EXPECT_TRUE(home.model.TakeProblems().empty()) << "a file being written is no news yet";
    home.model.CheckSyncFolder();
    const std::vector<StoreProblem> problems = home.model.TakeProblems();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].kind, StoreProblem::OtherComputer);
    home.model.CheckSyncFolder();
    EXPECT_TRUE(home.model.TakeProblems().empty()) << "once, not at every check";
    EXPECT_EQ(home.Texts(), before);
}

TEST(SyncNames, ComputerFilesAndTheCopiesSyncServicesMake)
{
    const std::string id = "0123456789abcdef";
    struct Row {
        std::string name;
        bool known;
        bool copy;
    };
    const Row rows[] = {
        {"Zorla_" + id + ".zorla", true, false},
        {"Zorla_" + id + " (Anna's conflicted copy 2026-12-07).zorla", true, true},    // Dropbox
        {"Zorla_" + id + "-LAPTOP.zorla", true, true},                                 // OneDrive
        {"Zorla_" + id + " (conflicted copy 2026-12-07 101500).zorla", true, true},    // Nextcloud
        {"Zorla_" + id + ".sync-conflict-20261207-101500-ABCDEFG.zorla", true, true},  // Syncthing
        {"Zorla_" + id + " (1).zorla", true, true},                                    // Google Drive
        {"Zorla_" + id + ".zorla.tmp", false, false},
        {"Zorla_Notes", false, false},
        {"Zorla_0123456789abcdeg.zorla", false, false},
    };
    for (const Row& row : rows) {
        std::string computer;
        bool copy = false;
        EXPECT_EQ(SyncFolder::ComputerOf(row.name, computer, copy), row.known) << row.name;
        if (row.known) {
            EXPECT_EQ(computer, id) << row.name;
            EXPECT_EQ(copy, row.copy) << row.name;
        }
    }
}
