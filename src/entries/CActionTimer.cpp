#include "entries/CActionTimer.h"

#include <algorithm>

CActionTimer::CActionTimer()
    : CEntryStore("Timer")
{}

CActionTimer::CActionTimer(const std::string& folder, const std::string& legacyFolder)
    : CEntryStore("Timer", folder, legacyFolder)
{}

std::vector<CEntry> CActionTimer::DueEntries(const COleDateTime& now)
{
    std::vector<CEntry> due = ReadAll();
    due.erase(
        std::remove_if(due.begin(), due.end(), [&](const CEntry& entry) { return entry.GetReminderTime() > now; }),
        due.end());
    return due;
}
