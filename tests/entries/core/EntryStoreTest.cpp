#include "support/core/CoreSupport.h"
#include "support/core/StoreFiles.h"

#include "entries/NoteStore.h"
#include "entries/ReminderStore.h"
#include "xml/GoldenFiles.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CEntry MakeEntry(const std::string& text, const DateTime& date, int x = -1, int y = -1)
{
    CEntry entry;
    entry.SetText(text);
    entry.date = date;
    entry.wndX = x;
    entry.wndY = y;
    return entry;
}

std::vector<CEntry> ReadAll(EntryStore& store)
{
    std::vector<CEntry> entries;
    if (!store.HasEntries())
        return entries;
    CEntry entry;
    while (store.GetNextEntry(entry))
        entries.push_back(entry);
    return entries;
}

std::vector<int> Ids(EntryStore& store)
{
    std::vector<int> ids;
    for (const CEntry& entry : ReadAll(store))
        ids.push_back(entry.id);
    return ids;
}

const std::string TWO_NOTES =
    std::string(DECLARATION) +
    "<DATABASE>"
    "<ENTRY _id_=\"1\" date=\"03/14/2004 09:05:00\" text=\"Buy milk_BR_and bread\" wndX=\"640\" wndY=\"120\"/>"
    "<ENTRY _id_=\"2\" date=\"03/15/2004 17:30:12\" text=\"Call back\" wndX=\"-1\" wndY=\"-1\"/>"
    "</DATABASE>";

}  // namespace

TEST(EntryStore, MissingFileGivesAnEmptyDocumentSavedAsEmptyRoot)
{
    TempFolder folder;
    NoteStore store(folder.Path(), Files());
    ASSERT_TRUE(store.Load());
    EXPECT_FALSE(store.HasEntries());
    ASSERT_TRUE(store.Save());
    EXPECT_FALSE(store.HasProblems());
    EXPECT_EQ(store.GetPath(), folder.File("Zorla_Notes"));
    EXPECT_EQ(ReadBytes(store.GetPath()), std::string(DECLARATION) + "<DATABASE/>");
}

TEST(EntryStore, WritesTheExactFileLayout)
{
    TempFolder folder;
    NoteStore store(folder.Path(), Files());
    ASSERT_TRUE(store.Load());
    CEntry placed = MakeEntry("Buy milk\r\nand bread", DateTime(2004, 3, 14, 9, 5, 0), 640, 120);
    CEntry fresh = MakeEntry("Call back", DateTime(2004, 3, 15, 17, 30, 12));
    ASSERT_TRUE(store.AddEntry(placed));
    ASSERT_TRUE(store.AddEntry(fresh));
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(ReadBytes(store.GetPath()), TWO_NOTES);
}

TEST(EntryStore, HandWrittenLayoutReadsLikeOurOwn)
{
    TempFolder folder;
    // Indented, LF line ends, attributes in another order, a character reference.
    WriteBytes(
        folder.File("Zorla_Notes"),
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
        "<DATABASE>\n"
        "  <ENTRY text=\"Buy milk_BR_and bread\" wndY=\"120\" wndX=\"640\"\n"
        "         date=\"03/14/2004 09:05:00\" _id_=\"1\"/>\n"
        "  <ENTRY _id_=\"2\" date=\"03/15/2004 17:30:12\" text=\"Call &#98;ack\" wndX=\"-1\" wndY=\"-1\"></ENTRY>\n"
        "</DATABASE>\n");
    NoteStore handWritten(folder.Path(), Files());
    ASSERT_TRUE(handWritten.Load());

    TempFolder ownFolder;
    WriteBytes(ownFolder.File("Zorla_Notes"), TWO_NOTES);
    NoteStore own(ownFolder.Path(), Files());
    ASSERT_TRUE(own.Load());

    const std::vector<CEntry> a = ReadAll(handWritten);
    const std::vector<CEntry> b = ReadAll(own);
    ASSERT_EQ(a.size(), 2u);
    ASSERT_EQ(b.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(a[i].id, b[i].id);
        EXPECT_EQ(a[i].text, b[i].text);
        EXPECT_EQ(a[i].date, b[i].date);
        EXPECT_EQ(a[i].notify, b[i].notify);
        EXPECT_EQ(a[i].wndX, b[i].wndX);
        EXPECT_EQ(a[i].wndY, b[i].wndY);
    }
    EXPECT_EQ(a[0].GetDisplayText(), "Buy milk\r\nand bread");
    EXPECT_EQ(a[0].wndX, 640);
    EXPECT_EQ(a[1].FormatDate("%d.%m.%Y %H:%M:%S"), "15.03.2004 17:30:12");
    EXPECT_EQ(a[1].notify, -1);
}

