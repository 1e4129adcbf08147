#include "framework/Resources.h"

#include "framework/Utf8.h"

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
    wchar_t buffer[4100] = L"";
    const int length = ::LoadStringW(::GetModuleHandleW(nullptr), id, buffer, 4100);
    return length > 0 ? Narrow(std::wstring_view(buffer, static_cast<size_t>(length))) : std::string();
}
