#include "TempDir.h"
#include "WrittenXml.h"

#include "xml/XmlParser.h"

#include <gtest/gtest.h>

#include <random>

using namespace util::xml;

namespace {

const std::string DECLARATION = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Every character XML 1.0 can carry, from all planes, weighted towards the
// ones the writer treats specially: markup, white space, C1 controls, the
// edges of the UTF-8 lengths, and the store's "_BR_" and CR LF.
std::string randomText(std::mt19937& random)
{
    static const char32_t edges[] = {0x7F,  0x80,   0x85,   0x9F,   0xA0,   0xFF,    0x100,    0x7FF,
                                     0x800, 0xD7FF, 0xE000, 0xFFFD, 0x2028, 0x10000, 0x10FFFF, 0x1F600};
    static const char markup[] = "&<>\"'\t\n\r;#";
    std::string text;
    const int length = static_cast<int>(random() % 40);
    for (int i = 0; i < length; ++i) {
        switch (random() % 8) {
        case 0: text += markup[random() % (sizeof markup - 1)]; break;
        case 1: appendUtf8(text, 0x20 + random() % 0x5F); break;
        case 2: appendUtf8(text, 0x7F + random() % 0x81); break;
        case 3: appendUtf8(text, 0x100 + random() % (0xD800 - 0x100)); break;
        case 4: appendUtf8(text, 0xE000 + random() % (0xFFFE - 0xE000)); break;
        case 5: appendUtf8(text, 0x10000 + random() % 0x100000); break;
        case 6: appendUtf8(text, edges[random() % (sizeof edges / sizeof edges[0])]); break;
        default: text += random() % 2 ? "_BR_" : "\r\n"; break;
        }
    }
    return text;
}

// Below 0x20 only the white space XML 1.0 allows; every other byte is an
// ISO-8859-1 character.
bool onlyIsoCharacters(const std::string& bytes)
{
    for (char b : bytes) {
        const unsigned char c = static_cast<unsigned char>(b);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return false;
    }
    return true;
}

}  // namespace

TEST(XmlRoundTrip, EveryCharacterComesBackInTextAndAttributes)
{
    TempDir dir;
    std::mt19937 random(20261207);
    for (int round = 0; round < 400; ++round) {
        XmlElement root("DATABASE");
        const std::string rootText = randomText(random);
        root.appendText(rootText.data(), rootText.size());
        std::vector<std::string> values;
        for (int i = 0; i < 3; ++i) {
            values.push_back(randomText(random));
            auto entry = std::make_unique<XmlElement>("ENTRY");
            entry->setAttribute("text", values.back());
            entry->appendText(values.back().data(), values.back().size());
            root.addChild(std::move(entry));
        }

        const std::string bytes = written(root, dir);
        ASSERT_EQ(bytes.compare(0, DECLARATION.size(), DECLARATION), 0) << "round " << round;
        ASSERT_TRUE(onlyIsoCharacters(bytes.substr(DECLARATION.size()))) << "round " << round;
        ASSERT_EQ(bytes.find("<?xml", 1), std::string::npos) << "round " << round;

        auto back = XmlParser().parseBuffer(bytes.data(), bytes.size());
        ASSERT_EQ(back->getText(), rootText) << "round " << round;
        ASSERT_EQ(back->getChildCount(), 3);
        for (int i = 0; i < 3; ++i) {
            ASSERT_EQ(back->getChild(i)->getAttribute("text"), values[i]) << "round " << round;
            ASSERT_EQ(back->getChild(i)->getText(), values[i]) << "round " << round;
        }
        ASSERT_EQ(written(*back, dir), bytes) << "round " << round;
    }
}
