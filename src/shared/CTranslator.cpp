#include "shared/CTranslator.h"

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
