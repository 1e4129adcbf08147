#include "shared/Translator.h"

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

void CTranslator::Insert(const std::string& english, const std::string& stored)
{
    m_table[english] = stored;
}

std::string CTranslator::Translate(const std::string& text, int language) const
{
    if (language != UiGerman)
        return text;
    const auto found = m_table.find(text);
    if (found == m_table.end())
        return text;
    return found->second.substr(0, found->second.find('@'));
}

CTranslator& GetTranslator()
{
    static CTranslator translator;
    return translator;
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
