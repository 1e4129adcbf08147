#include "shared/UninstallListFile.h"

#include "framework/Handles.h"
#include "framework/Utf8.h"

#include <windows.h>

namespace {

const char kByteOrderMark[] = "\xFF\xFE";

bool ReadBytes(const std::string& path, std::string& bytes)
{
    KernelHandle file(::CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    // The installer's list is a few lines; anything huge is not it.
    if (!file || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > 16 * 1024 * 1024)
        return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    return bytes.empty() || (::ReadFile(file.get(), &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr) &&
                             read == bytes.size());
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    KernelHandle file(
        ::CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && ::FlushFileBuffers(file.get());
}

bool Replace(const std::string& path, const std::string& bytes)
{
    const std::wstring temporary = Widen(path + ".new");
    if (WriteBytes(path + ".new", bytes) &&
        ::MoveFileExW(temporary.c_str(), Widen(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    ::DeleteFileW(temporary.c_str());
    return false;
}

}  // namespace

namespace UninstallListFile {

std::string Decode(const std::string& bytes)
{
    if (bytes.compare(0, 2, kByteOrderMark) == 0) {
        std::wstring text((bytes.size() - 2) / 2, L'\0');
        for (size_t i = 0; i < text.size(); ++i)
            text[i] = static_cast<wchar_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                           static_cast<unsigned char>(bytes[3 + 2 * i]) << 8);
        return Narrow(text);
    }
    if (bytes.empty())
        return std::string();
    const int length = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], length);
    return Narrow(text);
}

std::string Encode(const std::string& text)
{
    std::string bytes = kByteOrderMark;
    for (const wchar_t unit : Widen(text)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>((unit >> 8) & 0xFF);
    }
    return bytes;
}

void Edit(const std::string& path, const std::function<bool(std::string&)>& edit)
{
    std::string bytes;
    if (!ReadBytes(path, bytes))
        return;
    std::string text = Decode(bytes);
    if (edit(text))
        Replace(path, Encode(text));
}

}  // namespace UninstallListFile
