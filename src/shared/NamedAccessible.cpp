#include "shared/NamedAccessible.h"

NamedAccessible::NamedAccessible(HWND window, LONG objectId, std::string name)
    : DelegatingAccessible(window, objectId)
    , m_name(std::move(name))
{}

LRESULT NamedAccessible::AnswerFor(HWND window, WPARAM wParam, LPARAM lParam, const std::string& name)
{
    const LONG objectId = static_cast<LONG>(lParam);
    if (objectId != OBJID_CLIENT && objectId != OBJID_WINDOW)
        return 0;
    NamedAccessible* object = new NamedAccessible(window, objectId, name);
    const LRESULT answer = object->Answer(wParam);
    object->Release();
    return answer;
}

STDMETHODIMP NamedAccessible::get_accName(VARIANT child, BSTR* name)
{
    if (IsSelf(child))
        return ReturnText(m_name, name);
    return DelegatingAccessible::get_accName(child, name);
}
