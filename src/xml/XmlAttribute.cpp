#include "XmlAttribute.h"

#include <utility>

namespace util::xml {

XmlAttribute::XmlAttribute(std::string name, std::string value)
    : XmlNode(std::move(name), TYPE_ATTRIBUTE)
    , m_value(std::move(value))
{}

XmlAttribute::XmlAttribute(const char* name, const char* value)
    : XmlNode(name, TYPE_ATTRIBUTE)
    , m_value(value)
{}

XmlAttribute::~XmlAttribute() = default;

XmlAttribute::XmlAttribute(XmlAttribute&&) noexcept = default;

XmlAttribute& XmlAttribute::operator=(XmlAttribute&&) noexcept = default;

}  // namespace util::xml
