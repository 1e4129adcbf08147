#include "framework/SystemMessage.h"

bool SystemMessageText(DWORD code, std::string& text, HMODULE module)
{
    char* message = nullptr;
    const DWORD source = module ? FORMAT_MESSAGE_FROM_HMODULE : FORMAT_MESSAGE_FROM_SYSTEM;
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | source, module, code,
                         MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT), reinterpret_cast<char*>(&message), 0, nullptr);
    if (!message)
        return false;
    text.assign(message, length);
    ::LocalFree(message);
    return true;
}
