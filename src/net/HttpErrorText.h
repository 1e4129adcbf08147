#pragma once

#include <windows.h>

#include <string>

// A readable one-line text for a Windows or WinInet error code (0: the
// thread's last error), written to target and returned.
std::string ComposeHttpErrorText(DWORD code, std::string& target);
