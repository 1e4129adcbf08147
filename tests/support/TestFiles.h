#pragma once

#include <windows.h>

#include <string>

// Files as the tests see them, read and stamped without the code under test.
// Paths are UTF-8, as the program's are.
namespace TestFiles {

// The whole file, byte for byte; empty when it cannot be read.
std::string Bytes(const std::string& path);
bool Write(const std::string& path, const std::string& bytes);
bool Exists(const std::string& path);

// The last write time in 100 ns steps since 1601; 0 when the file is missing.
ULONGLONG WriteTime(const std::string& path);
// Sets the last write time to a moment given in UTC, to the second.
bool SetWriteTime(const std::string& path, int year, int month, int day, int hour = 8, int minute = 30, int second = 0);

}  // namespace TestFiles
