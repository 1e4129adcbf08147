#pragma once

#include "entries/CEntry.h"

#include <string>
#include <vector>

// Finds notes and reminders by their text while the user types: an entry matches
// when every word of the search occurs in its text, in any order and whatever the
// case, the accents or the form of the letters (base/TextFold). Texts are folded
// when they come in, so a search only compares.
class NoteFinder {
public:
    // What the list of matches shows of one entry.
    struct Item {
        std::string key;  // CEntry::GetKey: how the owner finds the note's window
        EntryKind kind = EntryKind::Unknown;
        std::string preview;  // the text on one line, shortened
        std::string when;     // reminders: their time as their windows show it; empty for notes
        NoteColour colour = NoteColour::Yellow;
    };

    // Every code point of a preview up to this many; a longer text ends in "…".
    static const std::size_t kPreviewLength = 80;

    // Takes the entries in the order given. Only entries whose text, time or kind
    // changed are folded again; entries not given any more are forgotten.
    void Refresh(const std::vector<CEntry>& entries);

    // The entries whose text holds every word of query, in the order Refresh
    // had them; every entry for a query without words. Valid until Refresh.
    std::vector<const Item*> Find(const std::string& query) const;

    std::size_t Size() const { return m_records.size(); }

private:
    struct Record {
        CEntry entry;
        std::string folded;
        Item item;
    };

    static Record MakeRecord(const CEntry& entry);

    std::vector<Record> m_records;
};
