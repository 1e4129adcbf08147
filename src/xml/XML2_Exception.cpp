#include "XML2_Exception.h"

namespace util::xml {

XML2_Exception::XML2_Exception(const std::string& message)
    : Exception("util.xml.XML2_Exception", message)
{}

std::string XML2_Exception::toString() const
{
    return std::string(what()) + " in element: " + m_element;
}

}  // namespace util::xml
