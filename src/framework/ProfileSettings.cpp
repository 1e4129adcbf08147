#include "framework/ProfileSettings.h"

#include "framework/AfxFunctions.h"
#include "framework/CWinApp.h"

#include <windows.h>

#include <stdexcept>
#include <string>

namespace {

// A call before the application object exists, or after it ended, is a fault
// of the program's start or end. Traced as well as thrown: a window procedure's
// boundary reports only where it caught the exception.
CWinApp& App(const char* action, const char* section, const char* name)
{
    if (CWinApp* app = AfxGetApp())
        return *app;
    const std::string text = std::string("ProfileSettings: no application object to ") + action + " \"" +
                             (section ? section : "(null)") + "\\" + (name ? name : "(null)") + "\"";
    ::OutputDebugStringA((text + "\n").c_str());
    throw std::logic_error(text);
}

}  // namespace

std::string ProfileSettings::GetString(const char* section, const char* name, const std::string& fallback) const
{
    return App("read", section, name).GetProfileString(section, name, fallback.c_str());
}

int ProfileSettings::GetInt(const char* section, const char* name, int fallback) const
{
    return static_cast<int>(App("read", section, name).GetProfileInt(section, name, fallback));
}

bool ProfileSettings::WriteString(const char* section, const char* name, const std::string& value)
{
    return App("write", section, name).WriteProfileString(section, name, value.c_str());
}

bool ProfileSettings::WriteInt(const char* section, const char* name, int value)
{
    return App("write", section, name).WriteProfileInt(section, name, value);
}
