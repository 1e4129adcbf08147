#include "sync/SequenceMerge.h"

#include <algorithm>

namespace {

using Hunk = SequenceMerge::Hunk;
using Region = SequenceMerge::Region;

// The diff's work is about (N+M)·D steps and (D+1)² remembered positions for D
// edits; past these an input gets one coarse hunk instead of seconds of search.
const long kStepBudget = 4000000;
const int kMostEdits = 1024;
// Shorter searches are cheap enough with every id.
const int kLeaveOutFrom = 128;

// A run of equal ids: a[x, x+length) == b[y, y+length).
struct Snake {
    int x, y, length;
};

// Myers' greedy search for a shortest edit script of a[0,n) into b[0,m); the
// equal runs along it in order, or false when it needs more than mostEdits edits.
bool Snakes(const int* a, int n, const int* b, int m, int mostEdits, std::vector<Snake>& snakes)
{
    // Round d keeps, for each diagonal k = x - y in [-d, d], the furthest x
    // reached with d edits, at trace[d*d + d + k].
    std::vector<int> trace;
    trace.reserve(static_cast<std::size_t>(std::min(mostEdits + 1, 128) * std::min(mostEdits + 1, 128)));
    int edits = -1;
    for (int d = 0; d <= mostEdits && edits < 0; ++d) {
        trace.resize(static_cast<std::size_t>((d + 1) * (d + 1)));
        int* now = trace.data() + d * d + d;
        const int* before = d > 0 ? trace.data() + (d - 1) * (d - 1) + (d - 1) : nullptr;
        for (int k = -d; k <= d; k += 2) {
            int x = 0;
            if (d > 0)
                x = (k == -d || (k != d && before[k - 1] < before[k + 1])) ? before[k + 1] : before[k - 1] + 1;
            int y = x - k;
            while (x < n && y < m && a[x] == b[y]) {
                ++x;
                ++y;
            }
            now[k] = x;
            if (x >= n && y >= m) {
                edits = d;
                break;
            }
        }
    }
    if (edits < 0)
        return false;
    int x = n, y = m;
    for (int d = edits; d > 0; --d) {
        const int* before = trace.data() + (d - 1) * (d - 1) + (d - 1);
        const int k = x - y;
        const bool inserted = k == -d || (k != d && before[k - 1] < before[k + 1]);
        const int fromK = inserted ? k + 1 : k - 1;
        const int fromX = before[fromK];
        const int runX = inserted ? fromX : fromX + 1;
        if (x > runX)
            snakes.push_back({runX, runX - k, x - runX});
        x = fromX;
        y = fromX - fromK;
    }
    if (x > 0)
        snakes.push_back({0, 0, x});
    std::reverse(snakes.begin(), snakes.end());
    return true;
}

// Where the i-th id searched stands in its sequence.
std::size_t Original(const std::vector<std::size_t>& kept, std::size_t head, int i)
{
    return kept.empty() ? head + static_cast<std::size_t>(i) : kept[static_cast<std::size_t>(i)];
}

// Where a change of the other side, [cs, ce) of base so far, and hunk h meet:
// they share a part of base, or both insert at one place.
bool Overlaps(std::size_t cs, std::size_t ce, const Hunk& h)
{
    return (h.fromBegin < ce && cs < h.fromEnd) || (h.fromBegin == h.fromEnd && cs == ce && h.fromBegin == cs);
}

// Of two hunks at one place the insertion comes first.
bool Before(const Hunk& a, const Hunk& b)
{
    return a.fromBegin < b.fromBegin ||
           (a.fromBegin == b.fromBegin && (a.fromBegin == a.fromEnd || b.fromBegin != b.fromEnd));
}

long Shift(const std::vector<Hunk>& hunks, std::size_t begin, std::size_t end)
{
    long shift = 0;
    for (std::size_t i = begin; i < end; ++i)
        shift += static_cast<long>(hunks[i].toEnd - hunks[i].toBegin) -
                 static_cast<long>(hunks[i].fromEnd - hunks[i].fromBegin);
    return shift;
}

}  // namespace

