#pragma once

#include <string>
#include <unordered_map>

// Interface languages as GetUiLanguage reports them.
enum UiLanguage { UiGerman = 1, UiEnglish = 2 };

// 1 (German) when the user's default language is a German variant, else 2.
int GetUiLanguage();

// The English to German table. Keys are whole texts, case-sensitive, mnemonics
// included; a stored value may carry further "@"-separated fields that are unused.
class CTranslator {
public:
    void Insert(const std::string& english, const std::string& stored);
    std::string Translate(const std::string& text, int language) const;
    size_t Size() const { return m_table.size(); }

private:
    std::unordered_map<std::string, std::string> m_table;
};

// The process-wide table; filled by the first CAppTranslator.
CTranslator& GetTranslator();

// Shorthand for GetTranslator().Translate(text, GetUiLanguage()).
std::string Translate(const std::string& text);

// Texts of the send-to-friend dialog that are keys of the table as a whole.
extern const char* const kRecipientHint;
std::string MailFooter();
