#include "framework/AnsiPath.h"

#include "framework/Utf8.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace {

bool IsAscii(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::wstring ShortName(const std::wstring& path)
{
    const DWORD needed = ::GetShortPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0)
        return std::wstring();
    std::vector<wchar_t> shortPath(needed);
    const DWORD length = ::GetShortPathNameW(path.c_str(), shortPath.data(), needed);
    return length == 0 || length >= needed ? std::wstring() : std::wstring(shortPath.data(), length);
}

// Empty when a letter is missing from the code page: no best fit, which would
// turn "Ł" into "L" and name another file.
std::string InAnsiCodePage(const std::wstring& path)
{
    BOOL lossy = FALSE;
    const int length = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(), static_cast<int>(path.size()),
                                             nullptr, 0, nullptr, &lossy);
    if (length <= 0 || lossy)
        return std::string();
    std::string result(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path.c_str(), static_cast<int>(path.size()), &result[0], length,
                          nullptr, &lossy);
    return lossy ? std::string() : result;
}

}  // namespace

std::string PathForAnsiCalls(const std::string& utf8Path)
{
    if (IsAscii(utf8Path))
        return utf8Path;
    const std::wstring wide = Widen(utf8Path);
    const std::string shortName = Narrow(ShortName(wide));
    if (!shortName.empty() && IsAscii(shortName))
        return shortName;
    const std::string ansi = InAnsiCodePage(wide);
    return ansi.empty() ? utf8Path : ansi;
}
