#include "support/AccessibleTexts.h"

#include "framework/ComPtr.h"
#include "framework/Utf8.h"

#include <oleacc.h>

std::vector<std::string> AccessibleTexts(HWND window)
{
    std::vector<std::string> texts;
    ComPtr<IAccessible> client;
    if (FAILED(::AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible), client.put_void())) || !client)
        return texts;
    long count = 0;
    client->get_accChildCount(&count);
    for (long id = 1; id <= count; ++id) {
        VARIANT child;
        ::VariantInit(&child);
        child.vt = VT_I4;
        child.lVal = id;
        VARIANT role;
        ::VariantInit(&role);
        BSTR name = nullptr;
        if (SUCCEEDED(client->get_accRole(child, &role)) && role.vt == VT_I4 && role.lVal == ROLE_SYSTEM_STATICTEXT &&
            SUCCEEDED(client->get_accName(child, &name)) && name) {
            texts.push_back(Narrow(name));
            ::SysFreeString(name);
        }
    }
    return texts;
}
