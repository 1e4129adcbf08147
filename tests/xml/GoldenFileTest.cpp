#include "GoldenFiles.h"
#include "TempDir.h"

#include "xml/XmlParser.h"
#include "xml/XmlWriter.h"

#include <gtest/gtest.h>

using namespace util::xml;

namespace {

std::unique_ptr<XmlElement> parse(const std::string& bytes)
{
    return XmlParser().parseBuffer(bytes.data(), bytes.size());
}

std::string written(const XmlElement& root)
{
    TempDir dir;
    const std::string path = dir.file("out.xml");
    XmlWriter writer(path);
    writer.writeDocument(root);
    writer.close();
    return TempDir::read(path);
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
    EXPECT_EQ(textOf(*notes, 0), "Gr\xC3\xBC\xC3\x9F" "e an M\xC3\xBCller_BR_\xC3\x84pfel, \xC3\x96l & \xC3\x9C"
                                 "berraschung");
    EXPECT_EQ(textOf(*notes, 1), "Sagte \"Zur Linde\" <Bar> f\xC3\xBCr 5 \xC3\xA4 \xC3\xB6 \xC3\xBC");
    EXPECT_EQ(notes->getChild(0)->getAttribute("wndX"), "640");
    EXPECT_EQ(textOf(*parse(GoldenFiles::REMINDERS), 0), "Zahnarzt_BR__BR_nicht vergessen!");
}

TEST(GoldenFiles, Latin1AndReferencesReadAsUtf8)
{
    std::string c1;
    for (int c = 0x80; c <= 0x9F; ++c)
        c1 += {'\xC2', static_cast<char>(c)};
    auto notes = parse(GoldenFiles::LATIN1);
    EXPECT_EQ(textOf(*notes, 0), "caf\xC3\xA9 \xC3\xA8 \xC2\xB0" "C \xC2\xBD \xC3\xBF \"quoted\" & <x> \xE2\x82\xAC"
                                 "5 \xC5\x81\xC3\xB3" "d\xC5\xBA_BR_C1:" + c1);
    EXPECT_EQ(textOf(*notes, 1), "\xC2\xA0\xC2\xA9\xC2\xAE\xC3\x97\xC3\xB7 Stra\xC3\x9F" "e");
}

TEST(GoldenFiles, WeatherCitiesReadAsUtf8)
{
    auto weather = parse(GoldenFiles::WEATHER);
    const XmlElement* cities = weather->findChild("WEATHER");
    ASSERT_EQ(cities->getChildCount(), 3);
    EXPECT_EQ(cities->getChild(0)->getText(), "Z\xC3\xBCrich");
    EXPECT_EQ(cities->getChild(1)->getText(), "Krak\xC3\xB3w");
    EXPECT_EQ(cities->getChild(2)->getText(), "\xC5\x81\xC3\xB3" "d\xC5\xBA");
}
