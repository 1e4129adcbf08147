#pragma once

#include "base/Settings.h"

// The settings in the application's registry key, HKCU\Software\<company>
// \<program>\<section>, through the application object's profile calls. Without
// an application object there is no key to use: every call throws
// std::logic_error naming the value, rather than quietly giving defaults and
// losing writes.
class ProfileSettings : public Settings {
public:
    std::string GetString(const char* section, const char* name, const std::string& fallback) const override;
    int GetInt(const char* section, const char* name, int fallback) const override;
    bool WriteString(const char* section, const char* name, const std::string& value) override;
    bool WriteInt(const char* section, const char* name, int value) override;
};
