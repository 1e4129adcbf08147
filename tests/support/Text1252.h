#pragma once

#include <string>

// Test sources are UTF-8; the program's texts are Windows-1252 bytes.
std::string Cp1252(const std::string& utf8);
