#pragma once

#include "entries/CEntryStore.h"

// The reminders, kept in "Zorla_Timer".
class CActionTimer : public CEntryStore {
public:
    CActionTimer();
    explicit CActionTimer(const std::string& folder, const std::string& legacyFolder = std::string());

    int GetKind() override { return 1; }

    // The reminders whose time (GetReminderTime) is not later than now, as a
    // copy taken before anyone is told: the commands sent for them may read and
    // change the store without a reminder being repeated or skipped.
    std::vector<CEntry> DueEntries(const COleDateTime& now);
};