TEST(EntryStore, IdsFollowTheLargestStoredId)
{
    TempFolder folder;
    NoteStore store(folder.Path(), Files());
    ASSERT_TRUE(store.Load());
    CEntry first = MakeEntry("one", DateTime(2026, 1, 1, 0, 0, 0));
    ASSERT_TRUE(store.AddEntry(first));
    EXPECT_EQ(first.id, 1);

    WriteBytes(store.GetPath(), std::string(DECLARATION) +
                                    "<DATABASE>"
                                    "<ENTRY _id_=\"1\" date=\"01/01/2026 00:00:00\" text=\"a\" wndX=\"0\" wndY=\"0\"/>"
                                    "<ENTRY _id_=\"7\" date=\"01/01/2026 00:00:00\" text=\"b\" wndX=\"0\" wndY=\"0\"/>"
                                    "<ENTRY _id_=\"2\" date=\"01/01/2026 00:00:00\" text=\"c\" wndX=\"0\" wndY=\"0\"/>"
                                    "</DATABASE>");
    ASSERT_TRUE(store.Load());
    CEntry next = MakeEntry("next", DateTime(2026, 1, 1, 0, 0, 0));
    ASSERT_TRUE(store.AddEntry(next));
    EXPECT_EQ(next.id, 8);
    ASSERT_TRUE(store.DeleteEntry(8));
    CEntry again = MakeEntry("again", DateTime(2026, 1, 1, 0, 0, 0));
    ASSERT_TRUE(store.AddEntry(again));
    EXPECT_EQ(again.id, 8);
    EXPECT_EQ(Ids(store), (std::vector<int>{1, 7, 2, 8}));
}

TEST(EntryStore, UpdateKeepsTheIdAndMovesTheEntryToTheEnd)
{
    TempFolder folder;
    NoteStore store(folder.Path(), Files());
    ASSERT_TRUE(store.Load());
    for (const char* text : {"one", "two", "three"}) {
        CEntry entry = MakeEntry(text, DateTime(2026, 1, 1, 0, 0, 0));
        ASSERT_TRUE(store.AddEntry(entry));
    }
    CEntry entry;
    ASSERT_TRUE(store.GetEntryById(1, entry));
    EXPECT_EQ(entry.text, "one");
    entry.SetText("one, changed");
    entry.wndX = 17;
    ASSERT_TRUE(store.DeleteEntry(entry.id));
    ASSERT_TRUE(store.AddEntry(entry));
    EXPECT_EQ(entry.id, 1);
    ASSERT_TRUE(store.Save());

    NoteStore reread(folder.Path(), Files());
    ASSERT_TRUE(reread.Load());
    EXPECT_EQ(Ids(reread), (std::vector<int>{2, 3, 1}));
    CEntry stored;
    ASSERT_TRUE(reread.GetEntryById(1, stored));
    EXPECT_EQ(stored.text, "one, changed");
    EXPECT_EQ(stored.wndX, 17);
}

