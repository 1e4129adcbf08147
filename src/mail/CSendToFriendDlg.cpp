#include "mail/CSendToFriendDlg.h"

#include "framework/CDataExchange.h"
#include "framework/Handles.h"
#include "mail/MailRecipients.h"
#include "resource.h"
#include "shared/Translator.h"

namespace {

// The text control is a rich edit; its window class comes with this library,
// which stays loaded once a dialog has needed it.
void LoadRichEdit()
{
    static ModuleHandle richEdit(::LoadLibraryA("riched20.dll"));
}

}  // namespace

CSendToFriendDlg::CSendToFriendDlg(CWnd* parent)
    : CDialog(IDD_SEND_TO_FRIEND, parent)
{
    LoadRichEdit();
}

BOOL CSendToFriendDlg::OnInitDialog()
{
    // Set here rather than in the template, so that it is the translator's key
    // to the letter, line break included.
    ::SetDlgItemTextA(m_hWnd, IDC_MAIL_HINT, kRecipientHint);
    CDialog::OnInitDialog();
    TranslateWindow(m_hWnd, -1);
    m_initialised = true;
    OnRecipientsChange();
    return TRUE;
}

void CSendToFriendDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Text(dx, IDC_MAIL_SUBJECT, m_subject);
    DDV_MaxChars(dx, m_subject, kSubjectLimit);
    DDX_Text(dx, IDC_MAIL_RECIPIENTS, m_recipients);
    DDV_MaxChars(dx, m_recipients, kRecipientsLimit);
    DDX_Text(dx, IDC_MAIL_TEXT, m_text);
    DDV_MaxChars(dx, m_text, kTextLimit);
    DDX_Check(dx, IDC_MAIL_ZIP, m_attachAsZip);
}

BOOL CSendToFriendDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_MAIL_RECIPIENTS && HIWORD(wParam) == EN_CHANGE) {
        OnRecipientsChange();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

// Only the recipients are read here: a text that the program set beyond its
// limit is refused once, at Send, and not at every key typed in another field.
void CSendToFriendDlg::OnRecipientsChange()
{
    if (!m_initialised)
        return;
    m_recipients = GetWindowTextString(::GetDlgItem(m_hWnd, IDC_MAIL_RECIPIENTS));
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), MayHoldMailAddress(m_recipients));
}

void CSendToFriendDlg::OnOK()
{
    // IDOK can come without the button (Return, or another program's command)
    // while Send is disabled: no mail without a recipient that may be one.
    if (!::IsWindowEnabled(::GetDlgItem(m_hWnd, IDOK)))
        return;
    if (!UpdateData(TRUE))
        return;
    m_recipients = WithSemicolons(m_recipients);
    EndDialog(IDOK);
}
