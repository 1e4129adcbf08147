#pragma once

#include <string>

// The three-way merge of a note's text that two computers changed apart: the
// edits each made to the text both started from (the base) are put together.
//
// The texts are a note's display text (CEntry::GetDisplayText, lines ended by
// "\r\n"); "\n" alone and a last line without terminator are kept as they are.
// - Lines: base→first and base→second are diffed by lines (Myers); changes to
//   different lines both apply, the same change applies once.
// - Within a line: lines both sides changed are merged by words (runs of
//   letters and digits, runs of spaces, single punctuation), so a word fixed at
//   the start and words appended at the end both stay; edits that touch one
//   spot (both appended at the same end) are a conflict.
// - Conflict: first's lines stay and right under them second's lines, each
//   after kMarker. When second deleted what first changed, first's lines stay
//   alone; when first deleted what second changed, second's stay, marked. A
//   line of second's that first's lines there have too (plain or marked, as
//   when first holds an earlier merge with second) is not repeated, and none
//   gets the marker twice.
// - Line ends: whether the text ends with a line break is merged the same way
//   (a side that changed it wins); marked lines end with the text's own break.
// - UTF-8: texts are split only at ASCII bytes, so no character is cut.
// Merge(b, x, x) == x, Merge(b, b, x) == x and Merge(b, x, b) == x, so a
// merged text taken as the new base by every computer merges to itself.
class TextMerge {
public:
    // Put before each line of the other version where both changed the same part:
    // one text in both languages, so every computer, whatever its language, makes the same note.
    static const char kMarker[];
    struct Result {
        std::string text;
        bool conflicts = false;  // some part was changed on both sides differently
    };
    // The edits that first and second each made to base, merged. Not symmetric
    // in its arguments: the caller orders the two sides by a rule every computer
    // shares (first = the later change), so every computer computes the same text.
    static Result Merge(const std::string& base, const std::string& first, const std::string& second);
};
