#include "GoldenFiles.h"
#include "TempDir.h"
#include "WrittenXml.h"

#include "xml/XmlParser.h"

#include <gtest/gtest.h>

using namespace util::xml;

namespace {

std::unique_ptr<XmlElement> parse(const std::string& bytes)
{
    return XmlParser().parseBuffer(bytes.data(), bytes.size());
}

std::string textOf(const XmlElement& root, int entry)
{
    return root.getChild(entry)->getAttribute("text");
}

}  // namespace

TEST(GoldenFiles, WrittenBackByteForByte)
{
    for (const std::string* file :
         {&GoldenFiles::NOTES, &GoldenFiles::REMINDERS, &GoldenFiles::LATIN1, &GoldenFiles::WEATHER})
        EXPECT_EQ(written(*parse(*file)), *file);
}

TEST(GoldenFiles, NotesReadAsUtf8)
{
    auto notes = parse(GoldenFiles::NOTES);
    EXPECT_EQ(textOf(*notes, 0), "Gr\u00fc\u00dfe an M\u00fcller_BR_\u00c4pfel, \u00d6l & \u00dcberraschung");
    EXPECT_EQ(textOf(*notes, 1), "Sagte \"Zur Linde\" <Bar> f\u00fcr 5 \u00e4 \u00f6 \u00fc");
    EXPECT_EQ(notes->getChild(0)->getAttribute("wndX"), "640");
    EXPECT_EQ(textOf(*parse(GoldenFiles::REMINDERS), 0), "Zahnarzt_BR__BR_nicht vergessen!");
}

TEST(GoldenFiles, Latin1AndReferencesReadAsUtf8)
{
    std::string c1;
    for (int c = 0x80; c <= 0x9F; ++c)
        c1 += {'\xC2', static_cast<char>(c)};
    auto notes = parse(GoldenFiles::LATIN1);
    EXPECT_EQ(textOf(*notes, 0),
              "caf\u00e9 \u00e8 \u00b0C \u00bd \u00ff \"quoted\" & <x> \u20ac5 \u0141\u00f3d\u017a_BR_C1:" + c1);
    EXPECT_EQ(textOf(*notes, 1), "\u00a0\u00a9\u00ae\u00d7\u00f7 Stra\u00dfe");
}

TEST(GoldenFiles, WeatherCitiesReadAsUtf8)
{
    auto weather = parse(GoldenFiles::WEATHER);
    const XmlElement* cities = weather->findChild("WEATHER");
    ASSERT_EQ(cities->getChildCount(), 3);
    EXPECT_EQ(cities->getChild(0)->getText(), "Z\u00fcrich");
    EXPECT_EQ(cities->getChild(1)->getText(), "Krak\u00f3w");
    EXPECT_EQ(cities->getChild(2)->getText(), "\u0141\u00f3d\u017a");
}
