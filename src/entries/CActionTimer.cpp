#include "entries/CActionTimer.h"

CActionTimer::CActionTimer() : CEntryStore("Timer")
{
}

CActionTimer::CActionTimer(const std::string& folder, const std::string& legacyFolder)
    : CEntryStore("Timer", folder, legacyFolder)
{
}
