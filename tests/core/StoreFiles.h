#pragma once

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

inline bool FileExists(const std::string& path)
{
    return std::ifstream(path).good();
}

const char* const DECLARATION = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n";
