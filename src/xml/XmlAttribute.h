#pragma once

#include "XmlNode.h"

#include <string>

namespace util::xml {

class XmlAttribute : public XmlNode {
public:
    XmlAttribute(std::string name, std::string value);
    XmlAttribute(const char* name, const char* value);
    ~XmlAttribute() override;
    // An element keeps its attributes by value in one block: no allocation
    // per attribute when a document is read.
    XmlAttribute(XmlAttribute&&) noexcept;
    XmlAttribute& operator=(XmlAttribute&&) noexcept;

    const std::string& getValue() const { return m_value; }

private:
    std::string m_value;
};

}  // namespace util::xml
