#include "framework/Utf8.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <random>

// Every code point outside the surrogates survives UTF-8 -> UTF-16 -> UTF-8,
// and the wide form is what the system's own conversion makes of it.
TEST(Utf8, EveryScalarValueRoundTripsAndMatchesTheSystem)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<char32_t> anyCode(1, 0x10FFFF);
    for (int round = 0; round < 200; ++round) {
        std::wstring wide;
        for (int i = 0; i < 20; ++i) {
            char32_t code = anyCode(random);
            if (code >= 0xD800 && code <= 0xDFFF)
                code = 0xE000;
            if (code >= 0x10000) {
                wide.push_back(static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10)));
                wide.push_back(static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
            } else {
                wide.push_back(static_cast<wchar_t>(code));
            }
        }
        const std::string utf8 = Narrow(wide);
        char system[256] = {};
        ::WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), system, sizeof system, nullptr,
                              nullptr);
        ASSERT_EQ(std::string(system), utf8);
        ASSERT_EQ(wide, Widen(utf8));
    }
    EXPECT_EQ(L"Start \x0141\x00F3" L"d\x017A \x20AC \x65E5", Widen("Start \xC5\x81\xC3\xB3" "d\xC5\xBA \xE2\x82\xAC \xE6\x97\xA5"));
}

// Broken input never throws and loses only the broken bytes.
TEST(Utf8, BrokenInputBecomesReplacementCharactersOnly)
{
    EXPECT_EQ(L"a\xFFFD" L"b", Widen("a\xE4" "b")) << "a Latin-1 byte";
    EXPECT_EQ(L"\xFFFD\xFFFD", Widen("\xC0\xAF")) << "an overlong slash";
    EXPECT_EQ(L"\xFFFD\xFFFD\xFFFD", Widen("\xED\xA0\x80")) << "an encoded surrogate";
    EXPECT_EQ(L"x\xFFFD\xFFFD", Widen("x\xE2\x82")) << "cut at the end: one per byte";
    EXPECT_EQ(L"\xFFFD\xFFFD\xFFFD\xFFFD", Widen("\xF4\x90\x80\x80")) << "beyond U+10FFFF";
    EXPECT_EQ("\xEF\xBF\xBD" "a\xEF\xBF\xBD", Narrow(std::wstring{L'\xD800', L'a', L'\xDC00'})) << "lone surrogates";
    EXPECT_EQ(std::string("a\0b", 3), Narrow(std::wstring(L"a\0b", 3)));
    EXPECT_TRUE(Widen("").empty());
}