TEST(EntryStore, LookupsAndDeletionsOfUnknownIdsFail)
{
    TempFolder folder;
    NoteStore store(folder.Path(), Files());
    CEntry entry;
    EXPECT_FALSE(store.HasEntries()) << "no document before Load";
    EXPECT_FALSE(store.AddEntry(entry));
    ASSERT_TRUE(store.Load());
    ASSERT_TRUE(store.AddEntry(entry));
    EXPECT_FALSE(store.GetEntryById(0, entry));
    EXPECT_FALSE(store.GetEntryById(2, entry));
    EXPECT_FALSE(store.DeleteEntry(2));
    EXPECT_TRUE(store.DeleteEntry(1));
    EXPECT_FALSE(store.DeleteEntry(1));
}

TEST(EntryStore, NotesHaveNoNotifyAttributeRemindersHaveOne)
{
    TempFolder folder;
    NoteStore notes(folder.Path(), Files());
    ReminderStore timers(folder.Path(), Files());
    EXPECT_EQ(notes.GetKind(), EntryKind::Note);
    EXPECT_EQ(timers.GetKind(), EntryKind::Reminder);
    ASSERT_TRUE(notes.Load());
    ASSERT_TRUE(timers.Load());
    CEntry note = MakeEntry("note", DateTime(2026, 12, 7, 14, 0, 0));
    CEntry reminder = MakeEntry("reminder", DateTime(2026, 12, 7, 14, 0, 0));
    reminder.notify = 0;
    ASSERT_TRUE(notes.AddEntry(note));
    ASSERT_TRUE(timers.AddEntry(reminder));
    ASSERT_TRUE(notes.Save());
    ASSERT_TRUE(timers.Save());
    EXPECT_EQ(ReadBytes(notes.GetPath()).find("notify"), std::string::npos);
    EXPECT_NE(ReadBytes(timers.GetPath()).find("<ENTRY _id_=\"1\" date=\"12/07/2026 14:00:00\" notify=\"0\" text="),
              std::string::npos);

    ReminderStore reread(folder.Path(), Files());
    ASSERT_TRUE(reread.Load());
    CEntry stored;
    ASSERT_TRUE(reread.GetEntryById(1, stored));
    EXPECT_EQ(stored.notify, 0);
}

TEST(EntryStore, LineBreaksAndEveryLetterSurviveTheFile)
{
    TempFolder folder;
    NoteStore store(folder.Path(), Files());
    ASSERT_TRUE(store.Load());
    const std::string typed = "K\u00e4se\r\nBr\u00f6tchen & <Butter> 5\u20ac \u0141\u00f3d\u017a";
    CEntry entry = MakeEntry(typed, DateTime(2026, 1, 1, 0, 0, 0));
    ASSERT_TRUE(store.AddEntry(entry));
    ASSERT_TRUE(store.Save());
    EXPECT_NE(ReadBytes(store.GetPath())
                  .find("text=\"K\xE4se_BR_Br\xF6tchen &amp; &lt;Butter> 5&#8364; &#321;\xF3"
                        "d&#378;\""),
              std::string::npos);

    NoteStore reread(folder.Path(), Files());
    ASSERT_TRUE(reread.Load());
    CEntry stored;
    ASSERT_TRUE(reread.GetEntryById(1, stored));
    EXPECT_EQ(stored.GetDisplayText(), typed);
}

