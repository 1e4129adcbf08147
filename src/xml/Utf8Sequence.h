#pragma once

#include <cstddef>
#include <string>

namespace util::xml {

// Length and code point of a well-formed UTF-8 sequence of two to four bytes
// at text[i], or 0 when there is none.
inline std::size_t decodeUtf8(const std::string& text, std::size_t i, unsigned long& codePoint)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0Fu;
        if (lead == 0xE0)
            low = 0xA0;  // no overlong forms
        if (lead == 0xED)
            high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07u;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char c = byte(i + k);
        if (k == 1 ? (c < low || c > high) : (c < 0x80 || c > 0xBF))
            return 0;
        codePoint = (codePoint << 6) | (c & 0x3Fu);
    }
    return length;
}

}  // namespace util::xml
