#include "mainwnd/MainAccessible.h"

#include "mainwnd/HotSpotAccess.h"
#include "mainwnd/PictureTextAccess.h"

namespace {

void SetChild(VARIANT* out, long child)
{
    ::VariantInit(out);
    out->vt = VT_I4;
    out->lVal = child;
}

}  // namespace

MainAccessible::MainAccessible(HWND window, HotSpotAccess& access, PictureTextAccess& texts)
    : DelegatingAccessible(window, OBJID_CLIENT)
    , m_window(window)
    , m_access(&access)
    , m_texts(&texts)
{}

bool MainAccessible::IsHotSpot(const VARIANT& child) const
{
    return m_access && child.vt == VT_I4 && m_access->HotSpotOf(child.lVal) != 0;
}

long MainAccessible::TextOf(const VARIANT& child) const
{
    if (!m_access || !m_texts || child.vt != VT_I4)
        return -1;
    const long index = child.lVal - 1 - m_access->ChildCount();
    return index >= 0 && index < m_texts->Count() ? index : -1;
}

long MainAccessible::Count() const
{
    return m_access && m_texts ? m_access->ChildCount() + m_texts->Count() : 0;
}

HRESULT MainAccessible::NoText(BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    return S_FALSE;
}

STDMETHODIMP MainAccessible::get_accChildCount(long* count)
{
    if (!count)
        return E_POINTER;
    if (!m_access)
        return CO_E_OBJNOTCONNECTED;
    *count = Count();
    return S_OK;
}

// The hot spots and texts are simple elements: the parent answers for them.
STDMETHODIMP MainAccessible::get_accChild(VARIANT child, IDispatch** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    return IsHotSpot(child) || IsText(child) ? S_FALSE : E_INVALIDARG;
}

STDMETHODIMP MainAccessible::get_accName(VARIANT child, BSTR* name)
{
    if (IsHotSpot(child))
        return ReturnText(m_access->Name(child.lVal), name);
    if (IsText(child))
        return ReturnText(m_texts->Name(TextOf(child)), name);
    return DelegatingAccessible::get_accName(child, name);
}

STDMETHODIMP MainAccessible::get_accValue(VARIANT child, BSTR* value)
{
    return IsHotSpot(child) || IsText(child) ? NoText(value) : DelegatingAccessible::get_accValue(child, value);
}

STDMETHODIMP MainAccessible::get_accDescription(VARIANT child, BSTR* description)
{
    if (IsHotSpot(child) || IsText(child))
        return NoText(description);
    return DelegatingAccessible::get_accDescription(child, description);
}

STDMETHODIMP MainAccessible::get_accHelp(VARIANT child, BSTR* help)
{
    return IsHotSpot(child) || IsText(child) ? NoText(help) : DelegatingAccessible::get_accHelp(child, help);
}

STDMETHODIMP MainAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    if (IsHotSpot(child) || IsText(child))
        return NoText(shortcut);
    return DelegatingAccessible::get_accKeyboardShortcut(child, shortcut);
}

STDMETHODIMP MainAccessible::get_accRole(VARIANT child, VARIANT* role)
{
    if (!IsHotSpot(child) && !IsText(child))
        return DelegatingAccessible::get_accRole(child, role);
    if (!role)
        return E_POINTER;
    SetChild(role, IsText(child) ? ROLE_SYSTEM_STATICTEXT : ROLE_SYSTEM_PUSHBUTTON);
    return S_OK;
}

STDMETHODIMP MainAccessible::get_accState(VARIANT child, VARIANT* state)
{
    if (IsText(child)) {
        if (!state)
            return E_POINTER;
        SetChild(state, STATE_SYSTEM_READONLY);
        return S_OK;
    }
    if (!IsHotSpot(child))
        return DelegatingAccessible::get_accState(child, state);
    if (!state)
        return E_POINTER;
    const bool focused = m_access->FocusedChild() == child.lVal;
    SetChild(state, STATE_SYSTEM_FOCUSABLE | (focused ? STATE_SYSTEM_FOCUSED : 0));
    return S_OK;
}

STDMETHODIMP MainAccessible::get_accFocus(VARIANT* child)
{
    if (!child)
        return E_POINTER;
    if (m_access && m_access->FocusedChild()) {
        SetChild(child, m_access->FocusedChild());
        return S_OK;
    }
    return DelegatingAccessible::get_accFocus(child);
}

STDMETHODIMP MainAccessible::get_accDefaultAction(VARIANT child, BSTR* action)
{
    if (IsText(child))
        return NoText(action);
    if (IsHotSpot(child))
        return ReturnText(HotSpotAccess::DefaultAction(), action);
    return DelegatingAccessible::get_accDefaultAction(child, action);
}

STDMETHODIMP MainAccessible::accSelect(long flags, VARIANT child)
{
    if (IsText(child))
        return E_INVALIDARG;
    if (!IsHotSpot(child))
        return DelegatingAccessible::accSelect(flags, child);
    // A push button takes the focus and nothing else.
    if (flags != SELFLAG_TAKEFOCUS)
        return E_INVALIDARG;
    return m_access->Focus(child.lVal) ? S_OK : E_FAIL;
}

STDMETHODIMP MainAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child)
{
    if (!IsHotSpot(child) && !IsText(child))
        return DelegatingAccessible::accLocation(left, top, width, height, child);
    if (!left || !top || !width || !height)
        return E_POINTER;
    RECT rect{};
    const bool found =
        IsText(child) ? m_texts->ScreenRect(m_window, TextOf(child), rect) : m_access->ScreenRect(child.lVal, rect);
    if (!found)
        return E_FAIL;
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
    return S_OK;
}

STDMETHODIMP MainAccessible::accNavigate(long direction, VARIANT start, VARIANT* end)
{
    if (!end)
        return E_POINTER;
    if (!m_access)
        return CO_E_OBJNOTCONNECTED;
    const long count = Count();
    const bool child = IsHotSpot(start) || IsText(start);
    long target = 0;
    if (IsSelf(start) && (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD))
        target = direction == NAVDIR_FIRSTCHILD ? 1 : count;
    else if (child && (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN || direction == NAVDIR_RIGHT))
        target = start.lVal + 1;
    else if (child && (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP || direction == NAVDIR_LEFT))
        target = start.lVal - 1;
    else if (IsSelf(start))
        return DelegatingAccessible::accNavigate(direction, start, end);
    else if (!child)
        return E_INVALIDARG;
    if (target < 1 || target > count) {
        ::VariantInit(end);
        return S_FALSE;
    }
    SetChild(end, target);
    return S_OK;
}

STDMETHODIMP MainAccessible::accHitTest(long left, long top, VARIANT* child)
{
    if (!child)
        return E_POINTER;
    if (m_access) {
        if (const long found = m_access->ChildAt(POINT{left, top})) {
            SetChild(child, found);
            return S_OK;
        }
    }
    if (m_access && m_texts) {
        const long text = m_texts->IndexAt(m_window, POINT{left, top});
        if (text >= 0) {
            SetChild(child, m_access->ChildCount() + 1 + text);
            return S_OK;
        }
    }
    return DelegatingAccessible::accHitTest(left, top, child);
}

STDMETHODIMP MainAccessible::accDoDefaultAction(VARIANT child)
{
    if (IsText(child))
        return DISP_E_MEMBERNOTFOUND;
    if (!IsHotSpot(child))
        return DelegatingAccessible::accDoDefaultAction(child);
    return m_access->DoDefaultAction(child.lVal) ? S_OK : E_FAIL;
}
