#include "sync/TextMerge.h"

#include "sync/SequenceMerge.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

const char TextMerge::kMarker[] =
    "\xE2\x80\x94 changed on another computer / auf einem anderen Computer ge\xC3\xA4ndert: ";

namespace {

using Pieces = std::vector<std::string_view>;
using Region = SequenceMerge::Region;

// Equal pieces get equal ids, so the diff compares numbers.
class Ids {
public:
    std::vector<int> Of(const Pieces& pieces)
    {
        std::vector<int> ids;
        ids.reserve(pieces.size());
        for (std::string_view piece : pieces)
            ids.push_back(ids_.try_emplace(piece, static_cast<int>(ids_.size())).first->second);
        return ids;
    }

private:
    std::unordered_map<std::string_view, int> ids_;
};

// Lines with their "\n" (a last one without it as it is).
Pieces Lines(std::string_view text)
{
    Pieces lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        lines.push_back(text.substr(at, next - at));
        at = next;
    }
    return lines;
}

enum class Kind { Word, Space, Other };

Kind KindOf(char c)
{
    const unsigned char u = static_cast<unsigned char>(c);
    if (u >= 0x80 || (u >= '0' && u <= '9') || ((u | 0x20) >= 'a' && (u | 0x20) <= 'z'))
        return Kind::Word;
    return u == ' ' || u == '\t' ? Kind::Space : Kind::Other;
}

// Runs of letters and digits (any non-ASCII byte counts as a letter), runs of
// spaces and single other characters.
Pieces Words(std::string_view line)
{
    Pieces words;
    words.reserve(line.size() / 3 + 1);
    for (std::size_t at = 0; at < line.size();) {
        const Kind kind = KindOf(line[at]);
        std::size_t end = at + 1;
        while (kind != Kind::Other && end < line.size() && KindOf(line[end]) == kind)
            ++end;
        words.push_back(line.substr(at, end - at));
        at = end;
    }
    return words;
}

std::string_view Ending(std::string_view line)
{
    if (line.size() >= 2 && line.substr(line.size() - 2) == "\r\n")
        return line.substr(line.size() - 2);
    return line.size() >= 1 && line.back() == '\n' ? line.substr(line.size() - 1) : std::string_view();
}

std::string_view Content(std::string_view line)
{
    return line.substr(0, line.size() - Ending(line).size());
}

void Append(std::string& out, const Pieces& pieces, std::size_t begin, std::size_t end)
{
    for (std::size_t i = begin; i < end; ++i)
        out += pieces[i];
}

// A region without conflict: its part of base, first or second.
void AppendClean(const Region& region, const Pieces& base, const Pieces& first, const Pieces& second, std::string& out)
{
    if (region.source == Region::Base)
        Append(out, base, region.baseBegin, region.baseEnd);
    else if (region.source == Region::First)
        Append(out, first, region.firstBegin, region.firstEnd);
    else
        Append(out, second, region.secondBegin, region.secondEnd);
}

// The pieces the merge keeps, or false at the first conflict.
bool MergeClean(const Pieces& base, const Pieces& first, const Pieces& second, Ids& ids, std::string& out)
{
    const std::vector<int> b = ids.Of(base), f = ids.Of(first), s = ids.Of(second);
    for (const Region& region : SequenceMerge::Regions(b, f, s)) {
        if (region.source == Region::Conflict)
            return false;
        AppendClean(region, base, first, second, out);
    }
    return true;
}

// One line both sides changed, merged by words; false when the edits touch.
bool MergeLine(std::string_view base, std::string_view first, std::string_view second, Ids& words, std::string& out)
{
    std::string merged;
    if (!MergeClean(Words(Content(base)), Words(Content(first)), Words(Content(second)), words, merged))
        return false;
    out += merged;
    out += Ending(first) != Ending(base) ? Ending(first) : Ending(second);
    return true;
}

class LineMerge {
public:
    LineMerge(std::string_view ending, std::string& out)
        : ending_(ending)
        , out_(out)
    {}