std::vector<Hunk> SequenceMerge::Hunks(const std::vector<int>& from, const std::vector<int>& to)
{
    std::size_t head = 0;
    while (head < from.size() && head < to.size() && from[head] == to[head])
        ++head;
    std::size_t tail = 0;
    while (tail < from.size() - head && tail < to.size() - head &&
           from[from.size() - 1 - tail] == to[to.size() - 1 - tail])
        ++tail;
    const std::size_t fromEnd = from.size() - tail, toEnd = to.size() - tail;
    if (head == fromEnd && head == toEnd)
        return {};
    const std::vector<Hunk> whole = {{head, fromEnd, head, toEnd}};

    const int* a = from.data() + head;
    const int* b = to.data() + head;
    int n = static_cast<int>(fromEnd - head), m = static_cast<int>(toEnd - head);
    // An id the other side lacks matches nothing: in a long search it is left
    // out, which leaves nothing to do when every line was rewritten.
    std::vector<int> keptA, keptB;
    std::vector<std::size_t> aAt, bAt;
    if (n + m > kLeaveOutFrom) {
        int top = 0;
        for (int i = 0; i < n; ++i)
            top = std::max(top, a[i] + 1);
        for (int i = 0; i < m; ++i)
            top = std::max(top, b[i] + 1);
        std::vector<char> inA(static_cast<std::size_t>(top)), inB(static_cast<std::size_t>(top));
        for (int i = 0; i < n; ++i)
            inA[static_cast<std::size_t>(a[i])] = 1;
        for (int i = 0; i < m; ++i)
            inB[static_cast<std::size_t>(b[i])] = 1;
        for (int i = 0; i < n; ++i) {
            if (inB[static_cast<std::size_t>(a[i])]) {
                keptA.push_back(a[i]);
                aAt.push_back(head + static_cast<std::size_t>(i));
            }
        }
        for (int i = 0; i < m; ++i) {
            if (inA[static_cast<std::size_t>(b[i])]) {
                keptB.push_back(b[i]);
                bAt.push_back(head + static_cast<std::size_t>(i));
            }
        }
        a = keptA.data();
        b = keptB.data();
        n = static_cast<int>(keptA.size());
        m = static_cast<int>(keptB.size());
    }
    if (n == 0 || m == 0)
        return whole;
    const long mostEdits =
        std::min({static_cast<long>(n) + m, std::max(64L, kStepBudget / (n + m)), static_cast<long>(kMostEdits)});
    std::vector<Snake> snakes;
    if (!Snakes(a, n, b, m, static_cast<int>(mostEdits), snakes))
        return whole;
    // The hunks lie between the pairs the search matched.
    std::vector<Hunk> hunks;
    std::size_t x = head, y = head;
    for (const Snake& snake : snakes) {
        for (int k = 0; k < snake.length; ++k) {
            const std::size_t matchX = Original(aAt, head, snake.x + k);
            const std::size_t matchY = Original(bAt, head, snake.y + k);
            if (matchX > x || matchY > y)
                hunks.push_back({x, matchX, y, matchY});
            x = matchX + 1;
            y = matchY + 1;
        }
    }
    if (x < fromEnd || y < toEnd)
        hunks.push_back({x, fromEnd, y, toEnd});
    return hunks;
}

std::vector<Region> SequenceMerge::Regions(const std::vector<int>& base, const std::vector<int>& first,
                                           const std::vector<int>& second)
{
    const std::vector<Hunk> ours = Hunks(base, first);
    const std::vector<Hunk> theirs = Hunks(base, second);
    std::vector<Region> regions;
    // Outside the hunks a base index p is first's p + firstShift and second's p + secondShift.
    std::size_t done = 0, i = 0, j = 0;
    long firstShift = 0, secondShift = 0;
    while (i < ours.size() || j < theirs.size()) {
        const bool oursFirst = j == theirs.size() || (i < ours.size() && Before(ours[i], theirs[j]));
        const Hunk& start = oursFirst ? ours[i] : theirs[j];
        std::size_t cs = start.fromBegin, ce = start.fromEnd;
        std::size_t iEnd = i + (oursFirst ? 1 : 0), jEnd = j + (oursFirst ? 0 : 1);
        for (bool grew = true; grew;) {
            grew = false;
            if (iEnd < ours.size() && Overlaps(cs, ce, ours[iEnd])) {
                ce = std::max(ce, ours[iEnd++].fromEnd);
                grew = true;
            }
            if (jEnd < theirs.size() && Overlaps(cs, ce, theirs[jEnd])) {
                ce = std::max(ce, theirs[jEnd++].fromEnd);
                grew = true;
            }
        }
        if (done < cs)
            regions.push_back(
                {Region::Base, done, cs, done + firstShift, cs + firstShift, done + secondShift, cs + secondShift});
        const std::size_t firstBegin = cs + firstShift, secondBegin = cs + secondShift;
        firstShift += Shift(ours, i, iEnd);
        secondShift += Shift(theirs, j, jEnd);
        Region region = {Region::Conflict, cs, ce, firstBegin, ce + firstShift, secondBegin, ce + secondShift};
        if (jEnd == j)
            region.source = Region::First;
        else if (iEnd == i)
            region.source = Region::Second;
        else if (std::equal(first.begin() + region.firstBegin, first.begin() + region.firstEnd,
                            second.begin() + region.secondBegin, second.begin() + region.secondEnd))
            region.source = Region::First;
        regions.push_back(region);
        done = ce;
        i = iEnd;
        j = jEnd;
    }
    if (done < base.size())
        regions.push_back({Region::Base, done, base.size(), done + firstShift, base.size() + firstShift,
                           done + secondShift, base.size() + secondShift});
    return regions;
}
