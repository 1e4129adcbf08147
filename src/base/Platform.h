#pragma once

#include "base/Clock.h"
#include "base/FileSystem.h"
#include "base/HttpFetch.h"
#include "base/Settings.h"

// What the program's logic needs of the system it runs on, handed down from
// the application (or a test) to the model. Every part must outlive the model.
struct Platform {
    FileSystem& files;
    const Clock& clock;
    Settings& settings;
    HttpFetch& http;
};
