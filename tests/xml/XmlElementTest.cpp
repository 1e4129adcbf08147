#include "xml/XML2_Exception.h"
#include "xml/XmlElement.h"

#include <gtest/gtest.h>

#include <climits>

using namespace util::xml;

namespace {

std::vector<std::string> attributeNames(const XmlElement& element)
{
    std::vector<std::string> names;
    for (int i = 0; i < element.getAttributeCount(); ++i)
        names.push_back(element.getAttributeAt(i)->getName());
    return names;
}

XmlElement* addEntry(XmlElement& root, const std::string& id)
{
    auto entry = std::make_unique<XmlElement>("ENTRY");
    entry->setAttribute("_id_", id);
    return root.addChild(std::move(entry));
}

}  // namespace

TEST(XmlElement, NewNodesAreEmptyAndCarryTheirTypeCodes)
{
    XmlElement element("DATABASE");
    EXPECT_EQ(element.getType(), 1);
    EXPECT_EQ(element.getName(), "DATABASE");
    EXPECT_EQ(element.getText(), "");
    EXPECT_EQ(element.getChildCount(), 0);
    EXPECT_EQ(element.getAttributeCount(), 0);
    EXPECT_EQ(element.getParent(), nullptr);
    EXPECT_EQ(XmlAttribute("a", "b").getType(), 2);
    EXPECT_EQ(XmlNode("n").getType(), -1);
}

TEST(XmlElement, ChildrenKeepOrderAndParent)
{
    XmlElement root("DATABASE");
    XmlElement* first = root.addChild(std::make_unique<XmlElement>("ENTRY"));
    root.addChild(std::make_unique<XmlElement>("entry"));
    XmlElement* third = root.addChild(std::make_unique<XmlElement>("ENTRY"));
    ASSERT_EQ(root.getChildCount(), 3);
    EXPECT_EQ(first->getParent(), &root);
    EXPECT_EQ(root.getChild(2), third);
    EXPECT_EQ(root.getChild(3), nullptr);
    EXPECT_EQ(root.getChild(-1), nullptr);
    EXPECT_EQ(root.findChild("ENTRY"), first);
    EXPECT_EQ(root.findChild("entry"), root.getChild(1));
    EXPECT_EQ(root.findChild("Entry"), nullptr);

    root.removeChild(0);
    ASSERT_EQ(root.getChildCount(), 2);
    EXPECT_EQ(root.getChild(1), third);
    root.removeChild(5);
    EXPECT_EQ(root.getChildCount(), 2);
    EXPECT_EQ(third->getPath(), "DATABASE.ENTRY");
    EXPECT_EQ(root.getPath(), "DATABASE");
}

TEST(XmlElement, AttributesAreOrderedByteWiseByName)
{
    XmlElement entry("ENTRY");
    entry.setAttribute("text", "abc");
    entry.setAttribute("_id_", 1);
    entry.setAttribute("date", "03/14/2004 09:05:00");
    entry.setAttribute("wndY", 2);
    entry.setAttribute("wndX", 3);
    EXPECT_EQ(attributeNames(entry), (std::vector<std::string>{"_id_", "date", "text", "wndX", "wndY"}));
    EXPECT_EQ(entry.getAttributeAt(5), nullptr);

    // Shorter name first on a common prefix; bytes compare unsigned.
    XmlElement other("x");
    other.setAttribute("\xE4", "");
    other.setAttribute("ab", "");
    other.setAttribute("a", "");
    other.setAttribute("Z", "");
    EXPECT_EQ(attributeNames(other), (std::vector<std::string>{"Z", "a", "ab", "\xE4"}));
}

TEST(XmlElement, SetAttributeReplacesKeepsUtf8AndWritesDecimal)
{
    XmlElement entry("ENTRY");
    entry.setAttribute("wndX", -1);
    entry.setAttribute("notify", INT_MIN);
    entry.setAttribute("wndX", 640);
    EXPECT_EQ(entry.getAttributeCount(), 2);
    EXPECT_EQ(entry.getAttribute("wndX"), "640");
    EXPECT_EQ(entry.getAttribute("notify"), "-2147483648");

    entry.setAttribute("text", "Gr\xC3\xBC\xC3\x9F\x65 \xC3\xA8");
    EXPECT_EQ(entry.getAttribute("text"), "Gr\xC3\xBC\xC3\x9F\x65 \xC3\xA8");

    entry.setAttribute("empty", "");
    ASSERT_TRUE(entry.findAttribute("empty").has_value());
    EXPECT_EQ(*entry.findAttribute("empty"), "");
    EXPECT_FALSE(entry.findAttribute("wndY").has_value());
}

