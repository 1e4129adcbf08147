#include "notes/NoteWindowRegistry.h"

bool NoteWindowRegistry::Open(const CEntry& entry)
{
    return m_windows.emplace(entry.GetKey(), NoteWindow{entry, false}).second;
}

bool NoteWindowRegistry::Forget(const std::string& key)
{
    return m_windows.erase(key) != 0;
}

bool NoteWindowRegistry::Due(const CEntry& entry)
{
    const auto found = m_windows.find(entry.GetKey());
    if (found == m_windows.end() || found->second.alerting)
        return false;
    found->second.alerting = true;
    return true;
}

std::vector<CEntry> NoteWindowRegistry::CloseAllKeepingState()
{
    std::vector<CEntry> kept;
    kept.reserve(m_windows.size());
    for (auto& [key, window] : m_windows)
        kept.push_back(window.entry);
    m_windows.clear();
    return kept;
}

bool NoteWindowRegistry::IsAlerting(const std::string& key) const
{
    const auto found = m_windows.find(key);
    return found != m_windows.end() && found->second.alerting;
}

const CEntry* NoteWindowRegistry::Find(const std::string& key) const
{
    const auto found = m_windows.find(key);
    return found == m_windows.end() ? nullptr : &found->second.entry;
}
