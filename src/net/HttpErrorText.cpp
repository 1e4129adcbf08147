#include "net/HttpErrorText.h"

#include "framework/SystemMessage.h"

#include <wininet.h>

#include <cstdio>

namespace {

// Error texts end up on a one-line status display.
void ReplaceControlCharacters(std::string& text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = ' ';
}

// The system's text for the code, from the module's message table when one is given.
bool AppendMessageText(HMODULE module, DWORD code, std::string& target)
{
    std::string text;
    if (!SystemMessageText(code, text, module))
        return false;
    ReplaceControlCharacters(text);
    target += text;
    return true;
}

}  // namespace

std::string ComposeHttpErrorText(DWORD code, std::string& target)
{
    if (code == 0)
        code = ::GetLastError();
    target.clear();

    if (code == ERROR_INTERNET_EXTENDED_ERROR) {
        DWORD responseError = 0;
        DWORD size = 0;
        ::InternetGetLastResponseInfoA(&responseError, nullptr, &size);
        if (size != 0) {
            // One byte more than asked for, in case the size leaves out the zero.
            char* block = static_cast<char*>(::LocalAlloc(LMEM_ZEROINIT, size + 1));
            if (!block) {
                target = "Unable to allocate memory to display Internet extended error: ";
                code = ::GetLastError();
            } else {
                DWORD length = size + 1;
                const bool fetched = ::InternetGetLastResponseInfoA(&responseError, block, &length);
                const DWORD fetchError = ::GetLastError();
                if (fetched) {
                    std::string text(block);
                    ::LocalFree(block);
                    ReplaceControlCharacters(text);
                    target = text;
                    return target;
                }
                ::LocalFree(block);
                target = "Unable to get Internet extended error: ";
                code = fetchError;
            }
        }
    }

    HMODULE module = nullptr;
    if (code >= INTERNET_ERROR_BASE)
        module = ::LoadLibraryExA("wininet.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    // WinInet's codes that its own table lacks may still be known to the system.
    const bool found = AppendMessageText(module, code, target) || (module && AppendMessageText(nullptr, code, target));
    if (module)
        ::FreeLibrary(module);
    if (!found) {
        char text[32];
        std::snprintf(text, sizeof text, "Error %lu", code);
        target += text;
    }
    return target;
}