// Files of older copies: every entry read into a CEntry and stored again
// gives the same bytes, so an older copy reads what this one writes.
TEST(EntryStore, OlderFilesGoThroughEntriesByteForByte)
{
    for (const std::string* golden : {&GoldenFiles::NOTES, &GoldenFiles::LATIN1}) {
        TempFolder folder;
        WriteBytes(folder.File("Zorla_Notes"), *golden);
        NoteStore older(folder.Path(), Files());
        ASSERT_TRUE(older.Load());
        const std::vector<CEntry> entries = ReadAll(older);
        ASSERT_EQ(entries.size(), 2u);

        TempFolder again;
        NoteStore store(again.Path(), Files());
        ASSERT_TRUE(store.Load());
        for (CEntry entry : entries)
            ASSERT_TRUE(store.AddEntry(entry));
        ASSERT_TRUE(store.Save());
        EXPECT_EQ(ReadBytes(store.GetPath()), *golden);
    }
    TempFolder folder;
    WriteBytes(folder.File("Zorla_Notes"), GoldenFiles::NOTES);
    NoteStore notes(folder.Path(), Files());
    ASSERT_TRUE(notes.Load());
    CEntry first;
    ASSERT_TRUE(notes.GetEntryById(1, first));
    EXPECT_EQ(first.GetDisplayText(), "Gr\u00fc\u00dfe an M\u00fcller\r\n\u00c4pfel, \u00d6l & \u00dcberraschung");
}

TEST(EntryStore, MissingAttributeStopsIterationWithOneWarning)
{
    TempFolder folder;
    WriteBytes(folder.File("Zorla_Notes"),
               std::string(DECLARATION) +
                   "<DATABASE>"
                   "<ENTRY _id_=\"1\" date=\"03/14/2004 09:05:00\" text=\"first\" wndX=\"1\" wndY=\"2\"/>"
                   "<ENTRY _id_=\"2\" date=\"03/14/2004 09:05:00\" text=\"second\" wndX=\"1\"/>"
                   "<ENTRY _id_=\"3\" date=\"03/14/2004 09:05:00\" text=\"third\" wndX=\"1\" wndY=\"2\"/>"
                   "</DATABASE>");
    NoteStore store(folder.Path(), Files());
    ASSERT_TRUE(store.Load());
    const std::vector<CEntry> shown = ReadAll(store);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "first");
    EXPECT_EQ(store.TakeProblems(), std::vector<StoreProblem>({{StoreProblem::DamagedEntry, store.GetPath(),
                                                                "Attribute not found: [wndY] in element: "}}));
    EXPECT_EQ(store.ReadAll().size(), 1u) << "the snapshot stops at the same entry";
}

TEST(EntryStore, BrokenReminderWarnsOncePerRunNotAtEveryDueCheck)
{
    TempFolder folder;
    WriteBytes(folder.File("Zorla_Timer"),
               std::string(DECLARATION) +
                   "<DATABASE>"
                   "<ENTRY _id_=\"1\" date=\"03/14/2004 09:05:00\" notify=\"0\" text=\"due\" wndX=\"1\" wndY=\"2\"/>"
                   "<ENTRY _id_=\"2\" date=\"03/14/2004 09:05:00\" notify=\"0\" wndX=\"1\" wndY=\"2\"/>"
                   "</DATABASE>");
    ReminderStore store(folder.Path(), Files());
    ASSERT_TRUE(store.Load());
    for (int minute = 0; minute < 3; ++minute)
        EXPECT_EQ(store.DueEntries(DateTime(2004, 3, 14, 9, 5, 0)).size(), 1u);
    CEntry entry;
    EXPECT_FALSE(store.GetEntryById(2, entry));
    const std::vector<StoreProblem> problems = store.TakeProblems();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].detail, "Attribute not found: [text] in element: ");
}

TEST(EntryStore, UnparsableDateStopsIterationSilently)
{
    TempFolder folder;
    WriteBytes(folder.File("Zorla_Notes"),
               std::string(DECLARATION) +
                   "<DATABASE>"
                   "<ENTRY _id_=\"1\" date=\"03/14/2004 09:05:00\" text=\"first\" wndX=\"1\" wndY=\"2\"/>"
                   "<ENTRY _id_=\"2\" date=\"yesterday\" text=\"second\" wndX=\"1\" wndY=\"2\"/>"
                   "<ENTRY _id_=\"3\" date=\"03/14/2004 09:05:00\" text=\"third\" wndX=\"1\" wndY=\"2\"/>"
                   "</DATABASE>");
    NoteStore store(folder.Path(), Files());
    ASSERT_TRUE(store.Load());
    EXPECT_EQ(ReadAll(store).size(), 1u);
    EXPECT_FALSE(store.HasProblems());
    // The hidden entries stay in the file.
    ASSERT_TRUE(store.Save());
    EXPECT_NE(ReadBytes(store.GetPath()).find("text=\"third\""), std::string::npos);
}

