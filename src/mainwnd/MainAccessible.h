#pragma once

#include "shared/DelegatingAccessible.h"

class HotSpotAccess;
class PictureTextAccess;

// The main window's client area for screen readers: the current view's hot
// spots as push buttons (HotSpotAccess knows them), then the texts drawn on the
// picture as static texts (PictureTextAccess), everything else of the window
// as the system describes it. A client may hold the object past the
// window; Disconnect leaves it answering that the window is gone.
class MainAccessible : public DelegatingAccessible {
public:
    MainAccessible(HWND window, HotSpotAccess& access, PictureTextAccess& texts);
    void Disconnect()
    {
        m_access = nullptr;
        m_texts = nullptr;
    }

    STDMETHODIMP get_accChildCount(long* count) override;
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override;
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override;
    STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override;
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override;
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override;
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override;
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    STDMETHODIMP get_accFocus(VARIANT* child) override;
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override;
    STDMETHODIMP accSelect(long flags, VARIANT child) override;
    STDMETHODIMP accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) override;
    STDMETHODIMP accHitTest(long left, long top, VARIANT* child) override;
    STDMETHODIMP accDoDefaultAction(VARIANT child) override;

private:
    // Whether child names a hot spot now; with the window gone, none.
    bool IsHotSpot(const VARIANT& child) const;
    // The index of the picture's text child names, or -1.
    long TextOf(const VARIANT& child) const;
    bool IsText(const VARIANT& child) const { return TextOf(child) >= 0; }
    long Count() const;
    // S_FALSE and no text: the answer for what a hot spot does not have.
    static HRESULT NoText(BSTR* out);

    HWND m_window;
    HotSpotAccess* m_access;
    PictureTextAccess* m_texts;
};
