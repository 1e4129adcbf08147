#pragma once

#include <cstddef>
#include <string>

namespace util::xml {

// Turns the UTF-8 forms of Ä Ü Ö ß ä ü ö é into their ISO-8859-1 bytes, in
// place; every other character keeps its UTF-8 form. The program's strings are
// single-byte, and these are the letters its German texts need.
void mapToSingleByte(std::string& text);
// The same on text[from..end) only, for text appended piece by piece.
void mapToSingleByte(std::string& text, std::size_t from);

}  // namespace util::xml
