#include "TempDir.h"

#include "xml/FileNotFoundException.h"
#include "xml/IOException.h"
#include "xml/XML2_Exception.h"
#include "xml/XmlParser.h"

#include <gtest/gtest.h>

using namespace util::xml;
using util::io::FileNotFoundException;
using util::io::IOException;

namespace {

std::unique_ptr<XmlElement> parse(const std::string& text)
{
    return XmlParser().parseBuffer(text.data(), text.size());
}

const char* const ISO_DECLARATION = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";

}  // namespace

TEST(XmlParser, EmptyRootElement)
{
    auto root = parse("<DATABASE/>");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->getName(), "DATABASE");
    EXPECT_EQ(root->getText(), "");
    EXPECT_EQ(root->getAttributeCount(), 0);
    EXPECT_EQ(root->getChildCount(), 0);
    EXPECT_EQ(root->getParent(), nullptr);
}

TEST(XmlParser, BuildsTreeWithParentsAndSortedAttributes)
{
    auto root = parse("<DATABASE><ENTRY text=\"abc\" _id_=\"1\" date=\"d\"/><ENTRY _id_=\"2\">"
                      "<SUB/></ENTRY></DATABASE>");
    ASSERT_EQ(root->getChildCount(), 2);
    const XmlElement* first = root->getChild(0);
    EXPECT_EQ(first->getParent(), root.get());
    ASSERT_EQ(first->getAttributeCount(), 3);
    EXPECT_EQ(first->getAttributeAt(0)->getName(), "_id_");
    EXPECT_EQ(first->getAttributeAt(1)->getName(), "date");
    EXPECT_EQ(first->getAttributeAt(2)->getName(), "text");
    EXPECT_EQ(first->getAttributeAt(2)->getValue(), "abc");
    EXPECT_EQ(root->getChild(1)->getChild(0)->getPath(), "DATABASE.ENTRY.SUB");
}

TEST(XmlParser, IsoDocumentReadsAsUtf8IncludingTheC1Range)
{
    auto root =
        parse(std::string(ISO_DECLARATION) + "<a t=\"\xFC\xE8\x80\x9F\" r=\"&#252;&#8364;\">\xE4\xDF\xE9\x85\xFF</a>");
    EXPECT_EQ(root->getText(), "\xC3\xA4\xC3\x9F\xC3\xA9\xC2\x85\xC3\xBF");
    EXPECT_EQ(root->getAttribute("t"), "\xC3\xBC\xC3\xA8\xC2\x80\xC2\x9F");
    EXPECT_EQ(root->getAttribute("r"), "\xC3\xBC\xE2\x82\xAC");
}

TEST(XmlParser, Utf8DocumentKeepsEveryCharacterInUtf8)
{
    auto root =
        parse("<St\xC3\xA4\x64te \xC3\xA4=\"\xC3\xA4\xF0\x9F\x98\x80\">\xC3\x9F\xE2\x82\xAC</St\xC3\xA4\x64te>");
    EXPECT_EQ(root->getName(), "St\xC3\xA4\x64te");
    EXPECT_EQ(root->getAttributeAt(0)->getName(), "\xC3\xA4");
    EXPECT_EQ(root->getAttributeAt(0)->getValue(), "\xC3\xA4\xF0\x9F\x98\x80");
    EXPECT_EQ(root->getText(), "\xC3\x9F\xE2\x82\xAC");
}

TEST(XmlParser, TextIsAllDirectCharacterData)
{
    auto root = parse("<DATABASE>\n  <ENTRY>one<X>two</X>three</ENTRY>\r\n  <ENTRY/>\n</DATABASE>");
    EXPECT_EQ(root->getText(), "\n  \n  \n");
    EXPECT_EQ(root->getChild(0)->getText(), "onethree");
    EXPECT_EQ(root->getChild(0)->getChild(0)->getText(), "two");
    EXPECT_EQ(parse("<a>x&amp;<![CDATA[<y>]]>&lt;z&gt;</a>")->getText(), "x&<y><z>");
}

TEST(XmlParser, BufferErrorNamesPositionAndOpenElements)
{
    try {
        parse("<DATABASE>\n  <ENTRY>\n</DATABASE>");
        FAIL() << "no exception";
    } catch (const XML2_Exception& e) {
        EXPECT_STREQ(e.what(), "mismatched tag - Buffer at Line: 3 Column: 2");
        EXPECT_EQ(e.getElement(), "DATABASEENTRY");
    }
    try {
        parse("");
        FAIL() << "no exception";
    } catch (const XML2_Exception& e) {
        EXPECT_STREQ(e.what(), "no element found - Buffer at Line: 1 Column: 0");
        EXPECT_EQ(e.toString(), "no element found - Buffer at Line: 1 Column: 0 in element: ");
    }
}

