#pragma once

#include <windows.h>

#include <string>

// The world's city table that the program carries as a resource
// (res/cities/CityTable.bin, read by weather/CityTable): its bytes, or false and
// error saying what is missing when module has none.
bool ReadCityTableResource(HMODULE module, std::string& bytes, std::string& error);
