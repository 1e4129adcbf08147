#pragma once

#include <windows.h>

#include <string>

// The bytes of a resource, as they lie in the loaded module: valid as long as
// the module stays loaded, never to be freed.
struct ResourceBytes {
    const BYTE* data = nullptr;
    DWORD size = 0;

    explicit operator bool() const { return data != nullptr; }
};

// Resource id of the given type (a name such as "WAVE", or MAKEINTRESOURCEA of
// a number such as RT_RCDATA) in module; empty when it is not there.
ResourceBytes FindResourceBytes(HMODULE module, int id, const char* type);

// String table entry id of the program's module; empty when there is none.
std::string LoadResourceText(UINT id);
