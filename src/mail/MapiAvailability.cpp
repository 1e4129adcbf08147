#include "mail/MapiAvailability.h"

#include <windows.h>

namespace {

// -1 until looked up. Asked on the user-interface thread only.
int g_available = -1;

bool LookUp()
{
    if (::GetProfileIntA("MAIL", "MAPI", 0) == 0)
        return false;
    char found[MAX_PATH] = "";
    return ::SearchPathA(nullptr, "MAPI32.DLL", nullptr, MAX_PATH, found, nullptr) != 0;
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
