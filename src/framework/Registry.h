#pragma once

#include <windows.h>

#include <string>

// Values under HKEY_CURRENT_USER\<path>. Reads give false (and leave the output
// alone) when the key or value is missing or of another type; writes create the
// key when needed.
namespace Registry {

bool ReadDword(const std::string& path, const char* entry, DWORD& value);
bool ReadString(const std::string& path, const char* entry, std::string& value);
bool WriteDword(const std::string& path, const char* entry, DWORD value);
bool WriteString(const std::string& path, const char* entry, const std::string& value);
// A value or a whole key that is not there counts as deleted.
bool DeleteValue(const std::string& path, const char* entry);
bool DeleteTree(const std::string& path);

}  // namespace Registry
