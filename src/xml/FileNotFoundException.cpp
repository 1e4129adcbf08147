#include "FileNotFoundException.h"

namespace util::io {

FileNotFoundException::FileNotFoundException(const std::string& path)
    : IOException(path)
{
    // "uil" is the established type name users and old reports know; keep it.
    setTypeName("uil.io.FileNotFoundException");
}

}  // namespace util::io