TEST(EntryStore, DueRemindersAreACopyThatTheirHandlersMayChangeTheStoreUnder)
{
    TempFolder folder;
    ReminderStore store(folder.Path(), Files());
    ASSERT_TRUE(store.Load());
    for (int minute : {1, 2, 3, 50}) {
        CEntry entry = MakeEntry("at " + std::to_string(minute), DateTime(2004, 3, 7, 14, minute, 0));
        entry.notify = 0;
        ASSERT_TRUE(store.AddEntry(entry));
    }
    const std::vector<CEntry> due = store.DueEntries(DateTime(2004, 3, 7, 14, 3, 0));
    ASSERT_EQ(due.size(), 3u);
    std::vector<int> handled;
    for (const CEntry& entry : due) {
        // What an alerting window may do meanwhile: read the store from the
        // start, and delete its own entry.
        EXPECT_EQ(ReadAll(store).size(), 4u - handled.size());
        EXPECT_TRUE(store.DeleteEntry(entry.id));
        handled.push_back(entry.id);
        EXPECT_EQ(entry.kind, EntryKind::Reminder);
    }
    EXPECT_EQ(handled, (std::vector<int>{1, 2, 3})) << "each once, none skipped";
    EXPECT_TRUE(store.DueEntries(DateTime(2004, 3, 7, 14, 49, 59)).empty());
    EXPECT_EQ(store.DueEntries(DateTime(2004, 3, 7, 14, 50, 0)).size(), 1u);
}

// A note's colour is written only when it is not yellow, and a name of a later
// version comes back as it went in.
TEST(EntryStore, ColoursAreWrittenByNameAndUnknownOnesKept)
{
    struct Case {
        const char* attribute;  // as in the file
        NoteColour shown;
    };
    const Case cases[] = {
        {"", NoteColour::Yellow},
        {" color=\"blue\"", NoteColour::Blue},
        {" color=\"grey\"", NoteColour::Grey},
        {" color=\"teal\"", NoteColour::Yellow},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attribute);
        const std::string file = std::string(DECLARATION) + "<DATABASE><ENTRY _id_=\"1\"" + c.attribute +
                                 " date=\"03/14/2004 09:05:00\" text=\"a\" wndX=\"-1\" wndY=\"-1\"/></DATABASE>";
        TempFolder folder;
        WriteBytes(folder.File("Zorla_Notes"), file);
        NoteStore store(folder.Path(), Files());
        ASSERT_TRUE(store.Load());
        CEntry entry;
        ASSERT_TRUE(store.GetEntryById(1, entry));
        EXPECT_EQ(entry.Colour(), c.shown);
        ASSERT_TRUE(store.DeleteEntry(1));
        ASSERT_TRUE(store.AddEntry(entry));
        ASSERT_TRUE(store.Save());
        EXPECT_EQ(ReadBytes(store.GetPath()), file);

        entry.SetColour(NoteColour::Yellow);
        ASSERT_TRUE(store.DeleteEntry(1));
        ASSERT_TRUE(store.AddEntry(entry));
        ASSERT_TRUE(store.Save());
        EXPECT_EQ(ReadBytes(store.GetPath()).find("color"), std::string::npos);
        entry.SetColour(NoteColour::Purple);
        ASSERT_TRUE(store.DeleteEntry(1));
        ASSERT_TRUE(store.AddEntry(entry));
        ASSERT_TRUE(store.Save());
        EXPECT_NE(ReadBytes(store.GetPath()).find("<ENTRY _id_=\"1\" color=\"purple\" date="), std::string::npos);
    }
}
