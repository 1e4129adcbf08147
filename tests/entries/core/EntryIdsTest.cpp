#include "support/core/CoreSupport.h"
#include "support/core/StoreFiles.h"

#include "entries/NoteStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

// Ids as the stores have always given them: an entry without one gets one more
// than the largest id in the file, whatever the order, duplicates or garbage.

namespace {

std::string Entry(const std::string& idAttribute, const std::string& text)
{
    return "<ENTRY " + idAttribute + " text=\"" + text + "\" date=\"01/01/2026 00:00:00\" wndX=\"0\" wndY=\"0\"/>";
}

struct LoadedStore {
    explicit LoadedStore(const std::string& children)
        : store(folder.Path(), Files())
    {
        WriteBytes(folder.File("Zorla_Notes"), std::string(DECLARATION) + "<DATABASE>" + children + "</DATABASE>");
        EXPECT_TRUE(store.Load());
    }
    int Add(int id = 0)
    {
        CEntry entry;
        entry.id = id;
        entry.SetText("added");
        EXPECT_TRUE(store.AddEntry(entry));
        return entry.id;
    }
    std::string TextOf(int id)
    {
        CEntry entry;
        return store.GetEntryById(id, entry) ? entry.text : "(none)";
    }

    TempFolder folder;
    NoteStore store;
};

}  // namespace

TEST(EntryIds, OnlyTheLargestIsGivenAgain)
{
    LoadedStore empty("");
    EXPECT_EQ(empty.Add(), 1);
    EXPECT_EQ(empty.Add(), 2);
    EXPECT_EQ(empty.Add(), 3);
    ASSERT_TRUE(empty.store.DeleteEntry(2));
    EXPECT_EQ(empty.Add(), 4) << "a gap in the middle stays";
    ASSERT_TRUE(empty.store.DeleteEntry(4));
    EXPECT_EQ(empty.Add(), 4);
}

TEST(EntryIds, DuplicatesGarbageAndOtherElementsReadAsBefore)
{
    LoadedStore odd(Entry("_id_=\"3\"", "first") + Entry("", "none") + Entry("_id_=\"abc\"", "garbage") +
                    Entry("_id_=\" 12th\"", "twelve") + "<OTHER _id_=\"40\"/>" + Entry("_id_=\"3\"", "second"));
    EXPECT_EQ(odd.TextOf(12), "twelve");
    EXPECT_EQ(odd.TextOf(40), "(none)") << "only entries are found";
    EXPECT_EQ(odd.TextOf(3), "first");
    ASSERT_TRUE(odd.store.DeleteEntry(3));
    EXPECT_EQ(odd.TextOf(3), "second");
    EXPECT_EQ(odd.TextOf(0), "(none)");
    // Deleting 0 takes the entries whose id reads as 0, in file order.
    ASSERT_TRUE(odd.store.DeleteEntry(0));
    ASSERT_TRUE(odd.store.DeleteEntry(0));
    EXPECT_FALSE(odd.store.DeleteEntry(0));
    EXPECT_EQ(odd.Add(), 41) << "other elements count for the next id";

    LoadedStore negative(Entry("_id_=\"-3\"", "a"));
    EXPECT_EQ(negative.Add(), 1);
    // 99999999999 reads as the largest int: then the smallest free id is given.
    LoadedStore full(Entry("_id_=\"99999999999\"", "huge") + Entry("_id_=\"1\"", "one") + Entry("_id_=\"3\"", "3"));
    EXPECT_EQ(full.TextOf(2147483647), "huge");
    EXPECT_EQ(full.Add(), 2);
    EXPECT_EQ(full.Add(), 4);
    ASSERT_TRUE(full.store.DeleteEntry(2147483647));
    EXPECT_EQ(full.Add(), 5);
}

// Adds (with and without an id, updates among them), deletes, lookups and
// reloads in random order, against a plain list of the entries in file order.
TEST(EntryIds, StayRightThroughAddsDeletesAndReloads)
{
    LoadedStore loaded("");
    std::vector<std::pair<int, std::string>> expected;
    std::mt19937 random(20261207);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    const auto first = [&](int id) {
        return std::find_if(expected.begin(), expected.end(), [&](const auto& e) { return e.first == id; });
    };
    for (int step = 0; step < 3000; ++step) {
        int largest = 0;
        for (const auto& e : expected)
            largest = std::max(largest, e.first);
        const int id = 1 + pick(largest + 3);
        const int action = pick(10);
        if (action < 5) {
            // New (0), given (possibly taken already), or an update that moves the entry to the end.
            CEntry entry;
            entry.SetText("step " + std::to_string(step));
            entry.id = action < 3 ? 0 : id;
            if (action == 4 && loaded.store.DeleteEntry(id))
                expected.erase(first(id));
            ASSERT_TRUE(loaded.store.AddEntry(entry));
            ASSERT_EQ(entry.id, action < 3 ? largest + 1 : id) << step;
            expected.emplace_back(entry.id, entry.text);
        } else if (action < 8) {
            ASSERT_EQ(loaded.store.DeleteEntry(id), first(id) != expected.end()) << step;
            if (first(id) != expected.end())
                expected.erase(first(id));
        } else if (action == 8) {
            ASSERT_EQ(loaded.TextOf(id), first(id) != expected.end() ? first(id)->second : "(none)") << step;
        } else if (step % 4 == 0) {
            ASSERT_TRUE(loaded.store.Save());
            ASSERT_TRUE(loaded.store.Load());
        }
        if (step % 100 == 99) {
            std::vector<std::pair<int, std::string>> stored;
            for (const CEntry& entry : loaded.store.ReadAll())
                stored.emplace_back(entry.id, entry.text);
            ASSERT_EQ(stored, expected) << step;
        }
    }
}
