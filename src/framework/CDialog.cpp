#include "framework/CDialog.h"

#include "framework/AfxFunctions.h"
#include "framework/CDataExchange.h"
#include "framework/ExceptionReport.h"

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_nIDTemplate(templateId)
    , m_pParentWnd(parent)
{}

CDialog::~CDialog()
{
    // The object that created the window destroys it. By now the derived parts
    // are gone, so a dialog with its own destruction should be destroyed earlier.
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

void CDialog::InitModalIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent)
{
    m_lpDialogTemplate = dialogTemplate;
    m_pParentWnd = parent;
}

HWND CDialog::OwnerWindow() const
{
    HWND owner = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    if (!owner) {
        CWnd* mainWnd = AfxGetMainWnd();
        if (mainWnd && mainWnd != this && ::IsWindow(mainWnd->GetSafeHwnd()))
            owner = mainWnd->GetSafeHwnd();
    }
    return owner ? ::GetAncestor(owner, GA_ROOT) : nullptr;
}

HWND CDialog::CreateFromTemplate(HWND owner)
{
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    if (m_lpDialogTemplate)
        return ::CreateDialogIndirectParamW(AfxGetResourceHandle(), m_lpDialogTemplate, owner, &CDialog::DialogProc,
                                            self);
    return ::CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDTemplate), owner, &CDialog::DialogProc,
                                self);
}

// A modal loop of our own rather than DialogBoxParam: the dialog manager's loop
// destroys the window itself, so a dialog's DestroyWindow override would never
// run, and it hands queued keys to IsDialogMessage before PreTranslateMessage
// could see them.
INT_PTR CDialog::DoModal()
{
    if (m_hWnd)
        return -1;
    HWND owner = OwnerWindow();
    m_modal = true;
    m_endModal = false;
    m_nModalResult = -1;
    HWND window = CreateFromTemplate(owner);
    if (!window) {
        m_modal = false;
        return -1;
    }
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner)
        ::EnableWindow(owner, FALSE);
    if (!m_endModal && ::IsWindow(window) && !::IsWindowVisible(window))
        ::ShowWindow(window, SW_SHOWNORMAL);

    RunModalLoop();

    // Enabled first, so the owner gets the activation back when the dialog goes.
    if (disableOwner)
        ::EnableWindow(owner, TRUE);
    if (m_hWnd)
        DestroyWindow();
    m_modal = false;
    return m_nModalResult;
}

void CDialog::RunModalLoop()
{
    MSG message{};
    while (!m_endModal && m_hWnd) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // WM_QUIT ends every loop: leave it for the outer one.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1)
            break;
        CWnd::DispatchQueued(&message);
    }
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    if (m_hWnd)
        return FALSE;
    m_nIDTemplate = templateId;
    m_lpDialogTemplate = nullptr;
    m_pParentWnd = parent;
    m_modal = false;
    return CreateFromTemplate(parent ? parent->GetSafeHwnd() : nullptr) != nullptr;
}

BOOL CDialog::CreateIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent)
{
    if (m_hWnd || !dialogTemplate)
        return FALSE;
    m_lpDialogTemplate = dialogTemplate;
    m_pParentWnd = parent;
    m_modal = false;
    return CreateFromTemplate(parent ? parent->GetSafeHwnd() : nullptr) != nullptr;
}

// The template's procedure only attaches the object; after that the window is
// subclassed and every message, WM_INITDIALOG included, goes through WindowProc.
INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG || FromHandlePermanent(window))
        return FALSE;
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog || !dialog->SubclassWindow(window))
        return FALSE;
    return dialog->Dispatch(WM_INITDIALOG, wParam, lParam);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND:
        if (OnCommand(wParam, lParam))
            return 0;
        break;
    default: break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM)
{
    // Only clicks (and Enter/Escape, which arrive as clicks); an edit control
    // numbered 1 or 2 must not end the dialog with its change notifications.
    if (HIWORD(wParam) != BN_CLICKED)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDOK: OnOK(); return TRUE;
    case IDCANCEL: OnCancel(); return TRUE;
    default: return FALSE;
    }
}

BOOL CDialog::PreTranslateMessage(MSG* message)
{
    // Tab, arrows, Enter, Escape and mnemonics for this dialog and its controls.
    return ::IsDialogMessageW(m_hWnd, message);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result)
{
    m_nModalResult = result;
    if (m_modal) {
        m_endModal = true;
        // Wakes the modal loop when this was called from outside its dispatch.
        if (m_hWnd)
            ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
        return;
    }
    DestroyWindow();
}

BOOL CDialog::UpdateData(BOOL save)
{
    CDataExchange dx(this, save);
    try {
        DoDataExchange(&dx);
    } catch (const DataExchangeFailure&) {
        return FALSE;
    }
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}
