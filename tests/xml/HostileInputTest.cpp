#include "TempDir.h"

#include "xml/XML2_Exception.h"
#include "xml/XmlParser.h"
#include "xml/XmlWriter.h"

#include <gtest/gtest.h>

using namespace util::xml;

namespace {

std::unique_ptr<XmlElement> parse(const std::string& text)
{
    return XmlParser().parseBuffer(text.data(), text.size());
}

// The message of the XML2_Exception the document raises, or "" when it parses.
std::string failure(const std::string& text)
{
    try {
        parse(text);
    } catch (const XML2_Exception& e) {
        return e.what();
    }
    return "";
}

bool startsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string entityChain(int count)
{
    std::string doc = "<!DOCTYPE a [";
    for (int i = 0; i < count; ++i) {
        const std::string value = i + 1 < count ? "&e" + std::to_string(i + 1) + ";" : "end";
        doc += "<!ENTITY e" + std::to_string(i) + " \"" + value + "\">";
    }
    return doc + "]><a b=\"&e0;\">&e0;</a>";
}

}  // namespace

TEST(HostileInput, VeryDeepDocumentParsesWritesAndFrees)
{
    const int depth = 100000;
    std::string doc;
    for (int i = 0; i < depth; ++i)
        doc += "<n>";
    doc += "leaf";
    for (int i = 0; i < depth; ++i)
        doc += "</n>";

    auto root = parse(doc);
    const XmlElement* leaf = root.get();
    while (leaf->getChildCount() > 0)
        leaf = leaf->getChild(0);
    EXPECT_EQ(leaf->getText(), "leaf");

    TempDir dir;
    const std::string path = dir.file("deep.xml");
    XmlWriter writer(path);
    writer.writeDocument(*root);
    writer.close();
    EXPECT_EQ(TempDir::read(path).size(), doc.size() + 45);
    EXPECT_TRUE(XmlParser().parseFile(path));

    // A deep document that breaks off names every open element.
    XmlParser parser;
    try {
        parser.parseBuffer(doc.data(), static_cast<std::size_t>(depth) * 3);
        FAIL() << "no exception";
    } catch (const XML2_Exception& e) {
        EXPECT_EQ(e.getElement().size(), static_cast<std::size_t>(depth));
    }
}

TEST(HostileInput, EntityExpansionIsBounded)
{
    std::string laughs = "<!DOCTYPE a [<!ENTITY l0 \"ha\">";
    for (int i = 1; i <= 10; ++i) {
        const std::string previous = "&l" + std::to_string(i - 1) + ";";
        std::string value;
        for (int k = 0; k < 10; ++k)
            value += previous;
        laughs += "<!ENTITY l" + std::to_string(i) + " \"" + value + "\">";
    }
    laughs += "]><a>&l10;</a>";
    EXPECT_TRUE(startsWith(failure(laughs), "limit on input amplification factor")) << failure(laughs);

    // One large entity used many times.
    std::string blowup = "<!DOCTYPE a [<!ENTITY big \"" + std::string(100000, 'x') + "\">]><a>";
    for (int i = 0; i < 1000; ++i)
        blowup += "&big;";
    blowup += "</a>";
    EXPECT_TRUE(startsWith(failure(blowup), "limit on input amplification factor")) << failure(blowup);
}

TEST(HostileInput, LongEntityChainsAreRefusedBeforeExpatRecursesDeeply)
{
    auto root = parse(entityChain(XmlParser::MAX_ENTITY_DECLARATIONS));
    EXPECT_EQ(root->getText(), "end");
    EXPECT_EQ(root->getAttribute("b"), "end");

    EXPECT_TRUE(startsWith(failure(entityChain(20000)), "too many entity declarations - Buffer at"))
        << failure(entityChain(20000));
}

TEST(HostileInput, HugeAttributeAndText)
{
    const std::string big(10 * 1024 * 1024, 'v');
    auto root = parse("<a v=\"" + big + "\">" + big + "</a>");
    EXPECT_EQ(root->getAttribute("v").size(), big.size());
    EXPECT_EQ(root->getText().size(), big.size());
}

TEST(HostileInput, InvalidEncodingsFail)
{
    const char* const documents[] = {
        "<a>\xFF</a>",
        "<a>\xC3</a>",
        "<a>\xC0\xAF</a>",          // overlong
        "<a>\xED\xA0\x80</a>",      // surrogate
        "<a>\xF4\x90\x80\x80</a>",  // beyond U+10FFFF
        "<a b=\"\x80\"/>",
        "<a>&#0;</a>",
        "<a>\x01</a>",
        "<?xml version=\"1.0\" encoding=\"windows-1252\"?><a/>",
        "<\xC3\xA4\xFF/>",
    };
    for (const char* doc : documents)
        EXPECT_NE(failure(doc), "") << doc;
}

TEST(HostileInput, EveryTruncationEndsInAnExceptionOrATree)
{
    const std::string doc = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<!-- c --><DATABASE>"
                            "<ENTRY _id_=\"1\" date=\"03/14/2004 09:05:00\" text=\"Gr\xFC\xDF\x65 &amp; &#252;\" "
                            "wndX=\"640\" wndY=\"120\"/><![CDATA[x]]><?pi x?></DATABASE>\n";
    for (std::size_t length = 0; length < doc.size(); ++length) {
        const std::string message = failure(doc.substr(0, length));
        const bool complete = length >= doc.size() - 1;
        EXPECT_EQ(message.empty(), complete) << length << ": " << message;
    }
}

TEST(HostileInput, OversizedDocumentsAreRefused)
{
    const std::string doc = "<a>" + std::string(XmlParser::MAX_DOCUMENT_BYTES, ' ') + "</a>";
    EXPECT_EQ(failure(doc), "document too large - Buffer at Line: 1 Column: 0");

    // Few bytes but very many nodes.
    std::string wide = "<a>";
    for (std::size_t i = 1; i < XmlParser::MAX_NODES / 2; ++i)
        wide += "<b c=\"\"/>";  // root plus these: one node short of the limit
    EXPECT_EQ(failure(wide + "</a>"), "");
    std::string attributes = "<a";
    for (std::size_t i = 0; i <= XmlParser::MAX_NODES / 2; ++i)
        attributes += " c" + std::to_string(i) + "=\"\"";
    EXPECT_TRUE(startsWith(failure(wide + attributes + "/></a>"), "document too large - Buffer at"));

    TempDir dir;
    const std::string path = dir.write("big", doc);
    try {
        XmlParser().parseFile(path);
        FAIL() << "no exception";
    } catch (const XML2_Exception& e) {
        EXPECT_TRUE(startsWith(e.what(), "document too large (" + path + " at 1:")) << e.what();
        EXPECT_EQ(e.getElement(), "a");
    }
}
