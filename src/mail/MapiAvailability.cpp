#include "mail/MapiAvailability.h"

#include <windows.h>

namespace {

// -1 until looked up. Asked on the user-interface thread only.
int g_available = -1;

bool LookUp()
{
    if (::GetProfileIntA("MAIL", "MAPI", 0) == 0)
        return false;
    // Only whether it is found counts: without room for the path, the call
    // gives the length it needs, which is not 0.
    wchar_t noRoom[1] = L"";
    return ::SearchPathW(nullptr, L"MAPI32.DLL", nullptr, 1, noRoom, nullptr) != 0;
}

}  // namespace

bool IsMapiAvailable()
{
    if (g_available < 0)
        g_available = LookUp() ? 1 : 0;
    return g_available != 0;
}

void ForgetMapiAvailability()
{
    g_available = -1;
}
