#pragma once

#include "entries/EntryStore.h"

// The reminders, kept in "Zorla_Timer".
class ReminderStore : public EntryStore {
public:
    ReminderStore(const std::string& folder, FileSystem& files, const std::vector<std::string>& legacyFolders = {});

    EntryKind GetKind() override { return EntryKind::Reminder; }

    // The reminders whose time (GetReminderTime) is not later than now, as a
    // copy taken before anyone is told: the commands sent for them may read and
    // change the store without a reminder being repeated or skipped.
    std::vector<CEntry> DueEntries(const DateTime& now);
};