TEST(XmlElement, AttributesKeepTheirValuesWhileOthersAreInsertedBeforeThem)
{
    // Values too long to sit inside the string itself, moved by every
    // insertion in front of them and by the vector growing.
    const std::string longValue(100, 'v');
    XmlElement entry("ENTRY");
    entry.setAttribute("z", longValue);
    entry.setAttribute("y", "short");
    for (int i = 0; i < 20; ++i)
        entry.setAttribute("a" + std::to_string(i), longValue + std::to_string(i));
    entry.setAttribute("z", longValue + "z");

    ASSERT_EQ(entry.getAttributeCount(), 22);
    EXPECT_EQ(entry.getAttribute("z"), longValue + "z");
    EXPECT_EQ(entry.getAttribute("y"), "short");
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(entry.getAttribute("a" + std::to_string(i)), longValue + std::to_string(i));
    EXPECT_EQ(entry.getAttributeAt(21)->getName(), "z");
    EXPECT_EQ(entry.getAttributeAt(21)->getValue(), longValue + "z");
}

TEST(XmlElement, SetAttributesSortsAndLetsTheLastOfANameWin)
{
    XmlElement few("ENTRY");
    few.setAttribute("b", "old");
    const char* const pairs[] = {"text", "\xC3\xBC", "_id_", "1", "b", "new", "a", "x", "b", "newer", nullptr};
    few.setAttributes(pairs);
    EXPECT_EQ(attributeNames(few), (std::vector<std::string>{"_id_", "a", "b", "text"}));
    EXPECT_EQ(few.getAttribute("b"), "newer");
    EXPECT_EQ(few.getAttribute("text"), "\xC3\xBC");

    // Past the small-count path: 40 names in descending order, one repeated.
    std::vector<std::string> names;
    for (int i = 39; i >= 0; --i)
        names.push_back("n" + std::to_string(100 + i));
    names.push_back("n120");
    std::vector<const char*> many;
    for (std::size_t i = 0; i < names.size(); ++i) {
        many.push_back(names[i].c_str());
        many.push_back(i + 1 == names.size() ? "last" : "first");
    }
    many.push_back(nullptr);
    XmlElement element("x");
    element.setAttributes(many.data());
    ASSERT_EQ(element.getAttributeCount(), 40);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(element.getAttributeAt(i)->getName(), "n" + std::to_string(100 + i));
    EXPECT_EQ(element.getAttribute("n120"), "last");
}

TEST(XmlElement, MissingRequiredAttributeThrowsWithEmptyElement)
{
    XmlElement entry("ENTRY");
    try {
        entry.getAttribute("wndY");
        FAIL() << "no exception";
    } catch (const XML2_Exception& e) {
        EXPECT_STREQ(e.what(), "Attribute not found: [wndY]");
        EXPECT_EQ(e.getElement(), "");
        EXPECT_EQ(e.toString(), "Attribute not found: [wndY] in element: ");
    }
}

TEST(XmlElement, AssignIdTakesOneMoreThanTheLargest)
{
    XmlElement root("DATABASE");
    XmlElement first("ENTRY");
    EXPECT_EQ(first.assignId(&root, 0), 1);
    EXPECT_EQ(first.getAttribute("_id_"), "1");

    addEntry(root, "1");
    addEntry(root, "2");
    addEntry(root, "7");
    XmlElement* eighth = root.addChild(std::make_unique<XmlElement>("ENTRY"));
    EXPECT_EQ(eighth->assignId(&root, 0), 8);
    // The element was already a child: it now counts too.
    XmlElement ninth("ENTRY");
    EXPECT_EQ(ninth.assignId(&root, 0), 9);

    root.removeChild(3);
    XmlElement again("ENTRY");
    EXPECT_EQ(again.assignId(&root, 0), 8);

    XmlElement kept("ENTRY");
    EXPECT_EQ(kept.assignId(&root, 5), 5);
    EXPECT_EQ(kept.getAttribute("_id_"), "5");
    EXPECT_EQ(kept.assignId(nullptr, 0), 1);
}

TEST(XmlElement, AssignIdReadsIdsLikeDecimalConversionAndNeverOverflows)
{
    XmlElement root("DATABASE");
    addEntry(root, "  12abc");
    addEntry(root, "x99");
    addEntry(root, "-40");
    root.addChild(std::make_unique<XmlElement>("OTHER"));
    XmlElement entry("ENTRY");
    EXPECT_EQ(entry.assignId(&root, 0), 13);

    XmlElement full("DATABASE");
    addEntry(full, "1");
    addEntry(full, "3");
    addEntry(full, "99999999999999999999");
    EXPECT_EQ(entry.assignId(&full, 0), 2);
}

TEST(XmlElement, DestroysVeryDeepTreesWithoutRecursion)
{
    auto root = std::make_unique<XmlElement>("a");
    XmlElement* leaf = root.get();
    for (int i = 0; i < 200000; ++i)
        leaf = leaf->addChild(std::make_unique<XmlElement>("a"));
    leaf->addChild(std::make_unique<XmlElement>("b"));
    root->removeChild(0);
    EXPECT_EQ(root->getChildCount(), 0);
}
