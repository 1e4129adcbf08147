#pragma once

#include "shared/CTranslator.h"

#include <string>

// 1 (German) when the user's default language is a German variant, else 2.
int GetUiLanguage();

// The table of the program's interface (ProgramUi); filled by the first
// CAppTranslator.
CTranslator& GetTranslator();

// Shorthand for GetTranslator().Translate(text, GetUiLanguage()).
std::string Translate(const std::string& text);

// Texts of the send-to-friend dialog that are keys of the table as a whole.
extern const char* const kRecipientHint;
std::string MailFooter();
