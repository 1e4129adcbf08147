#include "shared/CityTableResource.h"

#include "framework/Resources.h"

#include "resource.h"

bool ReadCityTableResource(HMODULE module, std::string& bytes, std::string& error)
{
    const ResourceBytes resource = FindResourceBytes(module, IDR_CITY_TABLE, MAKEINTRESOURCEA(10));  // RT_RCDATA
    if (!resource || resource.size == 0) {
        bytes.clear();
        error = "the program carries no city table (resource " + std::to_string(IDR_CITY_TABLE) + " is missing)";
        return false;
    }
    bytes.assign(reinterpret_cast<const char*>(resource.data), resource.size);
    return true;
}
