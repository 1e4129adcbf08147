#pragma once

#include <windows.h>

#include <string>

// Direct access to a program's settings under HKCU\Software\Velloran Software\<app>,
// beside the application object's own profile calls.
namespace TestRegistry {

std::string AppKey(const std::string& app);
void DeleteApp(const std::string& app);
bool ReadDword(const std::string& app, const char* section, const char* value, DWORD& out);
bool ReadString(const std::string& app, const char* section, const char* value, std::string& out);
void WriteDword(const std::string& app, const char* section, const char* value, DWORD data);
void WriteString(const std::string& app, const char* section, const char* value, const std::string& data);

}  // namespace TestRegistry
