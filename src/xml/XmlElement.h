#pragma once

#include "XmlAttribute.h"
#include "XmlNode.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace util::xml {

// An element with its text, its attributes (ordered byte-wise by name) and its
// children (in document order). It owns its whole subtree. Names, text and
// values are UTF-8, as expat hands them over.
class XmlElement : public XmlNode {
public:
    explicit XmlElement(std::string name);
    explicit XmlElement(const char* name);
    // Tears the subtree down without recursion, so a hostile, very deep
    // document cannot overflow the stack.
    ~XmlElement() override;

    const std::string& getText() const { return m_text; }
    // Appends character data.
    void appendText(const char* data, std::size_t length);

    int getChildCount() const { return static_cast<int>(m_children.size()); }
    // Null for an index outside 0..count-1.
    XmlElement* getChild(int index) const;
    // First child of that name (case-sensitive), or null.
    XmlElement* findChild(const std::string& name) const;
    // Takes ownership, sets the child's parent and appends it; returns the child.
    XmlElement* addChild(std::unique_ptr<XmlElement> child);
    // Destroys the child at index and closes the gap; an index outside the range is ignored.
    void removeChild(int index);

    int getAttributeCount() const { return static_cast<int>(m_attributes.size()); }
    // The index-th attribute in name order, or null.
    const XmlAttribute* getAttributeAt(int index) const;
    std::optional<std::string> findAttribute(const std::string& name) const;
    // Throws XML2_Exception "Attribute not found: [name]" when missing.
    std::string getAttribute(const std::string& name) const;
    // Replaces an existing attribute of that name.
    void setAttribute(std::string name, std::string text);
    void setAttribute(std::string name, int value);
    // Name/value pairs ending in a null name, as expat hands them over; the
    // same as setAttribute for each pair in order, but sorts only once.
    void setAttributes(const char* const* pairs);

    // Names from the root down to this element, joined by ".".
    std::string getPath() const;

    // Gives this element its "_id_": currentId when non-zero, otherwise one more
    // than the largest "_id_" among parent's children. Returns the id.
    int assignId(XmlElement* parent, int currentId);

private:
    using Attributes = std::vector<XmlAttribute>;

    Attributes::const_iterator lowerBound(const std::string& name) const;

    std::string m_text;
    // Sorted byte-wise by name, names unique. Elements have few attributes:
    // held by value, they cost the element one allocation for all of them.
    Attributes m_attributes;
    std::vector<std::unique_ptr<XmlElement>> m_children;
};

// Leading white space, an optional sign and the digits that follow, the way the
// program reads its numeric attributes: the rest is ignored, anything else reads
// as 0, and values beyond the int range are clamped.
int readDecimal(const std::string& text);

}  // namespace util::xml
