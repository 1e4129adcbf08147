#include "framework/Registry.h"

#include "framework/Handles.h"
#include "framework/Utf8.h"

#include <algorithm>
#include <vector>

namespace {

// The wide calls keep every character of a key, value name or string; the ANSI
// ones turn what the code page lacks into question marks. An empty name, like a
// null one, means the key's default value.
std::wstring WideName(const char* name)
{
    return Widen(name ? name : "");
}

RegistryKey Open(const std::string& path, REGSAM access)
{
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Widen(path).c_str(), 0, access, &raw) != ERROR_SUCCESS)
        return RegistryKey();
    return RegistryKey(raw);
}

RegistryKey Create(const std::string& path)
{
    HKEY raw = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, Widen(path).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw,
                          nullptr) != ERROR_SUCCESS)
        return RegistryKey();
    return RegistryKey(raw);
}

}  // namespace

namespace Registry {

bool ReadDword(const std::string& path, const char* entry, DWORD& value)
{
    RegistryKey key = Open(path, KEY_QUERY_VALUE);
    if (!key)
        return false;
    DWORD type = 0;
    DWORD data = 0;
    DWORD size = sizeof(data);
    if (::RegQueryValueExW(key.get(), WideName(entry).c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(data))
        return false;
    value = data;
    return true;
}

bool ReadString(const std::string& path, const char* entry, std::string& value)
{
    RegistryKey key = Open(path, KEY_QUERY_VALUE);
    if (!key)
        return false;
    const std::wstring name = WideName(entry);
    // The value may grow between the size query and the read: try again then.
    DWORD size = 0;  // in bytes, as the registry counts
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        std::vector<wchar_t> text(size / sizeof(wchar_t) + 2);
        DWORD got = size;
        const LONG result = ::RegQueryValueExW(key.get(), name.c_str(), nullptr, &type,
                                               size ? reinterpret_cast<BYTE*>(text.data()) : nullptr, &got);
        if (result == ERROR_MORE_DATA || (result == ERROR_SUCCESS && size == 0 && got > 0)) {
            size = got;
            continue;
        }
        if (result != ERROR_SUCCESS || type != REG_SZ)
            return false;
        // Stored strings need not end in a terminator (nor hold whole
        // characters); stop at the first one.
        text[std::min<size_t>(got, size) / sizeof(wchar_t)] = L'\0';
        value = Narrow(text.data());
        return true;
    }
    return false;
}

bool WriteDword(const std::string& path, const char* entry, DWORD value)
{
    RegistryKey key = Create(path);
    return key && ::RegSetValueExW(key.get(), WideName(entry).c_str(), 0, REG_DWORD,
                                   reinterpret_cast<const BYTE*>(&value), sizeof(value)) == ERROR_SUCCESS;
}

bool WriteString(const std::string& path, const char* entry, const std::string& value)
{
    RegistryKey key = Create(path);
    const std::wstring text = Widen(value);
    return key &&
           ::RegSetValueExW(key.get(), WideName(entry).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool DeleteValue(const std::string& path, const char* entry)
{
    HKEY raw = nullptr;
    LONG result = ::RegOpenKeyExW(HKEY_CURRENT_USER, Widen(path).c_str(), 0, KEY_SET_VALUE, &raw);
    if (result == ERROR_FILE_NOT_FOUND)
        return true;
    if (result != ERROR_SUCCESS)
        return false;
    RegistryKey key(raw);
    result = ::RegDeleteValueW(key.get(), WideName(entry).c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool DeleteTree(const std::string& path)
{
    const LONG result = ::RegDeleteTreeW(HKEY_CURRENT_USER, Widen(path).c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace Registry
