#pragma once

#include <string>
#include <string_view>

// The program keeps every text as UTF-8 in std::string; the system's wide
// calls take and give UTF-16. These two are the only crossings between them.
// Bytes that are not well-formed UTF-8 become U+FFFD, one per bad byte, and a
// lone surrogate from the system becomes U+FFFD too: nothing throws.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
