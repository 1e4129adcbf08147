#pragma once

#include "base/AppContext.h"
#include "framework/WindowsFileSystem.h"

#include <string>

// The platform of the Windows test executables: the system's files and clock
// (fixed by ScopedTestClock), the executable's own registry key, and an HTTP
// fetch that starts nothing.
namespace TestPlatform {

WindowsFileSystem& Files();
// The context with the data files in folder and no earlier places to take
// files from.
AppContext Context(const std::string& folder);
// The same with the data folder CDataFolder gives now (a test's own while set).
AppContext Context();

}  // namespace TestPlatform
