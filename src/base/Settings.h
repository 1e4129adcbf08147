#pragma once

#include <string>

// The user's settings as named values in sections (under Windows the program's
// registry key). Reads give the default when a value is missing or unreadable.
class Settings {
public:
    virtual ~Settings() = default;
    virtual std::string GetString(const char* section, const char* name, const std::string& fallback) const = 0;
    virtual int GetInt(const char* section, const char* name, int fallback) const = 0;
    // False when the value could not be written.
    virtual bool WriteString(const char* section, const char* name, const std::string& value) = 0;
    virtual bool WriteInt(const char* section, const char* name, int value) = 0;
};
