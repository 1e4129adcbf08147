#include "base/TextFold.h"

#include <gtest/gtest.h>

#include <string>

// A search must find a text whatever case, accents, strokes, ligatures or
// character widths either was written with, in every script; a damaged text
// must neither crash the fold nor hide what is left of it.
TEST(TextFold, TextsAsTypedFoldToOneSearchForm)
{
    const struct {
        std::string text;
        std::string folded;
    } rows[] = {
        {"Hello World 42!", "hello world 42!"},
        {"\u0141\u00f3d\u017a", "lodz"},  // Łódź
        {"LODZ", "lodz"},
        {"Stra\u00dfe STRASSE Stra\u1e9ee", "strasse strasse strasse"},  // ß, ẞ
        {"fran\u00e7ais FRANCAIS", "francais francais"},
        {"\u0391\u03b8\u03ae\u03bd\u03b1", "\u03b1\u03b8\u03b7\u03bd\u03b1"},  // Αθήνα -> αθηνα
        {"\u03bf\u03b4\u03cc\u03c2", "\u03bf\u03b4\u03bf\u03c3"},              // οδός: final sigma
        {"\u0401\u0436\u0438\u043a", "\u0435\u0436\u0438\u043a"},              // Ёжик -> ежик
        {"\u00d8\u00f8 \u0110\u0111 \u0126\u0127 \u0131 \u0142", "oo dd hh i l"},
        {"\u00c6sop \u0152uvre \ufb01n", "aesop oeuvre fin"},                    // Æ, Œ, the ﬁ ligature
        {"\uff3a\uff4f\uff52\uff4c\uff41\uff11", "zorla1"},                      // full width
        {"e\u0301t\u00e9", "ete"},                                               // a combining accent goes too
        {"\u4e2d\u6587 \ud55c\uad6d\uc5b4", "\u4e2d\u6587 \ud55c\uad6d\uc5b4"},  // CJK and Hangul stay
        {"so\u00adft", "soft"},                                                  // a soft hyphen is invisible
        // A lone lead, a stray continuation, an overlong form, a surrogate, beyond
        // U+10FFFF, and a sequence cut off by the end: each bad byte goes.
        {"a\303b\200c\300\257d\355\240\200e\364\220\200\200f\342\202", "abcdef"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FoldForSearch(row.text), row.folded) << row.text;
}
