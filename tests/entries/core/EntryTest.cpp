#include "support/core/CoreSupport.h"
#include "entries/CEntry.h"

#include "xml/XmlElement.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

using util::xml::XmlElement;

TEST(EntryText, LineBreaksAreStoredAsMarkersAndShownAsLines)
{
    CEntry entry;
    entry.SetText("first line\r\nsecond line\r\n");
    EXPECT_EQ(entry.text, "first line_BR_second line_BR_");
    EXPECT_EQ(entry.GetDisplayText(), "first line\r\nsecond line\r\n");
    // A lone line feed is no line break of an edit control and stays.
    entry.SetText("a\nb");
    EXPECT_EQ(entry.text, "a\nb");
}

TEST(EntryText, MultiByteTextKeepsItsLineBreaks)
{
    CEntry entry;
    const std::string typed = "\u0141\u00f3d\u017a\r\n\u20ac 5\r\n\U0001F600";
    entry.SetText(typed);
    EXPECT_EQ(entry.text, "\u0141\u00f3d\u017a_BR_\u20ac 5_BR_\U0001F600");
    EXPECT_EQ(entry.GetDisplayText(), typed);
}

TEST(EntryText, FilterKeepsEveryPrintableCharacter)
{
    std::string printable = "\r\n\t";
    for (int c = 0x20; c < 0x7F; ++c)
        printable += static_cast<char>(c);
    printable += "\u00a0\u00e4\u00df\u00e9\u00ff \u20ac \u0141\u00f3d\u017a \u4e2d \U0001F600 \U0010FFFD";
    EXPECT_EQ(FilterText(printable), printable);
}

TEST(EntryText, FilterDropsControlsAndBytesThatAreNotUtf8)
{
    EXPECT_EQ(FilterText(std::string("a\0b\x01\x1B\x1F\x7Fz", 8)), "abz");
    EXPECT_EQ(FilterText("x\u0080\u0085\u009fy\u00a0"), "xy\u00a0");
    // A lone lead, a stray continuation, an overlong form, a surrogate, and a
    // sequence cut off by the end: each bad byte goes, the letters around stay.
    EXPECT_EQ(FilterText("\xC3x\x80y\xC0\xAFz\xED\xA0\x80w\xE2\x82"), "xyzw");
    EXPECT_EQ(FilterText(Cp1252("M\u00fcller")), "Mller");
}

TEST(EntryKey, NamesKindAndId)
{
    CEntry note;
    note.kind = EntryKind::Note;
    note.id = 12;
    EXPECT_EQ(note.GetKey(), "Zorla 1.0NID:12");
    CEntry reminder;
    reminder.kind = EntryKind::Reminder;
    reminder.id = 3;
    EXPECT_EQ(reminder.GetKey(), "Zorla 1.0TID:3");
}

TEST(EntryDates, ReminderTimeAddsNotifyMinutes)
{
    CEntry entry;
    entry.date = DateTime(2026, 12, 31, 23, 30, 0);
    entry.notify = 33;
    EXPECT_EQ(entry.GetReminderTime().Format("%Y-%m-%d %H:%M:%S"), "2027-01-01 00:03:00");
    entry.notify = 3 * 1440 + 1;
    EXPECT_EQ(entry.GetReminderTime().Format("%Y-%m-%d %H:%M:%S"), "2027-01-03 23:31:00");
}

TEST(EntryDates, InvalidAndNullDatesAreWrittenAsTextAndNotReadBack)
{
    XmlElement root("DATABASE");
    CEntry invalid;
    invalid.date.SetStatus(DateTime::invalid);
    ASSERT_TRUE(invalid.AppendTo(&root));
    CEntry null;
    null.date.SetStatus(DateTime::null);
    ASSERT_TRUE(null.AppendTo(&root));
    EXPECT_EQ(root.getChild(0)->getAttribute("date"), "Invalid DateTime");
    EXPECT_EQ(root.getChild(1)->getAttribute("date"), "");

    CEntry read;
    EXPECT_FALSE(read.ReadFrom(root.getChild(0)));
    EXPECT_FALSE(read.ReadFrom(root.getChild(1)));
    EXPECT_EQ(read.id, 0) << "a failed read leaves the entry alone";
}

