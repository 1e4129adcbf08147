#pragma once

#include "shared/DelegatingAccessible.h"

#include <string>

// A window part as the system describes it, under a name of the program's own
// rather than the window's title, which other code finds the window by.
class NamedAccessible : public DelegatingAccessible {
public:
    NamedAccessible(HWND window, LONG objectId, std::string name);

    // WM_GETOBJECT for the window and its client area; 0 (the system's answer) for the rest.
    static LRESULT AnswerFor(HWND window, WPARAM wParam, LPARAM lParam, const std::string& name);

    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override;

private:
    std::string m_name;
};
