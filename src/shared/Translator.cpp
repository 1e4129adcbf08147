#include "shared/Translator.h"

#include "shared/ProgramUi.h"
#include "shared/WebAddresses.h"

#include <windows.h>

int GetUiLanguage()
{
    switch (GetUserDefaultLangID()) {
    case 1031:  // Germany
    case 2055:  // Switzerland
    case 3079:  // Austria
    case 4103:  // Luxembourg
    case 5127:  // Liechtenstein
        return UiGerman;
    default: return UiEnglish;
    }
}

CTranslator& GetTranslator()
{
    return ProgramUi::Current().Translator();
}

std::string Translate(const std::string& text)
{
    return GetTranslator().Translate(text, GetUiLanguage());
}

const char* const kRecipientHint = "Separate multiple recipients with a semicolon e.g.:\r\n"
                                   "anna@example.com;ben@example.org";

std::string MailFooter()
{
    return "\n\n\n---------------\nThis is an Klimbim exclusively developed for " ZORLA_BRAND_URL
           "\n\nIf you can not open the attachment please visit our web site and download Zorla form there.";
}
