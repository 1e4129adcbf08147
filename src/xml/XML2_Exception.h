#pragma once

#include "Exception.h"

#include <string>

namespace util::xml {

// A document that does not parse, or a required attribute that is missing.
// The element text tells where in the document the error lies.
class XML2_Exception : public util::io::Exception {
public:
    explicit XML2_Exception(const std::string& message);

    void setElement(const std::string& element) { m_element = element; }
    const std::string& getElement() const { return m_element; }

    std::string toString() const override;

private:
    std::string m_element;
};

}  // namespace util::xml
