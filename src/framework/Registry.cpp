#include "framework/Registry.h"

#include "framework/Handles.h"

#include <algorithm>
#include <vector>

namespace {

RegistryKey Open(const std::string& path, REGSAM access)
{
    HKEY raw = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, access, &raw) != ERROR_SUCCESS)
        return RegistryKey();
    return RegistryKey(raw);
}

RegistryKey Create(const std::string& path)
{
    HKEY raw = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr) !=
        ERROR_SUCCESS)
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
    if (::RegQueryValueExA(key.get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS ||
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
    // The value may grow between the size query and the read: try again then.
    DWORD size = 0;
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        std::vector<char> text(size + 1);
        DWORD got = size;
        const LONG result = ::RegQueryValueExA(key.get(), entry, nullptr, &type,
                                               size ? reinterpret_cast<BYTE*>(text.data()) : nullptr, &got);
        if (result == ERROR_MORE_DATA || (result == ERROR_SUCCESS && size == 0 && got > 0)) {
            size = got;
            continue;
        }
        if (result != ERROR_SUCCESS || type != REG_SZ)
            return false;
        // Stored strings need not end in a terminator; stop at the first one.
        text[std::min<size_t>(got, size)] = '\0';
        value = text.data();
        return true;
    }
    return false;
}

bool WriteDword(const std::string& path, const char* entry, DWORD value)
{
    RegistryKey key = Create(path);
    return key && ::RegSetValueExA(key.get(), entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                                   sizeof(value)) == ERROR_SUCCESS;
}

bool WriteString(const std::string& path, const char* entry, const std::string& value)
{
    RegistryKey key = Create(path);
    return key && ::RegSetValueExA(key.get(), entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                   static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool DeleteValue(const std::string& path, const char* entry)
{
    HKEY raw = nullptr;
    LONG result = ::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, &raw);
    if (result == ERROR_FILE_NOT_FOUND)
        return true;
    if (result != ERROR_SUCCESS)
        return false;
    RegistryKey key(raw);
    result = ::RegDeleteValueA(key.get(), entry);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

bool DeleteTree(const std::string& path)
{
    const LONG result = ::RegDeleteTreeA(HKEY_CURRENT_USER, path.c_str());
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace Registry
