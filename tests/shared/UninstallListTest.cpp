#include "shared/UninstallList.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

const std::string kEntry = UninstallList::Entry("C:\\Start\\Zorla.lnk");

}  // namespace

TEST(UninstallList, EntryGoesUnderTheHeaderOnceAndComesOutLeavingTheSameBytes)
{
    for (const std::string& original :
         {std::string("[Setup]\r\nDir=C:\\Zorla\r\n[Files]\r\nC:\\Zorla\\Zorla.exe=<new>\r\n"),
          std::string("[Files]\nC:\\Zorla\\Zorla.exe=<new>\n")}) {
        const std::string lineBreak = original.find('\r') != std::string::npos ? "\r\n" : "\n";
        std::string text = original;
        ASSERT_TRUE(UninstallList::Insert(text, kEntry));
        const size_t header = original.find("[Files]") + 7 + lineBreak.size();
        EXPECT_EQ(text, original.substr(0, header) + kEntry + lineBreak + original.substr(header));
        EXPECT_FALSE(UninstallList::Insert(text, kEntry)) << "a second insert adds nothing";
        ASSERT_TRUE(UninstallList::Remove(text, kEntry));
        EXPECT_EQ(text, original);
        EXPECT_FALSE(UninstallList::Remove(text, kEntry));
    }
}

TEST(UninstallList, OnlyWholeLinesCount)
{
    // A longer path that ends like ours, or our path with more behind it, is
    // another file's entry.
    const std::string others = "[Files]\r\nD:\\C:\\Start\\Zorla.lnk=<new>\r\nC:\\Start\\Zorla.lnk=<new>x\r\n";
    std::string text = others;
    EXPECT_FALSE(UninstallList::Contains(text, kEntry));
    EXPECT_FALSE(UninstallList::Remove(text, kEntry));
    EXPECT_EQ(text, others);

    std::string last = "[Files]\r\na=<new>\r\n" + kEntry;
    EXPECT_TRUE(UninstallList::Contains(last, kEntry)) << "the last line needs no line break";
    EXPECT_FALSE(UninstallList::Insert(last, kEntry));
    ASSERT_TRUE(UninstallList::Remove(last, kEntry));
    EXPECT_EQ(last, "[Files]\r\na=<new>\r\n");

    // A line break put after a closing carriage return would complete it.
    std::string carriageReturn = "\n" + kEntry + "\r";
    EXPECT_TRUE(UninstallList::Contains(carriageReturn, kEntry));
    EXPECT_FALSE(UninstallList::Insert(carriageReturn, kEntry));
    ASSERT_TRUE(UninstallList::Remove(carriageReturn, kEntry));
    EXPECT_EQ(carriageReturn, "\n");
}

TEST(UninstallList, RemoveTakesOutTheFirstOfTwoEqualLines)
{
    std::string text = "[Files]\r\n" + kEntry + "\r\nb=<new>\r\n" + kEntry + "\r\n";
    ASSERT_TRUE(UninstallList::Remove(text, kEntry));
    EXPECT_EQ(text, "[Files]\r\nb=<new>\r\n" + kEntry + "\r\n");
}

TEST(UninstallList, ListWithoutFilesHeaderGetsTheSectionAtItsEnd)
{
    // Put in at character 7, the entry would split the first line in two.
    const std::string section = "[Files]\r\n" + kEntry + "\r\n";
    for (const auto& [original, expected] : std::vector<std::pair<std::string, std::string>>{
             {"C:\\Zorla\\Zorla.exe=<new>\r\n", "C:\\Zorla\\Zorla.exe=<new>\r\n" + section},
             {"abc", "abc\r\n" + section},
             {"", section},
             {"[Setup]\nDir=C:\\Zorla\n", "[Setup]\nDir=C:\\Zorla\n[Files]\n" + kEntry + "\n"}}) {
        std::string text = original;
        EXPECT_TRUE(UninstallList::Insert(text, kEntry));
        EXPECT_EQ(text, expected);
        EXPECT_FALSE(UninstallList::Insert(text, kEntry)) << "once";
        ASSERT_TRUE(UninstallList::Remove(text, kEntry));
        EXPECT_TRUE(UninstallList::Insert(text, kEntry)) << "the new header takes the next one";
        EXPECT_EQ(text, expected);
    }
}

TEST(UninstallList, HeaderOnTheLastLineGetsALineBreakBeforeTheEntry)
{
    std::string text = "[Setup]\r\n[Files]";
    ASSERT_TRUE(UninstallList::Insert(text, kEntry));
    EXPECT_EQ(text, "[Setup]\r\n[Files]\r\n" + kEntry + "\r\n");

    std::string inPath = "x=C:\\[Files]\\y\r\n";
    ASSERT_TRUE(UninstallList::Insert(inPath, kEntry));
    EXPECT_EQ(inPath, "x=C:\\[Files]\\y\r\n[Files]\r\n" + kEntry + "\r\n") << "a header starts its line";
}
