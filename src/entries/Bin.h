#pragma once

#include "entries/EntryStore.h"

// The bin: the most recently deleted notes and reminders, kept in
// "Zorla_Deleted" in the same format as the other stores, so a mistaken delete
// can be taken back. Reminders are told from notes by their "notify".
class Bin : public EntryStore {
public:
    static const int kCapacity = 100;

    Bin(const std::string& folder, FileSystem& files, const std::vector<std::string>& legacyFolders = {});

    // Entries of both kinds.
    EntryKind GetKind() override { return EntryKind::Unknown; }

    // Appends a copy of the entry under an id of the bin's own, drops the oldest
    // beyond the capacity and writes the file. False when the bin has no
    // document or the file could not be written (the problem waits in the bin).
    bool Keep(const CEntry& entry);
    // The most recently deleted entry, with its kind.
    // False when the bin is empty.
    bool PeekLast(CEntry& entry) const;
    // Takes the most recently deleted entry out of the bin (the file is written
    // by the caller).
    void DropLast();
    bool IsEmpty() const;

private:
    int LastEntryIndex() const;
};
