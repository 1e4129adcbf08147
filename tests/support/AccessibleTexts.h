#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The names of a window's accessible children that are static texts, in their
// order, as a screen reader in this process or another finds them.
std::vector<std::string> AccessibleTexts(HWND window);
