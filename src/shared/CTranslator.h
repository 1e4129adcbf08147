#pragma once

#include <string>
#include <unordered_map>

// Interface languages as GetUiLanguage reports them.
enum UiLanguage { UiGerman = 1, UiEnglish = 2 };

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
