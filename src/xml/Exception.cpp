#include "Exception.h"

namespace util::io {

Exception::Exception(const char* typeName, const std::string& message)
    : std::runtime_error(message)
    , m_typeName(typeName ? typeName : "")
{}

Exception::~Exception() = default;

std::string Exception::toString() const
{
    return m_typeName + ": " + what();
}

}  // namespace util::io
