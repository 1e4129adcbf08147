#include "support/Text1252.h"

#include <windows.h>

#include <vector>

std::string Cp1252(const std::string& utf8)
{
    if (utf8.empty())
        return {};
    const int wide =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::vector<wchar_t> buffer(wide);
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), buffer.data(), wide);
    const int narrow = WideCharToMultiByte(1252, 0, buffer.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string result(narrow, '\0');
    WideCharToMultiByte(1252, 0, buffer.data(), wide, result.data(), narrow, nullptr, nullptr);
    return result;
}
