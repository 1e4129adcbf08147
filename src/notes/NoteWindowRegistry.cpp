#include "notes/NoteWindowRegistry.h"

#include "image/PLDIBSection.h"
#include "image/PLTextException.h"

#include <cstdlib>

namespace {

// Alerting windows whose corners lie this close would hide each other (at 96
// DPI; taken at the alerting window's scale).
const int kCovering = 16;
const int kShift = 24;

}  // namespace

NoteWindowRegistry::NoteWindowRegistry(SoundBoard* sounds)
    : m_sounds(sounds)
{}

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
    std::unique_ptr<CNoteDlg>& registered = m_windows[key];
    registered = std::make_unique<CNoteDlg>(m_pictures, m_cascade, mainWindow, m_sounds);
    CNoteDlg* window = registered.get();
    window->SetEntry(entry, key);
    window->SetModel(m_model);
    window->SetOwner(NoteWindowOwner{[this](const std::string& gone) { NoteGone(gone); },
                                     [this](const std::string& lost) { NoteLost(lost); },
                                     [this] { PutBackRaised(); }});
    if (!window->DockIntoDesktop())
        return nullptr;
    // Shown without the focus: opening the stored notes must not take it from
    // the window the user is in, nor raise a note above the others. Docking
    // shows it already, in the move that places it.
    if (!window->IsWindowVisible())
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
    std::unique_ptr<CNoteDlg> window = std::move(found->second);
    m_windows.erase(found);
    return true;
}

bool NoteWindowRegistry::Due(const CEntry& entry)
{
    CNoteDlg* window = Find(entry.GetKey());
    if (!window || !window->Alert())
        return false;
    if (window->m_hWnd)
        KeepApart(*window);
    return true;
}

void NoteWindowRegistry::KeepApart(CNoteDlg& alerting)
{
    const int covering = alerting.Scale().Px(kCovering);
    const int shift = alerting.Scale().Px(kShift);
    for (size_t tries = 0; tries < m_windows.size(); ++tries) {
        RECT place{};
        ::GetWindowRect(alerting, &place);
        bool covers = false;
        for (const auto& [key, window] : m_windows) {
            if (window.get() == &alerting || !window->IsAlerting() || !window->m_hWnd)
                continue;
            RECT other{};
            ::GetWindowRect(*window, &other);
            covers =
                covers || (std::abs(other.left - place.left) < covering && std::abs(other.top - place.top) < covering);
        }
        if (!covers)
            return;
        alerting.ShiftAlertBy(shift, shift);
    }
}

void NoteWindowRegistry::CloseAllKeepingState()
{
    std::map<std::string, std::unique_ptr<CNoteDlg>> windows;
    windows.swap(m_windows);
    for (auto& [key, window] : windows)
        window->CloseKeep(false);
}

bool NoteWindowRegistry::Change(const CEntry& entry)
{
    CNoteDlg* window = Find(entry.GetKey());
    if (!window)
        return false;
    window->TakeChange(entry);
    return true;
}

bool NoteWindowRegistry::Remove(const CEntry& entry)
{
    CNoteDlg* window = Find(entry.GetKey());
    if (!window)
        return false;
    // The window tells this registry when it goes, which deletes it.
    window->GoneElsewhere();
    return true;
}

void NoteWindowRegistry::SavePending()
{
    for (auto& [key, window] : m_windows)
        if (window->IsSavePending())
            window->SaveState(true);
}

void NoteWindowRegistry::RaiseAll()
{
    CNoteDlg* last = nullptr;
    for (auto& [key, window] : m_windows) {
        if (!window->m_hWnd)
            continue;
        window->Raise(false);
        last = window.get();
    }
    if (last)
        last->Raise(true);
}

bool NoteWindowRegistry::Bring(const std::string& key, bool blink)
{
    CNoteDlg* window = Find(key);
    if (!window || !window->m_hWnd)
        return false;
    window->Raise(true);
    if (blink)
        window->BlinkOnce();
    return true;
}

SIZE NoteWindowRegistry::NoteSize(const DisplayScale& scale)
{
    try {
        const PLDIBSection& picture = m_pictures.Background(EntryKind::Note, scale);
        return SIZE{picture.Width(), picture.Height()};
    } catch (const PLTextException&) {
        return scale.Size(SIZE{193, 218});
    }
}

bool NoteWindowRegistry::AnyRaised() const
{
    for (const auto& [key, window] : m_windows)
        if (window->IsRaised())
            return true;
    return false;
}

void NoteWindowRegistry::PutBackRaised()
{
    for (auto& [key, window] : m_windows)
        window->PutBack();
}

bool NoteWindowRegistry::Lost(const std::string& key)
{
    if (!m_windows.count(key))
        return false;
    m_lost.insert(key);
    return true;
}

void NoteWindowRegistry::NoteLost(const std::string& key)
{
    if (Lost(key) && m_onLost)
        m_onLost();
}

bool NoteWindowRegistry::FindLost()
{
    for (const auto& [key, window] : m_windows) {
        // Gone without its destruction running here: what it showed last
        // reached the store with its last save. The object lets go of the
        // handle when Rehome replaces it.
        if (window->m_hWnd && !::IsWindow(window->m_hWnd))
            m_lost.insert(key);
    }
    return HasLost();
}

size_t NoteWindowRegistry::Rehome(CWnd* mainWindow)
{
    std::set<std::string> lost;
    lost.swap(m_lost);
    size_t reopened = 0;
    for (const std::string& key : lost) {
        const auto found = m_windows.find(key);
        if (found == m_windows.end())
            continue;
        const CEntry entry = found->second->Entry();
        const bool alerting = found->second->IsAlerting();
        m_windows.erase(found);
        if (Open(entry, mainWindow)) {
            ++reopened;
            if (alerting)
                Due(entry);
        }
    }
    return reopened;
}

bool NoteWindowRegistry::IsAlerting(const std::string& key) const
{
    const CNoteDlg* window = Find(key);
    return window && window->IsAlerting();
}

CNoteDlg* NoteWindowRegistry::Find(const std::string& key) const
{
    const auto found = m_windows.find(key);
    return found == m_windows.end() ? nullptr : found->second.get();
}
