#include "shared/DelegatingAccessible.h"

#include "framework/Utf8.h"

namespace {

// MinGW's import library gives IID_IAccessible wrong bytes; the declared uuid is right.
const IID kIAccessible = __uuidof(IAccessible);

}  // namespace

DelegatingAccessible::DelegatingAccessible(HWND window, LONG objectId)
{
    ::CreateStdAccessibleObject(window, objectId, kIAccessible, m_standard.put_void());
}

LRESULT DelegatingAccessible::Answer(WPARAM wParam)
{
    return ::LresultFromObject(kIAccessible, wParam, static_cast<IAccessible*>(this));
}

HRESULT DelegatingAccessible::ReturnText(const std::string& utf8, BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = ::SysAllocString(Widen(utf8).c_str());
    return *out ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP DelegatingAccessible::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kIAccessible) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) DelegatingAccessible::AddRef()
{
    return static_cast<ULONG>(::InterlockedIncrement(&m_references));
}

STDMETHODIMP_(ULONG) DelegatingAccessible::Release()
{
    const LONG left = ::InterlockedDecrement(&m_references);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

// Clients reach every property through IAccessible itself; late binding is not offered.
STDMETHODIMP DelegatingAccessible::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}
STDMETHODIMP DelegatingAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
STDMETHODIMP DelegatingAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
STDMETHODIMP DelegatingAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*)
{
    return E_NOTIMPL;
}

// Without a standard object (the window is gone) every question is a stale one.
#define ZORLA_DELEGATE(call) return m_standard ? m_standard->call : CO_E_OBJNOTCONNECTED

STDMETHODIMP DelegatingAccessible::get_accParent(IDispatch** parent) { ZORLA_DELEGATE(get_accParent(parent)); }
STDMETHODIMP DelegatingAccessible::get_accChildCount(long* count) { ZORLA_DELEGATE(get_accChildCount(count)); }
STDMETHODIMP DelegatingAccessible::get_accChild(VARIANT child, IDispatch** object) { ZORLA_DELEGATE(get_accChild(child, object)); }
STDMETHODIMP DelegatingAccessible::get_accName(VARIANT child, BSTR* name) { ZORLA_DELEGATE(get_accName(child, name)); }
STDMETHODIMP DelegatingAccessible::get_accValue(VARIANT child, BSTR* value) { ZORLA_DELEGATE(get_accValue(child, value)); }
STDMETHODIMP DelegatingAccessible::get_accDescription(VARIANT child, BSTR* description)
{
    ZORLA_DELEGATE(get_accDescription(child, description));
}
STDMETHODIMP DelegatingAccessible::get_accRole(VARIANT child, VARIANT* role) { ZORLA_DELEGATE(get_accRole(child, role)); }
STDMETHODIMP DelegatingAccessible::get_accState(VARIANT child, VARIANT* state) { ZORLA_DELEGATE(get_accState(child, state)); }
STDMETHODIMP DelegatingAccessible::get_accHelp(VARIANT child, BSTR* help) { ZORLA_DELEGATE(get_accHelp(child, help)); }
STDMETHODIMP DelegatingAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic)
{
    ZORLA_DELEGATE(get_accHelpTopic(file, child, topic));
}
STDMETHODIMP DelegatingAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    ZORLA_DELEGATE(get_accKeyboardShortcut(child, shortcut));
}
STDMETHODIMP DelegatingAccessible::get_accFocus(VARIANT* child) { ZORLA_DELEGATE(get_accFocus(child)); }
STDMETHODIMP DelegatingAccessible::get_accSelection(VARIANT* children) { ZORLA_DELEGATE(get_accSelection(children)); }
STDMETHODIMP DelegatingAccessible::get_accDefaultAction(VARIANT child, BSTR* action)
{
    ZORLA_DELEGATE(get_accDefaultAction(child, action));
}
STDMETHODIMP DelegatingAccessible::accSelect(long flags, VARIANT child) { ZORLA_DELEGATE(accSelect(flags, child)); }
STDMETHODIMP DelegatingAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child)
{
    ZORLA_DELEGATE(accLocation(left, top, width, height, child));
}
STDMETHODIMP DelegatingAccessible::accNavigate(long direction, VARIANT start, VARIANT* end)
{
    ZORLA_DELEGATE(accNavigate(direction, start, end));
}
STDMETHODIMP DelegatingAccessible::accHitTest(long left, long top, VARIANT* child) { ZORLA_DELEGATE(accHitTest(left, top, child)); }
STDMETHODIMP DelegatingAccessible::accDoDefaultAction(VARIANT child) { ZORLA_DELEGATE(accDoDefaultAction(child)); }
STDMETHODIMP DelegatingAccessible::put_accName(VARIANT child, BSTR name) { ZORLA_DELEGATE(put_accName(child, name)); }
STDMETHODIMP DelegatingAccessible::put_accValue(VARIANT child, BSTR value) { ZORLA_DELEGATE(put_accValue(child, value)); }

#undef ZORLA_DELEGATE
