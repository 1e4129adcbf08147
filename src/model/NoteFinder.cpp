#include "model/NoteFinder.h"

#include "base/TextFold.h"

#include <algorithm>
#include <unordered_map>

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The display text on one line: breaks and runs of white space become one space.
std::string OneLine(const std::string& text)
{
    std::string line;
    line.reserve(text.size());
    for (char c : text) {
        if (!IsSpace(c))
            line += c;
        else if (!line.empty() && line.back() != ' ')
            line += ' ';
    }
    if (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

// At most length code points of line, cut between two of them.
std::string Shortened(const std::string& line, std::size_t length)
{
    std::size_t count = 0;
    for (std::size_t at = 0; at < line.size(); ++at) {
        const bool starts = (static_cast<unsigned char>(line[at]) & 0xC0) != 0x80;
        if (starts && count++ == length)
            return line.substr(0, at) + "\xE2\x80\xA6";  // …
    }
    return line;
}

std::vector<std::string> Words(const std::string& folded)
{
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < folded.size()) {
        while (at < folded.size() && IsSpace(folded[at]))
            ++at;
        std::size_t end = at;
        while (end < folded.size() && !IsSpace(folded[end]))
            ++end;
        if (end > at)
            words.push_back(folded.substr(at, end - at));
        at = end;
    }
    // The longest word first: it rules out the most entries at the first look.
    std::sort(words.begin(), words.end(), [](const auto& a, const auto& b) { return a.size() > b.size(); });
    return words;
}

}  // namespace

NoteFinder::Record NoteFinder::MakeRecord(const CEntry& entry)
{
    Record record;
    record.entry = entry;
    const std::string line = OneLine(entry.GetDisplayText());
    record.folded = FoldForSearch(line);
    record.item.key = entry.GetKey();
    record.item.kind = entry.kind;
    record.item.preview = Shortened(line, kPreviewLength);
    record.item.colour = entry.Colour();
    if (entry.kind == EntryKind::Reminder)
        record.item.when = entry.GetReminderTime().Format("%d.%m.%y %H:%M");
    return record;
}

void NoteFinder::Refresh(const std::vector<CEntry>& entries)
{
    std::unordered_map<std::string, std::size_t> known;
    known.reserve(m_records.size());
    for (std::size_t i = 0; i < m_records.size(); ++i)
        known.emplace(m_records[i].item.key, i);

    std::vector<Record> records;
    records.reserve(entries.size());
    for (const CEntry& entry : entries) {
        auto old = known.find(entry.GetKey());
        if (old != known.end() && m_records[old->second].entry.SameContent(entry)) {
            records.push_back(std::move(m_records[old->second]));
            known.erase(old);  // a key given twice is folded twice rather than taken from a moved record
        } else {
            records.push_back(MakeRecord(entry));
        }
    }
    m_records = std::move(records);
}

std::vector<const NoteFinder::Item*> NoteFinder::Find(const std::string& query) const
{
    const std::vector<std::string> words = Words(FoldForSearch(query));
    std::vector<const Item*> found;
    found.reserve(m_records.size());
    for (const Record& record : m_records) {
        const bool all = std::all_of(words.begin(), words.end(), [&record](const std::string& word) {
            return record.folded.find(word) != std::string::npos;
        });
        if (all)
            found.push_back(&record.item);
    }
    return found;
}
