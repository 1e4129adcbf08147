#include "framework/CDataExchange.h"

#include "framework/AfxFunctions.h"
#include "framework/CWnd.h"
#include "framework/Utf8.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

bool IsBlank(const char* text)
{
    return text[std::strspn(text, " \t")] == '\0';
}

}  // namespace

HWND CDataExchange::PrepareCtrl(int id)
{
    HWND control = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), id);
    if (!control)
        Fail();
    m_hWndLastControl = control;
    return control;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        char className[16] = {};
        ::GetClassNameA(m_hWndLastControl, className, sizeof(className));
        if (::lstrcmpiA(className, "Edit") == 0 || ::_strnicmp(className, "RichEdit", 8) == 0)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw DataExchangeFailure();
}

void DDX_Text(CDataExchange* dx, int id, std::string& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = GetWindowTextString(control);
    else
        SetWindowTextString(control, value);
}

void DDX_Text(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        SetWindowTextString(control, std::to_string(value));
        return;
    }
    const std::string text = GetWindowTextString(control);
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || !IsBlank(end) || errno == ERANGE || number < INT_MIN || number > INT_MAX) {
        AfxMessageBox("Please enter an integer.", MB_OK | MB_ICONEXCLAMATION);
        dx->Fail();
    }
    value = static_cast<int>(number);
}

void DDX_CBString(CDataExchange* dx, int id, std::string& value)
{
    HWND combo = dx->PrepareCtrl(id);
    const bool isList = (::GetWindowLongPtrA(combo, GWL_STYLE) & 3) == CBS_DROPDOWNLIST;
    if (!dx->m_bSaveAndValidate) {
        const std::wstring wide = Widen(value);
        const LRESULT found =
            ::SendMessageW(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str()));
        if (found == CB_ERR && !isList)
            SetWindowTextString(combo, value);
        return;
    }
    if (!isList) {
        value = GetWindowTextString(combo);
        return;
    }
    const LRESULT index = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) {
        value.clear();
        return;
    }
    const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    std::vector<wchar_t> text(static_cast<size_t>(length > 0 ? length : 0) + 1);
    const LRESULT copied =
        ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    value = Narrow(std::wstring_view(text.data(), static_cast<size_t>(copied > 0 ? copied : 0)));
}

void DDV_MaxChars(CDataExchange* dx, const std::string& value, int max)
{
    if (!dx->m_bSaveAndValidate) {
        // A text set by the program may be longer; only typing is held back.
        if (dx->m_hWndLastControl)
            ::SendMessageA(dx->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(max), 0);
        return;
    }
    // Counted as the edit counts: in UTF-16 units, not bytes.
    if (Widen(value).size() > static_cast<size_t>(max)) {
        const std::string text = "Please enter no more than " + std::to_string(max) + " characters.";
        AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
        dx->Fail();
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    HWND button = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(button, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(button, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.GetSafeHwnd())
        return;
    HWND window = dx->PrepareCtrl(id);
    if (!control.SubclassWindow(window))
        dx->Fail();
}
