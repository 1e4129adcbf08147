#include "base/TextFold.h"

#include <algorithm>
#include <cstdint>

namespace {

struct FoldRow {
    char32_t codePoint;
    std::uint16_t offset;  // into kFoldPool
    std::uint8_t length;   // 0: the character is dropped (soft hyphen, a lone diacritic)
};

#include "FoldTable.inc"

const char32_t kNotUtf8 = 0xFFFFFFFF;

// The code point that starts at text[at], with at moved past it. A byte that
// starts no well-formed sequence (a stray continuation, an overlong form, a
// surrogate, beyond U+10FFFF, cut short) gives kNotUtf8 and moves one byte on.
char32_t NextCodePoint(std::string_view text, std::size_t& at)
{
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) {
        ++at;
        return lead;
    }
    int more = 0;
    char32_t code = 0;
    unsigned char low = 0x80, high = 0xBF;  // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF) {
        more = 1;
        code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        more = 2;
        code = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        more = 3;
        code = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        ++at;
        return kNotUtf8;
    }
    for (int i = 1; i <= more; ++i) {
        const std::size_t next = at + static_cast<std::size_t>(i);
        const unsigned char byte = next < text.size() ? static_cast<unsigned char>(text[next]) : 0;
        if (byte < low || byte > high) {
            ++at;
            return kNotUtf8;
        }
        low = 0x80;
        high = 0xBF;
        code = (code << 6) | (byte & 0x3F);
    }
    at += static_cast<std::size_t>(more) + 1;
    return code;
}

const FoldRow* FindRow(char32_t code)
{
    const FoldRow* end = kFoldRows + sizeof kFoldRows / sizeof kFoldRows[0];
    const FoldRow* row =
        std::lower_bound(kFoldRows, end, code, [](const FoldRow& r, char32_t c) { return r.codePoint < c; });
    return row != end && row->codePoint == code ? row : nullptr;
}

}  // namespace

void AppendFoldForSearch(std::string_view utf8, std::string& out)
{
    out.reserve(out.size() + utf8.size());
    std::size_t at = 0;
    while (at < utf8.size()) {
        const std::size_t start = at;
        const char32_t code = NextCodePoint(utf8, at);
        if (code < 0x80) {
            const char c = static_cast<char>(code);
            out += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        } else if (code == kNotUtf8) {
            continue;
        } else if (const FoldRow* row = FindRow(code)) {
            out.append(kFoldPool + row->offset, row->length);
        } else {
            out.append(utf8.substr(start, at - start));
        }
    }
}

std::string FoldForSearch(std::string_view utf8)
{
    std::string folded;
    AppendFoldForSearch(utf8, folded);
    return folded;
}
