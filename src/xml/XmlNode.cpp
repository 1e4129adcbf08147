#include "XmlNode.h"

#include <utility>

namespace util::xml {

XmlNode::XmlNode(std::string name, int type)
    : m_type(type)
    , m_name(std::move(name))
{}

XmlNode::XmlNode(const char* name, int type)
    : m_type(type)
    , m_name(name)
{}

XmlNode::~XmlNode() = default;

}  // namespace util::xml
