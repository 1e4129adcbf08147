#pragma once

#include <windows.h>

#include <string>

// A fresh folder under the temporary folder, named after this process.
inline std::string TempFolder(const char* name)
{
    char base[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, base);
    const std::string folder = std::string(base) + name + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// A file in the folder of this benchmark's executable.
inline std::string BesideThisProgram(const char* name)
{
    char exe[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const std::string path = exe;
    return path.substr(0, path.rfind('\\') + 1) + name;
}
