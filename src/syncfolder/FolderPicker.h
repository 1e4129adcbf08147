#pragma once

#include <windows.h>

#include <string>

// The system's folder picker; the chosen folder, or empty when the user
// cancelled or chose something that is no folder of the file system.
std::string PickFolder(HWND owner, const std::string& prompt);
