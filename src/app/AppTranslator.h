#pragma once

#include "app/WndTranslator.h"

// Fills the process-wide table on construction (again on every construction, which
// leaves the table unchanged) and translates windows into the interface language
// when asked with language -1.
class CAppTranslator : public CWndTranslator {
public:
    CAppTranslator();
    void TranslateWindow(HWND window, int language) override;
};
