#include "framework/Resources.h"

ResourceBytes FindResourceBytes(HMODULE module, int id, const char* type)
{
    ResourceBytes bytes;
    HRSRC resource = ::FindResourceA(module, MAKEINTRESOURCEA(id), type);
    HGLOBAL loaded = resource ? ::LoadResource(module, resource) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data)
        return bytes;
    bytes.data = static_cast<const BYTE*>(data);
    bytes.size = ::SizeofResource(module, resource);
    return bytes;
}

std::string LoadResourceText(UINT id)
{
    // A string table entry holds at most 4097 characters.
    char buffer[4100] = "";
    const int length = ::LoadStringA(::GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, length) : std::string();
}
