#include "sync/Versions.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

Versions Versions::Parse(const std::string& text)
{
    Versions versions;
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        const std::size_t colon = word.rfind(':');
        if (colon == 0 || colon == std::string::npos || colon + 1 == word.size())
            continue;
        char* end = nullptr;
        const unsigned long long count = std::strtoull(word.c_str() + colon + 1, &end, 10);
        if (*end != '\0' || count == 0)
            continue;
        unsigned long long& known = versions.m_counts[word.substr(0, colon)];
        known = std::max(known, count);
    }
    return versions;
}

std::string Versions::Text() const
{
    std::string text;
    for (const auto& [computer, count] : m_counts) {
        if (!text.empty())
            text += ' ';
        text += computer + ':' + std::to_string(count);
    }
    return text;
}

Versions::Order Versions::Compare(const Versions& other) const
{
    bool mineAhead = false;
    bool theirsAhead = false;
    for (const auto& [computer, count] : m_counts) {
        const auto theirs = other.m_counts.find(computer);
        const unsigned long long theirCount = theirs == other.m_counts.end() ? 0 : theirs->second;
        mineAhead |= count > theirCount;
        theirsAhead |= count < theirCount;
    }
    for (const auto& [computer, count] : other.m_counts)
        theirsAhead |= count > 0 && m_counts.count(computer) == 0;
    if (mineAhead && theirsAhead)
        return Order::Apart;
    if (mineAhead)
        return Order::Newer;
    return theirsAhead ? Order::Older : Order::Same;
}

void Versions::Count(const std::string& computer)
{
    ++m_counts[computer];
}

void Versions::Join(const Versions& other)
{
    for (const auto& [computer, count] : other.m_counts) {
        unsigned long long& known = m_counts[computer];
        known = std::max(known, count);
    }
}
