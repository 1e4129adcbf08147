#include "framework/ProfileSettings.h"

#include "framework/AfxFunctions.h"
#include "framework/CWinApp.h"

std::string ProfileSettings::GetString(const char* section, const char* name, const std::string& fallback) const
{
    CWinApp* app = AfxGetApp();
    return app ? app->GetProfileString(section, name, fallback.c_str()) : fallback;
}

int ProfileSettings::GetInt(const char* section, const char* name, int fallback) const
{
    CWinApp* app = AfxGetApp();
    return app ? static_cast<int>(app->GetProfileInt(section, name, fallback)) : fallback;
}

bool ProfileSettings::WriteString(const char* section, const char* name, const std::string& value)
{
    CWinApp* app = AfxGetApp();
    return app && app->WriteProfileString(section, name, value.c_str());
}

bool ProfileSettings::WriteInt(const char* section, const char* name, int value)
{
    CWinApp* app = AfxGetApp();
    return app && app->WriteProfileInt(section, name, value);
}
