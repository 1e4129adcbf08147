#pragma once

#include <string>

namespace util::xml {

class XmlElement;

// Common part of elements and attributes: a type code, a name and the element
// that holds the node (null for attributes and for a root).
class XmlNode {
public:
    static constexpr int TYPE_NODE = -1;
    static constexpr int TYPE_ELEMENT = 1;  // DOM numbering
    static constexpr int TYPE_ATTRIBUTE = 2;

    explicit XmlNode(std::string name, int type = TYPE_NODE);
    // From the parser's C strings: copied once, with no string to pass on.
    explicit XmlNode(const char* name, int type = TYPE_NODE);
    virtual ~XmlNode();

    XmlNode(const XmlNode&) = delete;
    XmlNode& operator=(const XmlNode&) = delete;

    int getType() const { return m_type; }
    const std::string& getName() const { return m_name; }
    XmlElement* getParent() const { return m_parent; }

protected:
    // For attributes, which their element keeps by value.
    XmlNode(XmlNode&&) noexcept = default;
    XmlNode& operator=(XmlNode&&) noexcept = default;

    void setParent(XmlElement* parent) { m_parent = parent; }

private:
    int m_type;
    std::string m_name;
    XmlElement* m_parent = nullptr;  // not owned
};

}  // namespace util::xml
