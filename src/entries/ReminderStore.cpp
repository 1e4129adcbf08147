#include "entries/ReminderStore.h"

#include "base/StoredNames.h"

#include <algorithm>

ReminderStore::ReminderStore(const std::string& folder, FileSystem& files, const std::vector<std::string>& legacyFolders)
    : EntryStore(stored::kRemindersStore, folder, files, legacyFolders)
{}

std::vector<CEntry> ReminderStore::DueEntries(const DateTime& now)
{
    std::vector<CEntry> due = ReadAll();
    due.erase(
        std::remove_if(due.begin(), due.end(), [&](const CEntry& entry) { return entry.GetReminderTime() > now; }),
        due.end());
    return due;
}
