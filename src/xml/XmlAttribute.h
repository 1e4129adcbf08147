#pragma once

#include "XmlNode.h"

#include <string>

namespace util::xml {

class XmlAttribute : public XmlNode {
public:
    XmlAttribute(std::string name, std::string value);
    ~XmlAttribute() override;

    const std::string& getValue() const { return m_value; }

private:
    std::string m_value;
};

}  // namespace util::xml
