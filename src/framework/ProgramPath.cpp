#include "framework/ProgramPath.h"

#include "framework/Utf8.h"

#include <windows.h>

#include <vector>

std::string ProgramPath()
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::string();
        // A path that fills the buffer may have been cut short (and on older
        // systems is not even terminated): try again with more room.
        if (length < path.size())
            return Narrow(std::wstring_view(path.data(), length));
        path.resize(path.size() * 2);
    }
}

std::string ProgramFolder()
{
    const std::string path = ProgramPath();
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
