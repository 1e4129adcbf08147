#pragma once

#include "entries/EntryStore.h"

// The notes, kept in "Zorla_Notes".
class NoteStore : public EntryStore {
public:
    NoteStore(const std::string& folder, FileSystem& files, const std::vector<std::string>& legacyFolders = {});

    EntryKind GetKind() override { return EntryKind::Note; }
};
