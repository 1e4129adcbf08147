#include "entries/CActionNotes.h"

CActionNotes::CActionNotes()
    : CEntryStore("Notes")
{}

CActionNotes::CActionNotes(const std::string& folder, const std::string& legacyFolder)
    : CEntryStore("Notes", folder, legacyFolder)
{}
