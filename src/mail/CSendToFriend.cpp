#include "mail/CSendToFriend.h"

#include "framework/CWnd.h"
#include "framework/ProgramPath.h"
#include "mail/CIMapiThread.h"
#include "mail/CSendToFriendDlg.h"
#include "mail/MailRecipients.h"
#include "mail/MailtoLink.h"
#include "mail/MapiAvailability.h"
#include "mail/ZipProgramForMail.h"
#include "net/CHttpDownloader.h"
#include "base/ProgramTitle.h"
#include "shared/Translator.h"
#include "widgets/LinkOpener.h"

namespace {

// The result that stands for "no mail was handed to a mail client".
const ULONG kNotSent = 999;

std::string FileNameOf(const std::string& path)
{
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

CSendToFriend::CSendToFriend(CWnd& mainWindow, CHttpDownloader& client, std::string noticeSite)
    : m_mainWindow(mainWindow)
    , m_client(client)
    , m_noticeSite(std::move(noticeSite))
{}

CSendToFriend::~CSendToFriend() = default;

std::string CSendToFriend::MailtoLink()
{
    return MailtoLinkWithSubject(ProgramTitle);
}

void CSendToFriend::OnSendToFriend(bool noInternet)
{
    const std::string footer = Translate(MailFooter());
    std::string path = ProgramPath();
    std::string title = FileNameOf(path);
    if (m_mailThread)
        return;

    m_unstarted = std::make_unique<CIMapiThread>();
    m_mailThread = m_unstarted.get();
    CMailSender& sender = m_unstarted->Sender();
    if (sender.Error() != CMailSender::NoError || !IsMapiAvailable()) {
        FallBack();
        return;
    }

    CSendToFriendDlg dialog(&m_mainWindow);
    dialog.m_subject = ProgramTitle;
    const INT_PTR answer = dialog.DoModal();
    if (answer == IDCANCEL) {
        m_unstarted.reset();
        m_mailThread = nullptr;
        return;
    }
    if (answer != IDOK) {
        FallBack();
        return;
    }

    if (m_progress)
        m_progress->Show();
    else
        m_progress = std::make_unique<CProgressWnd>(nullptr, Translate("Send Quokka").c_str());
    sender.SetProgressWindow(m_progress.get());
    for (const std::string& recipient : SplitRecipients(dialog.m_recipients)) {
        sender.AddRecipient(recipient);
        if (!noInternet)
            m_client.StartDownload(m_noticeSite + "?PA=1", nullptr, nullptr);
    }
    sender.SetOriginator(ZORLA_MAKER_MAIL);
    sender.SetSubject(dialog.m_subject);
    // No archive, no mail: a broken or missing attachment must not go out.
    const bool packed = !dialog.m_attachAsZip || ZipProgramForMail(path, title, m_progress.get());
    if (packed)
        sender.AddAttachment(path, title);
    sender.SetText(dialog.m_text + footer);
    sender.SetParentWindow(m_mainWindow.GetSafeHwnd());
    m_unstarted->SetNotifyWindow(m_notifyWindow ? m_notifyWindow : m_mainWindow.GetSafeHwnd());
    if (!packed || sender.Error() != CMailSender::NoError || !m_unstarted->Start()) {
        FallBack();
        return;
    }
    // The thread owns itself from here and reports its end with WM_MAIL_DONE.
    m_unstarted.release();
}

void CSendToFriend::FallBack()
{
    DeleteProgressWindow();
    m_unstarted.reset();
    m_mailThread = nullptr;
    OnMailDone(kNotSent);
}

LRESULT CSendToFriend::OnMailDone(ULONG result)
{
    if (result != SUCCESS_SUCCESS && LinkOpener::Current().OpenMailLink(MailtoLink()) <= 32) {
        MessageBoxString(m_mainWindow.GetSafeHwnd(),
                         "You do not have an e-mail client or the client is not configured properly. :(", "Warning",
                         MB_OK | MB_ICONWARNING);
    }
    DeleteProgressWindow();
    m_mailThread = nullptr;
    return 0;
}

LRESULT CSendToFriend::OnMailProgress(WPARAM percent, LPARAM step)
{
    if (m_progress)
        m_progress->Update(Translate(CIMapiThread::StepText(static_cast<WPARAM>(step))).c_str(), static_cast<int>(percent));
    return 0;
}

void CSendToFriend::DeleteProgressWindow()
{
    if (!m_progress)
        return;
    m_progress->Hide();
    m_progress.reset();
}
