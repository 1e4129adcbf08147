#pragma once

#include <windows.h>

#include <string>

// A key with its modifiers as RegisterHotKey takes them (MOD_ flags and a
// virtual-key code), read from and written as the user writes it:
// "Win+Shift+N", "Ctrl+Alt+F5". Unset: no key at all.
struct HotKey {
    UINT modifiers = 0;
    UINT key = 0;

    bool IsSet() const { return key != 0; }

    // Modifiers in any order and case, English or German names ("Strg",
    // "Umschalt"), then one letter, digit or F1 to F24. Empty text or "none"
    // gives an unset key. False for anything else, or a key without a modifier
    // (it would take the key from every program).
    static bool Parse(const std::string& text, HotKey& key);
    // The written form with the modifiers in Windows' order; translated: the
    // modifiers' names in the interface language.
    std::string Text(bool translated = false) const;
    // The key a field makes of a press: the virtual key with the MOD_ flags
    // held. Unset for a key that cannot be written (a modifier alone, an arrow)
    // or that has no modifier.
    static HotKey FromPress(UINT virtualKey, UINT modifiers);

    bool operator==(const HotKey& other) const { return modifiers == other.modifiers && key == other.key; }
};
