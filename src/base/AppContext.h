#pragma once

#include "base/Clock.h"
#include "base/FileSystem.h"
#include "base/HttpFetch.h"
#include "base/Settings.h"

#include <string>
#include <vector>

// What the application (or a test) hands down to the program's services and
// through them to the model: where the data files live (and where earlier
// versions kept them), and the system's clock, files, settings and HTTP. The
// HTTP fetch is made by whoever runs the downloads (the services, on a window
// of their own); the model needs it set. Every part outlives the holders.
struct AppContext {
    std::string dataFolder;
    std::vector<std::string> legacyFolders;
    FileSystem& files;
    const Clock& clock;
    Settings& settings;
    HttpFetch* http = nullptr;
    // What the program's requests to open services name it by: the program,
    // its version and how its maker is reached.
    std::string agent = "Zorla/1.0";
};
