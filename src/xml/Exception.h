#pragma once

#include <stdexcept>
#include <string>

namespace util::io {

// Base of every exception the XML layer throws: a message (what()) plus the
// dotted type name that toString() puts in front of it.
class Exception : public std::runtime_error {
public:
    // A null type name counts as empty.
    Exception(const char* typeName, const std::string& message);
    ~Exception() override;

    virtual std::string toString() const;

    // Shows toString() in a warning box. Defined with the Windows part of the
    // program, so this layer stays free of <windows.h>.
    void showMessage() const;

    const std::string& getTypeName() const { return m_typeName; }

protected:
    void setTypeName(const std::string& typeName) { m_typeName = typeName; }

private:
    std::string m_typeName;
};

} // namespace util::io