    void Conflict(const Pieces& base, const Pieces& first, const Pieces& second)
    {
        // Lines changed in place on both sides: merged line by line where the edits do not touch.
        if (base.size() == first.size() && base.size() == second.size()) {
            for (std::size_t i = 0; i < base.size(); ++i) {
                if (!MergeLine(base[i], first[i], second[i], words_, out_)) {
                    conflicts = true;
                    out_ += first[i];
                    if (Unmarked(first[i]) != Unmarked(second[i]))
                        Mark(second[i]);
                }
            }
            return;
        }
        conflicts = true;
        std::size_t head = 0, tail = 0;
        while (head < first.size() && head < second.size() && first[head] == second[head])
            ++head;
        while (tail < first.size() - head && tail < second.size() - head &&
               first[first.size() - 1 - tail] == second[second.size() - 1 - tail])
            ++tail;
        Append(out_, first, 0, first.size() - tail);
        // A line that first has too, plain or marked (first merged it before), is not repeated.
        std::unordered_set<std::string_view> firsts;
        for (std::size_t i = head; i < first.size() - tail; ++i)
            firsts.insert(Unmarked(first[i]));
        for (std::size_t i = head; i < second.size() - tail; ++i) {
            if (!firsts.count(Unmarked(second[i])))
                Mark(second[i]);
        }
        Append(out_, first, first.size() - tail, first.size());
    }

    bool conflicts = false;

private:
    static std::string_view Unmarked(std::string_view line)
    {
        const std::string_view marker = TextMerge::kMarker;
        line = Content(line);
        return line.substr(0, marker.size()) == marker ? line.substr(marker.size()) : line;
    }

    void Mark(std::string_view line)
    {
        out_ += TextMerge::kMarker;
        out_ += Unmarked(line);
        out_ += ending_;
    }

    std::string_view ending_;
    std::string& out_;
    Ids words_;  // for every line merged by words
};

// A text's line break: its first one, else the other sides', else the stored form's.
std::string_view LineBreak(const std::string& first, const std::string& second, const std::string& base)
{
    for (const std::string* text : {&first, &second, &base}) {
        const std::size_t at = text->find('\n');
        if (at != std::string::npos)
            return at > 0 && (*text)[at - 1] == '\r' ? "\r\n" : "\n";
    }
    return "\r\n";
}

// The text with its last line ended by lineBreak, for the line diff.
std::string Closed(const std::string& text, std::string_view lineBreak)
{
    return text.empty() || text.back() == '\n' ? text : text + std::string(lineBreak);
}

// Whether the merged text ends without a line break: as the side that changed
// it has it; an empty text has no say.
bool EndsOpen(const std::string& base, const std::string& first, const std::string& second)
{
    const auto open = [](const std::string& text) { return text.back() != '\n'; };
    for (const std::string* side : {&first, &second}) {
        if (!side->empty() && (base.empty() || open(*side) != open(base)))
            return open(*side);
    }
    return !base.empty() && open(base);
}

}  // namespace

TextMerge::Result TextMerge::Merge(const std::string& base, const std::string& first, const std::string& second)
{
    const std::string_view lineBreak = LineBreak(first, second, base);
    const std::string b = Closed(base, lineBreak), f = Closed(first, lineBreak), s = Closed(second, lineBreak);
    const Pieces baseLines = Lines(b), firstLines = Lines(f), secondLines = Lines(s);
    Ids ids;
    const std::vector<int> baseIds = ids.Of(baseLines), firstIds = ids.Of(firstLines), secondIds = ids.Of(secondLines);

    Result result;
    result.text.reserve(std::max(first.size(), second.size()));
    LineMerge lines(lineBreak, result.text);
    for (const Region& region : SequenceMerge::Regions(baseIds, firstIds, secondIds)) {
        const auto part = [](const Pieces& pieces, std::size_t begin, std::size_t end) {
            return Pieces(pieces.begin() + begin, pieces.begin() + end);
        };
        if (region.source != Region::Conflict)
            AppendClean(region, baseLines, firstLines, secondLines, result.text);
        else
            lines.Conflict(part(baseLines, region.baseBegin, region.baseEnd),
                           part(firstLines, region.firstBegin, region.firstEnd),
                           part(secondLines, region.secondBegin, region.secondEnd));
    }
    result.conflicts = lines.conflicts;
    if (EndsOpen(base, first, second) && !result.text.empty() && result.text.back() == '\n') {
        const bool whole = result.text.size() >= lineBreak.size() &&
                           result.text.compare(result.text.size() - lineBreak.size(), lineBreak.size(), lineBreak) == 0;
        result.text.resize(result.text.size() - (whole ? lineBreak.size() : 1));
    }
    return result;
}
