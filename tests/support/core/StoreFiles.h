#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// Whole files as bytes, so tests see exactly what the store wrote.
inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Without opening the file: a reader holding it open would stop a save's
// replace under Windows.
inline bool FileExists(const std::string& path)
{
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::u8path(path), ignored);
}

const char* const DECLARATION = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";
