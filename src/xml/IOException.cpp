#include "IOException.h"

namespace util::io {

IOException::IOException(const std::string& message)
    : Exception("util.io.IOException", message)
{}

}  // namespace util::io
