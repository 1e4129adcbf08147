#pragma once

#include <windows.h>

#include <string>

class CWnd;

// One pass of dialog data exchange between a dialog's members and its controls.
class CDataExchange {
public:
    // dialog is the CDialog whose members are exchanged.
    CDataExchange(CWnd* dialog, BOOL save)
        : m_bSaveAndValidate(save)
        , m_pDlgWnd(dialog)
    {}

    // The control with this id, remembered as the one to focus on failure.
    // A missing control fails the exchange.
    HWND PrepareCtrl(int id);

    // Ends the exchange unsuccessfully; on save the offending control gets the
    // focus with its text selected.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
};

// Thrown by Fail and caught by UpdateData; never leaves the framework.
struct DataExchangeFailure {};

void DDX_Text(CDataExchange* dx, int id, std::string& value);
// A number that does not parse is reported to the user and fails the exchange.
void DDX_Text(CDataExchange* dx, int id, int& value);
// A combo box: loading selects the first item that starts with the value (case
// does not matter); saving reads the selected item (or the edit text of a combo
// box that has one). A list without a selection saves "".
void DDX_CBString(CDataExchange* dx, int id, std::string& value);
// Loading limits the last exchanged edit control to max characters; saving
// refuses a longer value with a message and fails the exchange.
void DDV_MaxChars(CDataExchange* dx, const std::string& value, int max);
void DDX_Check(CDataExchange* dx, int id, int& value);
// Subclasses the control into the object the first time only.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
