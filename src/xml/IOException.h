#pragma once

#include "Exception.h"

namespace util::io {

class IOException : public Exception {
public:
    explicit IOException(const std::string& message);
};

}  // namespace util::io
