#pragma once

#include <string>

// The program's display name: caption, tray tip, message texts and the first part
// of every note window's key.
extern const std::string ProgramTitle;