TEST(XmlParser, ParserIsReusableAfterAFailure)
{
    XmlParser parser;
    const std::string bad = "<a><b></a>";
    EXPECT_THROW(parser.parseBuffer(bad.data(), bad.size()), XML2_Exception);
    const std::string good = "<c/>";
    EXPECT_EQ(parser.parseBuffer(good.data(), good.size())->getName(), "c");
}

TEST(XmlParserFile, ReadsFileWithCrLf)
{
    TempDir dir;
    const std::string path =
        dir.write("Zorla_Notes",
                  std::string(ISO_DECLARATION) + "<DATABASE><ENTRY _id_=\"1\" text=\"Gr\xFC\xDF\x65\"/></DATABASE>");
    auto root = XmlParser().parseFile(path);
    ASSERT_EQ(root->getChildCount(), 1);
    EXPECT_EQ(root->getChild(0)->getAttribute("text"), "Gr\xC3\xBC\xC3\x9F\x65");
}

TEST(XmlParserFile, MissingFileThrowsFileNotFoundWithThePath)
{
    TempDir dir;
    const std::string path = dir.file("absent");
    try {
        XmlParser().parseFile(path);
        FAIL() << "no exception";
    } catch (const FileNotFoundException& e) {
        EXPECT_EQ(e.what(), path);
        EXPECT_EQ(e.toString(), "uil.io.FileNotFoundException: " + path);
    }
}

#ifndef _WIN32
// Only a POSIX system opens a folder as a file and then fails to read it.
TEST(XmlParserFile, ReadFailureThrowsIOException)
{
    TempDir dir;
    const std::string path = dir.file("");
    try {
        XmlParser().parseFile(path);
        FAIL() << "no exception";
    } catch (const FileNotFoundException&) {
        FAIL() << "opening succeeded, reading must fail";
    } catch (const IOException& e) {
        EXPECT_EQ(e.what(), "Could not read from file " + path);
    }
}
#endif

TEST(XmlParserFile, UnclosedEntryNamesPathPositionAndElements)
{
    TempDir dir;
    const std::string path = dir.write("Zorla_Timer", "<DATABASE><ENTRY></DATABASE>");
    try {
        XmlParser().parseFile(path);
        FAIL() << "no exception";
    } catch (const XML2_Exception& e) {
        EXPECT_EQ(e.what(), "mismatched tag (" + path + " at 1:19)");
        EXPECT_EQ(e.getElement(), "DATABASEENTRY");
    }
}

// Documents of an exact multiple of the read size end with an empty final read;
// without it expat never learns the document is over.
TEST(XmlParserFile, DocumentsAroundTheReadSize)
{
    TempDir dir;
    const std::string head = "<DATABASE><ENTRY text=\"";
    const std::string tail = "\"/></DATABASE>";
    for (std::size_t size : {std::size_t{65535}, std::size_t{65536}, std::size_t{65537}, std::size_t{131072}}) {
        const std::string doc = head + std::string(size - head.size() - tail.size(), 'x') + tail;
        ASSERT_EQ(doc.size(), size);
        auto root = XmlParser().parseFile(dir.write("complete", doc));
        ASSERT_EQ(root->getChildCount(), 1) << size;
        EXPECT_EQ(root->getChild(0)->getAttribute("text").size(), size - head.size() - tail.size());

        // The same size without the root's end tag must fail, not return a part.
        const std::string open = "<DATABASE>" + std::string(size - 10, ' ');
        ASSERT_EQ(open.size(), size);
        try {
            XmlParser().parseFile(dir.write("truncated", open));
            FAIL() << "truncated document of " << size << " bytes accepted";
        } catch (const XML2_Exception& e) {
            EXPECT_EQ(std::string(e.what()).rfind("no element found (", 0), 0u) << e.what();
            EXPECT_EQ(e.getElement(), "DATABASE");
        }
    }
}

// Text reaches its element whole and in order when expat hands it over in
// pieces across several reads and around a child element.
TEST(XmlParserFile, TextAcrossReadsArrivesWhole)
{
    std::string before, beforeSource, after, afterSource;
    for (int i = 0; beforeSource.size() < 2 * XmlParser::READ_CHUNK_BYTES; ++i) {
        const std::string n = std::to_string(i);
        before += "a" + n + "&\n";
        beforeSource += "a" + n + "&amp;\n";
        after += "z" + n + "<";
        afterSource += "z" + n + "&lt;";
    }
    TempDir dir;
    const std::string doc =
        "<DATABASE>" + beforeSource + "<ENTRY>" + afterSource + "</ENTRY>" + afterSource + "</DATABASE>";
    auto root = XmlParser().parseFile(dir.write("text", doc));
    EXPECT_EQ(root->getText(), before + after);
    ASSERT_EQ(root->getChildCount(), 1);
    EXPECT_EQ(root->getChild(0)->getText(), after);
}
