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
