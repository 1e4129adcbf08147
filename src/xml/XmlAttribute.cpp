#include "XmlAttribute.h"

#include "SingleByteMapping.h"

#include <utility>

namespace util::xml {

XmlAttribute::XmlAttribute(std::string name, std::string value)
    : XmlNode(std::move(name), TYPE_ATTRIBUTE)
    , m_value(std::move(value))
{
    mapToSingleByte(m_value);
}

XmlAttribute::~XmlAttribute() = default;

}  // namespace util::xml
