#pragma once

#include "base/Platform.h"
#include "framework/WindowsFileSystem.h"
#include "shared/AppContext.h"

// The platform of the Windows test executables: the system's files and clock
// (fixed by ScopedTestClock), the executable's own registry key, and an HTTP
// fetch that starts nothing.
namespace TestPlatform {

WindowsFileSystem& Files();
Platform Get();
// The context the application hands down, with the data folder CDataFolder
// gives now (a test's own while set) and no earlier places to take files from.
AppContext Context();

}  // namespace TestPlatform
