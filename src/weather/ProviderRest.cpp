#include "weather/ProviderRest.h"

#include <algorithm>

void ProviderRest::Failed(std::int64_t now, std::int64_t asked)
{
    m_last = m_last == 0 ? kFirstRest : std::min(m_last * 2, kLongestRest);
    const std::int64_t rest = asked > 0 ? std::min(std::max(asked, m_last), kLongestAsked) : m_last;
    m_until = now + rest;
}

void ProviderRest::Answered()
{
    m_until = 0;
    m_last = 0;
}
