#pragma once

#include <string>

// The full path of the running executable as UTF-8, of any length; empty if
// Windows cannot tell it.
std::string ProgramPath();
// The folder that holds the executable, without a trailing backslash; empty if
// the path is unknown.
std::string ProgramFolder();
