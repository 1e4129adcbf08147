#include "notes/NoteWindowRegistry.h"

NoteWindowRegistry::NoteWindowRegistry() = default;

// The windows go before the pictures they show.
NoteWindowRegistry::~NoteWindowRegistry()
{
    m_windows.clear();
}

CNoteDlg* NoteWindowRegistry::Open(const CEntry& entry, CWnd* mainWindow)
{
    const std::string key = entry.GetKey();
    if (m_windows.count(key))
        return nullptr;
    Registered& registered = m_windows[key];
    registered.window = std::make_unique<CNoteDlg>(m_pictures, mainWindow);
    CNoteDlg* window = registered.window.get();
    window->SetEntry(entry, key);
    if (!window->DockIntoDesktop())
        return nullptr;
    // Shown without the focus: opening the stored notes must not take it from
    // the window the user is in, nor raise a note above the others.
    window->ShowWindow(SW_SHOWNOACTIVATE);
    return window;
}

bool NoteWindowRegistry::Forget(const std::string& key)
{
    const auto found = m_windows.find(key);
    if (found == m_windows.end())
        return false;
    // Out of the map first: the window's destruction must find the registry
    // consistent whatever it sends.
    std::unique_ptr<CNoteDlg> window = std::move(found->second.window);
    m_windows.erase(found);
    return true;
}

bool NoteWindowRegistry::Due(const CEntry& entry)
{
    const auto found = m_windows.find(entry.GetKey());
    if (found == m_windows.end() || found->second.alerting)
        return false;
    found->second.alerting = true;
    return true;
}

void NoteWindowRegistry::CloseAllKeepingState()
{
    std::map<std::string, Registered> windows;
    windows.swap(m_windows);
    for (auto& [key, registered] : windows)
        registered.window->CloseKeep(false);
}

bool NoteWindowRegistry::IsAlerting(const std::string& key) const
{
    const auto found = m_windows.find(key);
    return found != m_windows.end() && found->second.alerting;
}

CNoteDlg* NoteWindowRegistry::Find(const std::string& key) const
{
    const auto found = m_windows.find(key);
    return found == m_windows.end() ? nullptr : found->second.window.get();
}
