// The merge of one note's text that two computers changed apart. Each row is
// a fault the merge could have: an edit lost, an edit doubled, a conflict
// hidden or marked twice, a line break changed, a character cut.
#include "sync/TextMerge.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string M = TextMerge::kMarker;

struct Row {
    const char* fault;
    std::string base, first, second, merged;
    bool conflicts;
};

TEST(TextMerge, KeepsBothEditsAndMarksWhereTheyMeet)
{
    const Row rows[] = {
        {"edits in the first and last line both kept", "milk\r\nbread\r\neggs", "oat milk\r\nbread\r\neggs",
         "milk\r\nbread\r\neggs x6", "oat milk\r\nbread\r\neggs x6", false},
        {"edits in two neighbouring lines both kept", "milk\r\nbread", "Milk\r\nbread", "milk\r\nbread!",
         "Milk\r\nbread!", false},
        {"a line inserted beside a changed one", "a\r\nb\r\nc", "A\r\nb\r\nc", "a\r\nnew\r\nb\r\nc",
         "A\r\nnew\r\nb\r\nc", false},
        {"the same edit on both sides taken once", "milk\r\nbread", "milk by A\r\nbread", "milk by A\r\nbread",
         "milk by A\r\nbread", false},
        {"one word changed differently: both kept, the other marked", "buy milk", "buy oat milk", "buy soy milk",
         "buy oat milk\r\n" + M + "buy soy milk", true},
        {"a word fixed at the start, words appended at the end", "byu milk", "buy milk", "byu milk by B",
         "buy milk by B", false},
        {"appends at the same end are a conflict", "milk", "milk by A", "milk by B", "milk by A\r\n" + M + "milk by B",
         true},
        {"deleted on first, changed on second: the change stays, marked", "a\r\nmilk\r\nc", "a\r\nc",
         "a\r\nmilk by B\r\nc", "a\r\n" + M + "milk by B\r\nc", true},
        {"changed on first, deleted on second: the change stays", "a\r\nmilk\r\nc", "a\r\nmilk by A\r\nc", "a\r\nc",
         "a\r\nmilk by A\r\nc", true},
        {"lines broken by LF alone keep it, marked lines too", "x\ny", "x\ny1", "x\ny2", "x\ny1\n" + M + "y2", true},
        {"LF text with a final break keeps it", "a\nb\n", "a\nb\nc\n", "A\nb\n", "A\nb\nc\n", false},
        {"a final break added on one side stays", "a\r\nb", "a\r\nb\r\n", "A\r\nb", "A\r\nb\r\n", false},
        {"a new note on both sides", "", "a", "b", "a\r\n" + M + "b", true},
        {"merge(b, x, x) == x", "one\r\ntwo", "one\r\n2\r\nthree", "one\r\n2\r\nthree", "one\r\n2\r\nthree", false},
        {"merge(b, b, x) == x", "one\r\ntwo", "one\r\ntwo", "one\r\n2\r\nthree", "one\r\n2\r\nthree", false},
        {"merge(b, x, b) == x", "one\r\ntwo", "2\r\nthree\r\n", "one\r\ntwo", "2\r\nthree\r\n", false},
        {"a merged text merges to itself", "a\r\n" + M + "b", "a\r\n" + M + "b", "a\r\n" + M + "b", "a\r\n" + M + "b",
         false},
        {"a marked line on both sides is not marked twice", "milk", "milk by A\r\n" + M + "milk by B\r\nbread",
         "milk by A\r\n" + M + "milk by B\r\neggs", "milk by A\r\n" + M + "milk by B\r\nbread\r\n" + M + "eggs", true},
        {"a marked line in the other version keeps one marker", "x", "y", M + "z", "y\r\n" + M + "z", true},
        {"a side merged once already is not merged into again", "milk", "milk by A\r\n" + M + "milk by B", "milk by B",
         "milk by A\r\n" + M + "milk by B", true},
        {"nor the other way round", "milk", "milk by B", "milk by A\r\n" + M + "milk by B",
         "milk by B\r\n" + M + "milk by A", true},
        {"UTF-8 words merged", "Zahnarzt Łódź", "Zahnärztin Łódź", "Zahnarzt Łódź 🦷", "Zahnärztin Łódź 🦷",
         false},
        {"UTF-8 conflict keeps both whole", "ä🙂", "ä🙂🙂", "ä😀", "ä🙂🙂\r\n" + M + "ä😀", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fault);
        const TextMerge::Result result = TextMerge::Merge(row.base, row.first, row.second);
        EXPECT_EQ(result.text, row.merged);
        EXPECT_EQ(result.conflicts, row.conflicts);
    }
}

}  // namespace
