#pragma once

#include "keys/HotKey.h"

#include <windows.h>

#include <string>
#include <vector>

class Settings;

// The keys that reach the program from wherever the user is: a new note, every
// note in front, and finding a note. Each is a setting the user may change;
// the defaults use the Windows key, which no keyboard layout types with
// (Ctrl+Alt is AltGr on many). A key that another program holds, or a setting
// that names no key, is told to the user once, not at every start.
class GlobalKeys {
public:
    struct Binding {
        UINT command;
        const char* setting;   // value in the "Keys" section
        const char* fallback;  // when the setting is missing
        const char* name;      // the command as the menu names it (English)
    };
    // What the user should hear of: a key held elsewhere, or a setting that
    // names no key.
    struct Refusal {
        const Binding* binding;
        std::string keyText;
        bool understood;
    };

    // What became of a key the user chose while the program runs.
    enum class Change { Held, None, HeldElsewhere, HeldByZorla };

    explicit GlobalKeys(Settings& settings);
    ~GlobalKeys();
    GlobalKeys(const GlobalKeys&) = delete;
    GlobalKeys& operator=(const GlobalKeys&) = delete;

    static const std::vector<Binding>& Bindings();

    // Registers every key for window (WM_HOTKEY, with the binding's index as
    // id). Returns the refusals the user has not heard of yet. A missing
    // setting is written with its default, so the user finds it to change.
    std::vector<Refusal> Register(HWND window);
    void Unregister();
    // Makes key the binding's at once, in its setting and on the window of
    // Register. A key another program holds is kept in the setting but not
    // told again at the next start: the user has just heard of it. One of the
    // other bindings' keys changes nothing.
    Change Set(size_t binding, const HotKey& key);
    // The binding's setting as written, and whether its key is held now.
    std::string SettingText(size_t binding) const;
    bool Holds(size_t binding) const { return binding < m_held.size() && m_held[binding].IsSet(); }
    // The command of a WM_HOTKEY's id; 0 for none.
    UINT CommandFor(WPARAM id) const;
    // The key that runs command now, as the menu shows it; empty when none.
    std::string ShownKey(UINT command) const;
    // The message for a refusal, translated.
    static std::string Message(const Refusal& refusal);

private:
    Settings& m_settings;
    HWND m_window = nullptr;
    // The key held for each binding, unset where none is.
    std::vector<HotKey> m_held;
};
