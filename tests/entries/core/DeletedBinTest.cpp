#include "support/core/CoreSupport.h"
#include "entries/Bin.h"

#include <gtest/gtest.h>

// The bin keeps the newest hundred, in the entry stores' own format, and gives
// them back newest first with their kind told by "notify".
TEST(DeletedBin, KeepsTheNewestHundredOfBothKindsAndGivesThemBackNewestFirst)
{
    TempFolder folder;
    Bin bin(folder.Path(), Files());
    ASSERT_TRUE(bin.Load());
    EXPECT_TRUE(bin.IsEmpty());
    CEntry none;
    EXPECT_FALSE(bin.PeekLast(none));

    for (int i = 1; i <= Bin::kCapacity + 5; ++i) {
        CEntry entry;
        entry.id = 7;  // ids of different stores may clash: the bin gives its own
        entry.SetText("deleted " + std::to_string(i));
        entry.wndX = i;
        entry.wndY = 2 * i;
        entry.notify = i % 2 ? 15 : -1;
        entry.date = DateTime(2026, 12, 7, 9, 30, 0);
        ASSERT_TRUE(bin.Keep(entry));
    }
    const std::string file = TestFiles::Bytes(folder.File("Zorla_Deleted"));
    EXPECT_EQ(0u, file.find("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"));
    EXPECT_EQ(std::string::npos, file.find("text=\"deleted 5\"")) << "the oldest five are gone";
    EXPECT_NE(std::string::npos, file.find("date=\"12/07/2026 09:30:00\" text=\"deleted 6\" wndX=\"6\" wndY=\"12\""));
    EXPECT_NE(std::string::npos, file.find("date=\"12/07/2026 09:30:00\" notify=\"15\" text=\"deleted 105\""));
    EXPECT_FALSE(TestFiles::Exists(folder.File("Zorla_Deleted.tmp")));

    Bin reread(folder.Path(), Files());
    ASSERT_TRUE(reread.Load());
    EXPECT_EQ(static_cast<size_t>(Bin::kCapacity), reread.ReadAll().size());
    for (int i = Bin::kCapacity + 5; i >= 6; --i) {
        CEntry entry;
        ASSERT_TRUE(reread.PeekLast(entry)) << i;
        EXPECT_EQ("deleted " + std::to_string(i), entry.text);
        EXPECT_EQ(i % 2 ? EntryKind::Reminder : EntryKind::Note, entry.kind);
        EXPECT_EQ(i, entry.wndX);
        reread.DropLast();
    }
    EXPECT_TRUE(reread.IsEmpty());
}

// The bin drops its oldest entries itself: lookups and new ids must follow.
TEST(DeletedBin, IdsFollowTheEntriesItDrops)
{
    TempFolder folder;
    Bin bin(folder.Path(), Files());
    ASSERT_TRUE(bin.Load());
    CEntry entry;
    for (int i = 0; i <= Bin::kCapacity; ++i)
        ASSERT_TRUE(bin.Keep(entry));
    EXPECT_FALSE(bin.GetEntryById(1, entry)) << "the oldest is gone";
    EXPECT_TRUE(bin.GetEntryById(2, entry));
    bin.DropLast();
    EXPECT_FALSE(bin.GetEntryById(Bin::kCapacity + 1, entry));
    ASSERT_TRUE(bin.Keep(entry));
    EXPECT_TRUE(bin.GetEntryById(Bin::kCapacity + 1, entry));
    EXPECT_TRUE(bin.DeleteEntry(2));
}
