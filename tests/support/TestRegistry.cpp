#include "support/TestRegistry.h"

namespace TestRegistry {

std::string AppKey(const std::string& app)
{
    return "Software\\Velloran Software\\" + app;
}

void DeleteApp(const std::string& app)
{
    RegDeleteTreeA(HKEY_CURRENT_USER, AppKey(app).c_str());
}

namespace {

bool Query(const std::string& app, const char* section, const char* value, DWORD type, void* data, DWORD size)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, (AppKey(app) + "\\" + section).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD actual = 0;
    const LONG result = RegQueryValueExA(key, value, nullptr, &actual, static_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS && actual == type;
}

void Set(const std::string& app, const char* section, const char* value, DWORD type, const void* data, DWORD size)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, (AppKey(app) + "\\" + section).c_str(), 0, nullptr, 0, KEY_WRITE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, value, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

}  // namespace

bool ReadDword(const std::string& app, const char* section, const char* value, DWORD& out)
{
    return Query(app, section, value, REG_DWORD, &out, sizeof out);
}

bool ReadString(const std::string& app, const char* section, const char* value, std::string& out)
{
    char buffer[1024] = "";
    if (!Query(app, section, value, REG_SZ, buffer, sizeof buffer - 1))
        return false;
    out = buffer;
    return true;
}

void WriteDword(const std::string& app, const char* section, const char* value, DWORD data)
{
    Set(app, section, value, REG_DWORD, &data, sizeof data);
}

void WriteString(const std::string& app, const char* section, const char* value, const std::string& data)
{
    Set(app, section, value, REG_SZ, data.c_str(), static_cast<DWORD>(data.size() + 1));
}

}  // namespace TestRegistry
