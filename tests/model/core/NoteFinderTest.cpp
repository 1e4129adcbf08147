#include "model/NoteFinder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CEntry Entry(EntryKind kind, int id, const std::string& typed)
{
    CEntry entry;
    entry.kind = kind;
    entry.id = id;
    entry.date = DateTime(2026, 12, 6, 13, 30, 0);
    entry.notify = kind == EntryKind::Reminder ? 30 : -1;
    entry.SetText(typed);
    return entry;
}

std::vector<std::string> Keys(const std::vector<const NoteFinder::Item*>& items)
{
    std::vector<std::string> keys;
    for (const NoteFinder::Item* item : items)
        keys.push_back(item->key);
    return keys;
}

}  // namespace

// Words in any order, across a line break, in the order given; what a row shows.
TEST(NoteFinder, EveryWordMustOccurInAnyOrder)
{
    NoteFinder finder;
    finder.Refresh({Entry(EntryKind::Reminder, 1, "Call the dentist\r\nin \u0141\u00f3d\u017a"),
                    Entry(EntryKind::Note, 1, "Buy milk"), Entry(EntryKind::Note, 2, "dentist: milk teeth")});
    const struct {
        std::string query;
        std::vector<std::string> keys;
    } rows[] = {
        {"", {"Zorla 1.0TID:1", "Zorla 1.0NID:1", "Zorla 1.0NID:2"}},
        {"  MILK ", {"Zorla 1.0NID:1", "Zorla 1.0NID:2"}},
        {"lodz dentist", {"Zorla 1.0TID:1"}},
        {"teeth DENT", {"Zorla 1.0NID:2"}},
        {"dentist in lodz", {"Zorla 1.0TID:1"}},
        {"milk chocolate", {}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Keys(finder.Find(row.query)), row.keys) << row.query;

    const NoteFinder::Item& reminder = *finder.Find("lodz").at(0);
    EXPECT_EQ(reminder.kind, EntryKind::Reminder);
    EXPECT_EQ(reminder.preview, "Call the dentist in \u0141\u00f3d\u017a");
    EXPECT_EQ(reminder.when, "06.12.26 14:00");
    EXPECT_EQ(finder.Find("milk").at(0)->when, "");
}

TEST(NoteFinder, LongTextsShowShortenedOnOneLine)
{
    NoteFinder finder;
    finder.Refresh({Entry(EntryKind::Note, 1, std::string(79, 'a') + "\u00e9\u00e9\r\n\r\nz")});
    EXPECT_EQ(finder.Find("").at(0)->preview, std::string(79, 'a') + "\u00e9\u2026");
    EXPECT_EQ(finder.Find("z").size(), 1u);
}

// A refresh takes changed texts in and drops removed entries, so the list
// never offers a note by what it no longer says, nor one that is gone.
TEST(NoteFinder, RefreshFollowsChangedAndRemovedEntries)
{
    NoteFinder finder;
    finder.Refresh({Entry(EntryKind::Note, 1, "old words"), Entry(EntryKind::Note, 2, "kept"),
                    Entry(EntryKind::Note, 3, "going away")});
    finder.Refresh({Entry(EntryKind::Note, 1, "new words"), Entry(EntryKind::Note, 2, "kept")});
    EXPECT_TRUE(finder.Find("old").empty());
    EXPECT_EQ(Keys(finder.Find("new")), std::vector<std::string>{"Zorla 1.0NID:1"});
    EXPECT_EQ(Keys(finder.Find("kept")), std::vector<std::string>{"Zorla 1.0NID:2"});
    EXPECT_TRUE(finder.Find("away").empty());
    EXPECT_EQ(finder.Size(), 2u);
}
