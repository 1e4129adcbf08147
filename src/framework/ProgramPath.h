#pragma once

#include <string>

// The full path of the running executable, of any length; empty if Windows
// cannot tell it.
std::string ProgramPath();
// The folder that holds the executable, without a trailing backslash; empty if
// the path is unknown.
std::string ProgramFolder();
