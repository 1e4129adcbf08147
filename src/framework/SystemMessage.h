#pragma once

#include <windows.h>

#include <string>

// The system's text for an error code (FormatMessageA), from module's message
// table when a module is given (WinInet's codes, for example), else from the
// system's; the text as the system gives it, line breaks included. False and
// text untouched when there is none.
bool SystemMessageText(DWORD code, std::string& text, HMODULE module = nullptr);
