#pragma once

#include "entries/CEntryStore.h"

// The notes, kept in "Zorla_Notes".
class CActionNotes : public CEntryStore {
public:
    CActionNotes();
    explicit CActionNotes(const std::string& folder, const std::string& legacyFolder = std::string());

    int GetKind() override { return 2; }
};
