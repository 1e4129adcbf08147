#pragma once

#include "entries/CEntryStore.h"

// The reminders, kept in "Zorla_Timer".
class CActionTimer : public CEntryStore {
public:
    CActionTimer();
    explicit CActionTimer(const std::string& folder, const std::string& legacyFolder = std::string());

    int GetKind() override { return 1; }
};
