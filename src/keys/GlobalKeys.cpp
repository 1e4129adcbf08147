#include "keys/GlobalKeys.h"

#include "base/Settings.h"
#include "base/StoredNames.h"
#include "framework/AfxFunctions.h"
#include "resource.h"
#include "shared/Translator.h"

#include <cstdio>

GlobalKeys::GlobalKeys(Settings& settings)
    : m_settings(settings)
{}

GlobalKeys::~GlobalKeys()
{
    Unregister();
}

const std::vector<GlobalKeys::Binding>& GlobalKeys::Bindings()
{
    static const std::vector<Binding> bindings = {
        {ID_NEW_NOTE, stored::kNewNoteKey, "Win+Shift+N", "New note"},
        {ID_SHOW_ALL_NOTES, stored::kShowAllNotesKey, "Win+Shift+Z", "Show all notes"},
        {ID_FIND_NOTE, stored::kFindNoteKey, "Win+Shift+F", "Find a note..."},
    };
    return bindings;
}

std::vector<GlobalKeys::Refusal> GlobalKeys::Register(HWND window)
{
    Unregister();
    m_window = window;
    m_held.assign(Bindings().size(), HotKey());
    std::vector<Refusal> refusals;
    for (size_t i = 0; i < Bindings().size(); ++i) {
        const Binding& binding = Bindings()[i];
        const std::string missing = "\x01";
        std::string text = m_settings.GetString(stored::kKeysSection, binding.setting, missing);
        if (text == missing) {
            text = binding.fallback;
            m_settings.WriteString(stored::kKeysSection, binding.setting, text);
        }
        HotKey key;
        const bool understood = HotKey::Parse(text, key);
        const bool held = understood && key.IsSet() &&
                          ::RegisterHotKey(window, static_cast<int>(i), key.modifiers | MOD_NOREPEAT, key.key);
        // Told once per text: the same refusal at the next start stays quiet.
        const std::string refusedName = std::string(stored::kRefusedKeyPrefix) + binding.setting;
        const std::string refused = m_settings.GetString(stored::kKeysSection, refusedName.c_str(), "");
        if (held || (understood && !key.IsSet())) {
            m_held[i] = key;
            if (!refused.empty())
                m_settings.WriteString(stored::kKeysSection, refusedName.c_str(), "");
            continue;
        }
        if (refused == text)
            continue;
        m_settings.WriteString(stored::kKeysSection, refusedName.c_str(), text);
        refusals.push_back(Refusal{&binding, understood ? key.Text(true) : text, understood});
    }
    return refusals;
}

void GlobalKeys::Unregister()
{
    for (size_t i = 0; i < m_held.size(); ++i)
        if (m_held[i].IsSet())
            ::UnregisterHotKey(m_window, static_cast<int>(i));
    m_held.clear();
    m_window = nullptr;
}

GlobalKeys::Change GlobalKeys::Set(size_t binding, const HotKey& key)
{
    if (binding >= Bindings().size())
        return Change::None;
    m_held.resize(Bindings().size());
    for (size_t other = 0; other < m_held.size(); ++other)
        if (other != binding && key.IsSet() && m_held[other] == key)
            return Change::HeldByZorla;
    const Binding& chosen = Bindings()[binding];
    m_settings.WriteString(stored::kKeysSection, chosen.setting, key.Text());
    if (m_held[binding].IsSet() && m_window)
        ::UnregisterHotKey(m_window, static_cast<int>(binding));
    m_held[binding] = HotKey();
    const std::string refusedName = std::string(stored::kRefusedKeyPrefix) + chosen.setting;
    const bool held = key.IsSet() && m_window &&
                      ::RegisterHotKey(m_window, static_cast<int>(binding), key.modifiers | MOD_NOREPEAT, key.key);
    m_settings.WriteString(stored::kKeysSection, refusedName.c_str(), key.IsSet() && !held ? key.Text() : "");
    if (!key.IsSet())
        return Change::None;
    if (!held)
        return Change::HeldElsewhere;
    m_held[binding] = key;
    return Change::Held;
}

std::string GlobalKeys::SettingText(size_t binding) const
{
    return binding < Bindings().size()
               ? m_settings.GetString(stored::kKeysSection, Bindings()[binding].setting, Bindings()[binding].fallback)
               : std::string();
}

UINT GlobalKeys::CommandFor(WPARAM id) const
{
    return id < m_held.size() && m_held[id].IsSet() ? Bindings()[id].command : 0;
}

std::string GlobalKeys::ShownKey(UINT command) const
{
    for (size_t i = 0; i < m_held.size(); ++i)
        if (Bindings()[i].command == command)
            return m_held[i].Text(true);
    return std::string();
}

std::string GlobalKeys::Message(const Refusal& refusal)
{
    // The registry key is named after the executable, as the application's is.
    const std::string program = AfxGetModuleBaseName();
    const std::string where = std::string("HKEY_CURRENT_USER\\Software\\") + stored::kRegistryCompany + "\\" +
                              program + "\\" + stored::kKeysSection + "\\" + refusal.binding->setting;
    std::string name = Translate(refusal.binding->name);
    if (name.size() > 3 && name.compare(name.size() - 3, 3, "...") == 0)
        name.resize(name.size() - 3);
    const char* format = refusal.understood
                             ? "%s is used by another program, so it cannot give Zorla's \"%s\".\n\nAnother key can be "
                               "set in the registry: %s"
                             : "\"%s\" is not a key Zorla understands (for example Win+Shift+N), so \"%s\" has no "
                               "key.\n\nThe key is set in the registry: %s";
    char text[1024];
    std::snprintf(text, sizeof text, Translate(format).c_str(), refusal.keyText.c_str(), name.c_str(), where.c_str());
    return text;
}
