#pragma once

#include <cstddef>
#include <vector>

// Line- or word-wise diff and three-way merge of sequences of ids (equal pieces
// of text have equal ids), for TextMerge.
class SequenceMerge {
public:
    // A part of `from` ([fromBegin, fromEnd)) replaced by a part of `to`.
    struct Hunk {
        std::size_t fromBegin, fromEnd, toBegin, toEnd;
    };
    // The changes that make `to` of `from`, in order; between two of them at
    // least one id stays. A shortest edit script (Myers) while its length stays
    // within a budget that keeps the work near (N+M)·D; beyond it, one hunk
    // from the first to the last difference, so no input costs seconds.
    static std::vector<Hunk> Hunks(const std::vector<int>& from, const std::vector<int>& to);

    // A stretch of the merged sequence: a part of one of the three, or a part
    // of base that first and second changed differently.
    struct Region {
        enum Source { Base, First, Second, Conflict } source;
        std::size_t baseBegin, baseEnd, firstBegin, firstEnd, secondBegin, secondEnd;
    };
    // diff3: changes of first and second to base that do not overlap both
    // apply, the same change applies once, overlapping different changes are a
    // conflict. Changes overlap when they share a part of base or insert at the
    // same place; an insertion at the edge of the other's change does not.
    static std::vector<Region> Regions(const std::vector<int>& base, const std::vector<int>& first,
                                       const std::vector<int>& second);
};
