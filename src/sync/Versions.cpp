#include "sync/Versions.h"

#include <algorithm>

Versions Versions::Parse(const std::string& text)
{
    Versions versions;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        const std::size_t colon = text.rfind(':', end - 1);
        if (end > at && colon != std::string::npos && colon > at && colon + 1 < end) {
            unsigned long long count = 0;
            bool digits = true;
            for (std::size_t i = colon + 1; i < end && digits; ++i) {
                digits = text[i] >= '0' && text[i] <= '9' && count <= (~0ULL - 9) / 10;
                count = count * 10 + static_cast<unsigned>(text[i] - '0');
            }
            if (digits && count > 0) {
                unsigned long long& known = versions.m_counts[text.substr(at, colon - at)];
                known = std::max(known, count);
            }
        }
        at = end + 1;
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
