#include "keys/HotKey.h"

#include "shared/Translator.h"

#include <cctype>

namespace {

struct Modifier {
    UINT flag;
    const char* name;
    const char* german;
};
// In the order they are written.
const Modifier kModifiers[] = {
    {MOD_WIN, "Win", "Win"},
    {MOD_CONTROL, "Ctrl", "Strg"},
    {MOD_ALT, "Alt", "Alt"},
    {MOD_SHIFT, "Shift", "Umschalt"},
};

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

UINT KeyCode(const std::string& name)
{
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return static_cast<UINT>(std::toupper(static_cast<unsigned char>(name[0])));
    if (name.size() >= 2 && name.size() <= 3 && (name[0] == 'f' || name[0] == 'F')) {
        int number = 0;
        for (size_t i = 1; i < name.size(); ++i) {
            if (!std::isdigit(static_cast<unsigned char>(name[i])))
                return 0;
            number = number * 10 + (name[i] - '0');
        }
        if (number >= 1 && number <= 24)
            return VK_F1 + static_cast<UINT>(number - 1);
    }
    return 0;
}

}  // namespace

bool HotKey::Parse(const std::string& text, HotKey& key)
{
    const std::string whole = Trimmed(text);
    if (whole.empty() || Lower(whole) == "none") {
        key = HotKey();
        return true;
    }
    HotKey parsed;
    size_t start = 0;
    while (true) {
        const size_t plus = whole.find('+', start);
        const std::string part = Trimmed(whole.substr(start, plus == std::string::npos ? plus : plus - start));
        if (plus == std::string::npos) {
            parsed.key = KeyCode(part);
            break;
        }
        bool known = false;
        for (const Modifier& modifier : kModifiers) {
            if (Lower(part) == Lower(modifier.name) || Lower(part) == Lower(modifier.german)) {
                parsed.modifiers |= modifier.flag;
                known = true;
            }
        }
        if (!known)
            return false;
        start = plus + 1;
    }
    if (!parsed.key || !parsed.modifiers)
        return false;
    key = parsed;
    return true;
}

std::string HotKey::Text(bool translated) const
{
    if (!IsSet())
        return std::string();
    std::string text;
    for (const Modifier& modifier : kModifiers)
        if (modifiers & modifier.flag)
            text += (translated ? Translate(modifier.name) : std::string(modifier.name)) + "+";
    if (key >= VK_F1 && key <= VK_F24)
        return text + "F" + std::to_string(key - VK_F1 + 1);
    return text + static_cast<char>(key);
}

HotKey HotKey::FromPress(UINT virtualKey, UINT modifiers)
{
    HotKey press;
    press.modifiers = modifiers & (MOD_WIN | MOD_CONTROL | MOD_ALT | MOD_SHIFT);
    press.key = virtualKey;
    const bool letterOrDigit = (virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9');
    if (!press.modifiers || !(letterOrDigit || (virtualKey >= VK_F1 && virtualKey <= VK_F24)))
        return HotKey();
    return press;
}
