#include "support/TestRegistry.h"

#include "framework/Registry.h"

namespace TestRegistry {

namespace {

std::string SectionPath(const std::string& app, const char* section)
{
    return AppKey(app) + "\\" + section;
}

}  // namespace

std::string AppKey(const std::string& app)
{
    return "Software\\Velloran Software\\" + app;
}

void DeleteApp(const std::string& app)
{
    Registry::DeleteTree(AppKey(app));
}

bool ReadDword(const std::string& app, const char* section, const char* value, DWORD& out)
{
    return Registry::ReadDword(SectionPath(app, section), value, out);
}

bool ReadString(const std::string& app, const char* section, const char* value, std::string& out)
{
    return Registry::ReadString(SectionPath(app, section), value, out);
}

void WriteDword(const std::string& app, const char* section, const char* value, DWORD data)
{
    Registry::WriteDword(SectionPath(app, section), value, data);
}

void WriteString(const std::string& app, const char* section, const char* value, const std::string& data)
{
    Registry::WriteString(SectionPath(app, section), value, data);
}

}  // namespace TestRegistry
