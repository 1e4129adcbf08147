#pragma once

#include <string>

// Error codes of the picture layer.
enum PLErrorCode {
    PL_ERRFILE_NOT_FOUND = 1,
    PL_ERRUNKNOWN_FILE_TYPE = 2,
    PL_ERRNO_MEMORY = 3,
    PL_ERRFORMAT_NOT_SUPPORTED = 4,
    PL_ERRFORMAT_UNKNOWN = 5,
};

// What the picture layer throws: a code and the text shown to the user.
class PLTextException {
public:
    PLTextException(int code, std::string text)
        : m_code(code)
        , m_text(std::move(text))
    {}

    int Code() const { return m_code; }
    const std::string& Text() const { return m_text; }

private:
    int m_code;
    std::string m_text;
};
