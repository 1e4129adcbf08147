#pragma once

#include "shared/WndTranslator.h"

class CTranslator;

// Puts the program's English to German pairs into table; filling it again leaves
// it unchanged. The application fills the process-wide table at start-up.
void FillTranslationTable(CTranslator& table);

// Translates windows into the interface language when asked with language -1.
class CAppTranslator : public CWndTranslator {
public:
    void TranslateWindow(HWND window, int language) override;
};