TEST(EntryReading, DecimalsSkipSpaceTakeSignAndIgnoreTheRest)
{
    EXPECT_EQ(ReadDecimal(" \t42abc"), 42);
    EXPECT_EQ(ReadDecimal("-7"), -7);
    EXPECT_EQ(ReadDecimal("+5"), 5);
    EXPECT_EQ(ReadDecimal("x5"), 0);
    EXPECT_EQ(ReadDecimal(""), 0);
    EXPECT_EQ(ReadDecimal("- 5"), 0);
    EXPECT_EQ(ReadDecimal("99999999999"), INT_MAX);
    EXPECT_EQ(ReadDecimal("-99999999999"), INT_MIN);
}

TEST(EntryReading, ReadsEveryFieldOfAnEntryElement)
{
    XmlElement element("ENTRY");
    element.setAttribute("_id_", " 12th");
    element.setAttribute("date", "03/14/2004 09:05:00");
    element.setAttribute("notify", "30");
    element.setAttribute("text", "Buy milk_BR_and bread");
    element.setAttribute("wndX", "640");
    element.setAttribute("wndY", "-5px");
    CEntry entry;
    entry.kind = EntryKind::Reminder;
    ASSERT_TRUE(entry.ReadFrom(&element));
    EXPECT_EQ(entry.id, 12);
    EXPECT_EQ(entry.FormatDate("%m/%d/%Y %H:%M:%S"), "03/14/2004 09:05:00");
    EXPECT_EQ(entry.notify, 30);
    EXPECT_EQ(entry.GetDisplayText(), "Buy milk\r\nand bread");
    EXPECT_EQ(entry.wndX, 640);
    EXPECT_EQ(entry.wndY, -5);
    EXPECT_EQ(entry.kind, EntryKind::Reminder) << "kind belongs to the caller";

    XmlElement other("NOTE");
    EXPECT_FALSE(entry.ReadFrom(&other));
}

TEST(EntryReading, DatesFollowUsEnglishConventions)
{
    XmlElement element("ENTRY");
    element.setAttribute("_id_", 1);
    element.setAttribute("text", "t");
    element.setAttribute("wndX", 0);
    element.setAttribute("wndY", 0);
    CEntry entry;
    element.setAttribute("date", "12/07/2026 14:03:40");  // month first
    ASSERT_TRUE(entry.ReadFrom(&element));
    EXPECT_EQ(entry.FormatDate("%Y-%m-%d %H:%M:%S"), "2026-12-07 14:03:40");
    element.setAttribute("date", "31/31/2004 09:05:00");
    EXPECT_FALSE(entry.ReadFrom(&element));
}

// The form the program writes is read without the system's conversion: it must
// give what the system gives, and refuse what the system refuses.
TEST(EntryReading, WrittenDatesReadAsTheSystemReadsThem)
{
    XmlElement element("ENTRY");
    for (const char* name : {"_id_", "text", "wndX", "wndY"})
        element.setAttribute(name, "1");
    std::vector<std::string> texts = {"02/29/2024 23:59:59", "02/29/2025 10:00:00", "12/31/9999 23:59:59",
                                      "01/01/1000 00:00:00", "00/10/2026 10:00:00", "12/07/2026 24:00:00",
                                      "04/31/2026 10:00:00", "12/30/1899 00:00:00", "12/07/2026 14:60:00"};
    std::mt19937 random(7);
    const auto part = [&](unsigned below) { return static_cast<unsigned>(random() % below); };
    for (int i = 0; i < 300; ++i) {
        char text[32];
        std::snprintf(text, sizeof(text), "%02u/%02u/%04u %02u:%02u:%02u", 1 + part(12), 1 + part(31),
                      1000 + part(9000), part(24), part(60), part(60));
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        DateTime system;
        const bool parsed = system.ParseDateTime(text.c_str());
        element.setAttribute("date", text);
        CEntry entry;
        ASSERT_EQ(entry.ReadFrom(&element), parsed) << text;
        if (parsed) {
            EXPECT_EQ(entry.date.Format("%Y-%m-%d %H:%M:%S"), system.Format("%Y-%m-%d %H:%M:%S")) << text;
        }
    }
}
