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

    // The layer shows nothing itself: whoever catches shows toString() (a
    // warning box captioned "Exception", ShowExceptionText).

    const std::string& getTypeName() const { return m_typeName; }

protected:
    void setTypeName(const std::string& typeName) { m_typeName = typeName; }

private:
    std::string m_typeName;
};

}  // namespace util::io
