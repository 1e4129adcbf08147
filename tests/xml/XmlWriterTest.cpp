#include "TempDir.h"
#include "WrittenXml.h"

#include "xml/IOException.h"
#include "xml/XmlParser.h"
#include "xml/XmlWriter.h"

#include <gtest/gtest.h>

using namespace util::xml;
using util::io::IOException;

namespace {

const std::string DECLARATION = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";

std::unique_ptr<XmlElement> reparsed(const XmlElement& root)
{
    const std::string bytes = written(root);
    return XmlParser().parseBuffer(bytes.data(), bytes.size());
}

std::unique_ptr<XmlElement> parse(const std::string& text)
{
    return XmlParser().parseBuffer(text.data(), text.size());
}

}  // namespace

TEST(XmlWriter, EntryStoreFileBytes)
{
    XmlElement root("DATABASE");
    auto entry = std::make_unique<XmlElement>("ENTRY");
    entry->setAttribute("text", "abc");
    entry->setAttribute("_id_", 1);
    root.addChild(std::move(entry));
    root.addChild(std::make_unique<XmlElement>("ENTRY"));
    EXPECT_EQ(written(root), DECLARATION + "<DATABASE><ENTRY _id_=\"1\" text=\"abc\"/><ENTRY/></DATABASE>");
    EXPECT_EQ(written(XmlElement("DATABASE")), DECLARATION + "<DATABASE/>");
}

TEST(XmlWriter, TextGoesBetweenTagsAndBeforeChildren)
{
    auto root = parse("<w a=\"1\">one<c>two</c>three<d/></w>");
    EXPECT_EQ(written(*root), DECLARATION + "<w a=\"1\">onethree<c>two</c><d/></w>");
    EXPECT_EQ(written(*parse("<t>hello</t>")), DECLARATION + "<t>hello</t>");
}

TEST(XmlWriter, EscapesMarkupCharacters)
{
    XmlElement root("a");
    root.setAttribute("v", "x & y < z > \"q\" 'p'");
    root.appendText("x & y < z > \"q\" 'p'", 19);
    EXPECT_EQ(written(root), DECLARATION + "<a v=\"x &amp; y &lt; z > &quot;q&quot; 'p'\">"
                                           "x &amp; y &lt; z &gt; \"q\" 'p'</a>");
}

TEST(XmlWriter, BytesThatAreNotUtf8GoOutAsTheirLatin1Characters)
{
    XmlElement root("a");
    root.setAttribute("text", "Gr\xFC\xDF\x65 \x80 \xC3\xA4\xC3");
    EXPECT_EQ(written(root), DECLARATION + "<a text=\"Gr\xFC\xDF\x65 \x80 \xE4\xC3\"/>");
    EXPECT_EQ(reparsed(root)->getAttribute("text"), "Gr\xC3\xBC\xC3\x9F\x65 \xC2\x80 \xC3\xA4\xC3\x83");
}

TEST(XmlWriter, LeavesOutWhatXml10CannotCarryAndStaysReadable)
{
    XmlElement root("a");
    root.setAttribute("v", std::string("a\0b\x01\x1F\x7F", 6) + "\xEF\xBF\xBE\xEF\xBF\xBF\xEF\xBF\xBD");
    root.appendText("\x08x\x0By", 4);
    EXPECT_EQ(written(root), DECLARATION + "<a v=\"ab\x7F&#65533;\">xy</a>");
    EXPECT_EQ(reparsed(root)->getAttribute("v"), "ab\x7F\xEF\xBF\xBD");
}

TEST(XmlWriter, RoundTripKeepsTextAndAttributes)
{
    const std::string note =
        "Milch & Brot <kaufen> \"heute\"_BR_gr\xC3\xBC\xC3\x9F\x65n \xC3\x84\xC3\x96\xC3\x9C\xC3\xA9";
    XmlElement root("DATABASE");
    auto entry = std::make_unique<XmlElement>("ENTRY");
    entry->setAttribute("text", note);
    root.addChild(std::move(entry));
    EXPECT_EQ(reparsed(root)->getChild(0)->getAttribute("text"), note);

    // White space expat would normalise, and letters beyond ISO-8859-1.
    auto source = parse("<r a=\"&#9;&#10;&#13;\xC3\xA8\xE2\x82\xAC\">&#13;\n\xC3\xA8\xE2\x82\xAC"
                        "<St\xC3\xA4\x64t/></r>");
    auto again = reparsed(*source);
    EXPECT_EQ(again->getAttribute("a"), "\t\n\r\xC3\xA8\xE2\x82\xAC");
    EXPECT_EQ(again->getText(), "\r\n\xC3\xA8\xE2\x82\xAC");
    EXPECT_EQ(again->getChild(0)->getName(), "St\xC3\xA4\x64t");
    EXPECT_EQ(written(*source), DECLARATION + "<r a=\"&#9;&#10;&#13;\xE8&#8364;\">&#13;\n\xE8&#8364;"
                                              "<St\xE4\x64t/></r>");
}

TEST(XmlWriter, UnwritableFileRaisesIOException)
{
    TempDir dir;
    XmlWriter writer(dir.file("missing-folder/out.xml"));
    try {
        writer.writeDocument(XmlElement("DATABASE"));
        FAIL() << "no exception";
    } catch (const IOException& e) {
        EXPECT_STREQ(e.what(), "Could not write to stream.");
        EXPECT_EQ(e.toString(), "util.io.IOException: Could not write to stream.");
    }
    EXPECT_THROW(writer.writeElement(0, XmlElement("x")), IOException);
    EXPECT_THROW(writer.close(), IOException);
}
