// libFuzzer target: the three-way merge of a note's text. The input holds
// base, first and second, separated by zero bytes. Besides crashes it checks
// what the merge promises: a side merged with itself or with the base is that
// side; every line a side typed is in the result (whole, perhaps after the
// marker, or the words it added where it was merged with the other side's
// edits of the line); valid UTF-8 stays valid.
#include "sync/TextMerge.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

bool ValidUtf8(const std::string& text)
{
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const std::size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += length;
    }
    return true;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (std::size_t end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
        lines.push_back(text.substr(at, end - at));
    lines.push_back(text.substr(at));
    for (std::string& line : lines) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
    }
    return lines;
}

bool WordChar(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    return u >= 0x80 || (u >= '0' && u <= '9') || ((u | 0x20) >= 'a' && (u | 0x20) <= 'z');
}

std::set<std::string> Words(const std::string& text)
{
    std::set<std::string> words;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = at;
        while (end < text.size() && WordChar(text[end]))
            ++end;
        if (end > at)
            words.insert(text.substr(at, end - at));
        at = end == at ? at + 1 : end;
    }
    return words;
}

// The line whole, or each word it has that base has not (base's the other side may have changed).
bool Kept(const std::string& line, const std::set<std::string>& baseWords, const std::string& merged)
{
    if (merged.find(line) != std::string::npos)
        return true;
    for (const std::string& word : Words(line)) {
        if (!baseWords.count(word) && merged.find(word) == std::string::npos)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t one = input.find('\0');
    const std::size_t two = one == std::string::npos ? one : input.find('\0', one + 1);
    if (two == std::string::npos)
        return 0;
    const std::string base = input.substr(0, one);
    const std::string first = input.substr(one + 1, two - one - 1);
    const std::string second = input.substr(two + 1);

    const TextMerge::Result merged = TextMerge::Merge(base, first, second);
    if (TextMerge::Merge(base, first, first).text != first)
        Fail("a side merged with itself is not that side");
    if (TextMerge::Merge(base, base, second).text != second || TextMerge::Merge(base, first, base).text != first)
        Fail("a side merged with the base is not that side");
    if (TextMerge::Merge(merged.text, merged.text, merged.text).text != merged.text)
        Fail("the merged text does not merge to itself");

    const std::vector<std::string> baseLines = Lines(base);
    const std::set<std::string> inBase(baseLines.begin(), baseLines.end());
    const std::set<std::string> baseWords = Words(base);
    for (const std::string* side : {&first, &second}) {
        for (const std::string& line : Lines(*side)) {
            if (!inBase.count(line) && !Kept(line, baseWords, merged.text))
                Fail("a typed line is not in the merged text");
        }
    }
    if (ValidUtf8(base) && ValidUtf8(first) && ValidUtf8(second) && !ValidUtf8(merged.text))
        Fail("the merged text is no longer UTF-8");
    return 0;
}
