#pragma once

#include "store/XmlStore.h"

// The last good weather feed, kept as the server sent it in "Zorla_Weather", so
// the weather shows at once after a start.
class WeatherStore : public XmlStore {
public:
    WeatherStore(const std::string& folder, FileSystem& files, const std::vector<std::string>& legacyFolders = {});
};
