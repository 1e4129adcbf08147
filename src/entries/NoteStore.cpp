#include "entries/NoteStore.h"

#include "base/StoredNames.h"

NoteStore::NoteStore(const std::string& folder, FileSystem& files, const std::vector<std::string>& legacyFolders)
    : EntryStore(stored::kNotesStore, folder, files, legacyFolders)
{}
