#pragma once

#include "framework/ComPtr.h"

#include <windows.h>
#include <oleacc.h>

#include <string>

// An accessible object that answers what it knows itself and hands the rest to
// the system's standard object of the same window part, so borders, parent,
// window text and child windows come out as for any window. Reference counted;
// created with one reference for its maker.
class DelegatingAccessible : public IAccessible {
public:
    // The standard object of window's part objectId (OBJID_CLIENT, OBJID_WINDOW).
    DelegatingAccessible(HWND window, LONG objectId);
    virtual ~DelegatingAccessible() = default;
    DelegatingAccessible(const DelegatingAccessible&) = delete;
    DelegatingAccessible& operator=(const DelegatingAccessible&) = delete;

    // What WM_GETOBJECT returns for this object; the client's reference is its own.
    LRESULT Answer(WPARAM wParam);

    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override;

    STDMETHODIMP get_accParent(IDispatch** parent) override;
    STDMETHODIMP get_accChildCount(long* count) override;
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override;
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override;
    STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override;
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override;
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override;
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override;
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override;
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    STDMETHODIMP get_accFocus(VARIANT* child) override;
    STDMETHODIMP get_accSelection(VARIANT* children) override;
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override;
    STDMETHODIMP accSelect(long flags, VARIANT child) override;
    STDMETHODIMP accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) override;
    STDMETHODIMP accHitTest(long left, long top, VARIANT* child) override;
    STDMETHODIMP accDoDefaultAction(VARIANT child) override;
    STDMETHODIMP put_accName(VARIANT child, BSTR name) override;
    STDMETHODIMP put_accValue(VARIANT child, BSTR value) override;

protected:
    // A copy of text for an out parameter; E_OUTOFMEMORY when none could be made.
    static HRESULT ReturnText(const std::string& utf8, BSTR* out);
    static bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
    IAccessible* Standard() const { return m_standard.get(); }

private:
    ComPtr<IAccessible> m_standard;
    LONG m_references = 1;
};
