#include "weather/WeatherStore.h"

#include "base/StoredNames.h"

WeatherStore::WeatherStore(const std::string& folder, FileSystem& files, const std::vector<std::string>& legacyFolders)
    : XmlStore(stored::kWeatherStore, folder, files, legacyFolders)
{}
