#pragma once

#include "base/Clock.h"
#include "base/FileSystem.h"
#include "base/Settings.h"

#include <string>
#include <vector>

// What the application hands down to its windows and through them to the model:
// where the data files live (and where earlier versions kept them), and the
// system's clock, files and settings. Every part outlives the windows.
struct AppContext {
    std::string dataFolder;
    std::vector<std::string> legacyFolders;
    FileSystem& files;
    const Clock& clock;
    Settings& settings;
};
