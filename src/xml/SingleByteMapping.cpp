#include "SingleByteMapping.h"

#include <cstring>

namespace util::xml {

namespace {

// Second byte of a C3 pair -> the ISO-8859-1 byte, or 0 when the pair stays.
unsigned char mappedByte(unsigned char second)
{
    switch (second) {
    case 0x84: return 0xC4;  // Ä
    case 0x9C: return 0xDC;  // Ü
    case 0x96: return 0xD6;  // Ö
    case 0x9F: return 0xDF;  // ß
    case 0xA4: return 0xE4;  // ä
    case 0xBC: return 0xFC;  // ü
    case 0xB6: return 0xF6;  // ö
    case 0xA9: return 0xE9;  // é
    default: return 0;
    }
}

}  // namespace

// One left-to-right pass gives the same result as one replace-all pass per
// letter: every pattern starts with C3, no replacement byte is C3 or a second
// byte of a pattern, so matches never overlap and no new match can appear.
void mapToSingleByte(std::string& text)
{
    mapToSingleByte(text, 0);
}

void mapToSingleByte(std::string& text, std::size_t from)
{
    if (from >= text.size())
        return;
    const char* first = static_cast<const char*>(std::memchr(text.data() + from, 0xC3, text.size() - from));
    if (!first)
        return;  // the common case: nothing to convert, no copy

    std::size_t in = static_cast<std::size_t>(first - text.data());
    std::size_t out = in;
    const std::size_t size = text.size();
    while (in < size) {
        const unsigned char c = static_cast<unsigned char>(text[in]);
        if (c == 0xC3 && in + 1 < size) {
            const unsigned char to = mappedByte(static_cast<unsigned char>(text[in + 1]));
            if (to) {
                text[out++] = static_cast<char>(to);
                in += 2;
                continue;
            }
        }
        text[out++] = text[in++];
    }
    text.resize(out);
}

}  // namespace util::xml
