#pragma once

#include "framework/CWnd.h"

class CDataExchange;

// A dialog from a template of the module's resources (or from memory). Its
// messages go through the same WindowProc as every CWnd, so a derived dialog
// reads as one table of messages; the template's dialog procedure only hands
// WM_INITDIALOG over and otherwise leaves everything to the dialog manager.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    CDialog() = default;
    ~CDialog() override;

    // Modal: runs until EndDialog, then destroys the window through the virtual
    // DestroyWindow (so a dialog's own destruction runs while the window still
    // exists) and returns the value given to EndDialog; -1 when the dialog could
    // not be created or was destroyed without EndDialog.
    INT_PTR DoModal();
    // Modeless: the dialog lives until DestroyWindow (OnOK/OnCancel end there).
    // Without a parent the window has no owner, not even the main window: an
    // owned window always stays above its owner.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);

    // An in-memory template instead of a resource: DoModal then uses it.
    void InitModalIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent = nullptr);
    BOOL CreateIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent = nullptr);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    // Ends a modal dialog with this result; a modeless one is destroyed, since
    // the dialog manager's EndDialog would only hide it.
    void EndDialog(int result);

    // Copies between members and controls: save = TRUE reads the controls.
    // FALSE when a value did not validate (the focus is then on its control).
    BOOL UpdateData(BOOL save = TRUE);

protected:
    virtual void DoDataExchange(CDataExchange* dx);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* message) override;

    // IDOK and IDCANCEL go to OnOK and OnCancel. TRUE when handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND OwnerWindow() const;
    HWND CreateFromTemplate(HWND owner);
    void RunModalLoop();

    const DLGTEMPLATE* m_lpDialogTemplate = nullptr;
    bool m_modal = false;
    bool m_endModal = false;
    INT_PTR m_nModalResult = -1;
};
