#pragma once

#include "IOException.h"

namespace util::io {

// The message is the path of the file that could not be opened.
class FileNotFoundException : public IOException {
public:
    explicit FileNotFoundException(const std::string& path);
};

}  // namespace util::io
