#include "mail/CMailSender.h"

#include "framework/AfxFunctions.h"
#include "framework/AnsiPath.h"
#include "shared/Translator.h"
#include "shared/ZOrder.h"
#include "widgets/CProgressWnd.h"

#include <new>

namespace {

const char kMapiLibrary[] = "MAPI32.DLL";
const char* g_libraryForTest = nullptr;

bool IsTopMost(HWND window)
{
    return window && (::GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

// The wait cursor for the length of the call; the mail client sets its own.
class WaitCursor {
public:
    WaitCursor()
        : m_previous(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT)))
    {}
    ~WaitCursor() { ::SetCursor(m_previous); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR m_previous;
};

}  // namespace

CMailSender::CMailSender()
{
    m_library.reset(::LoadLibraryA(g_libraryForTest ? g_libraryForTest : kMapiLibrary));
    if (!m_library) {
        AfxMessageBox("Unable to load mail system support.", MB_OK | MB_ICONEXCLAMATION);
        m_error = NoMailLibrary;
        return;
    }
    m_sendMail = reinterpret_cast<LPMAPISENDMAIL>(
        reinterpret_cast<void (*)()>(::GetProcAddress(m_library.get(), "MAPISendMail")));
    if (!m_sendMail) {
        AfxMessageBox("Mail system DLL is invalid.", MB_OK | MB_ICONEXCLAMATION);
        m_error = NoSendFunction;
    }
}

CMailSender::~CMailSender() = default;

void CMailSender::SetLibraryForTest(const char* fileName)
{
    g_libraryForTest = fileName;
}

int CMailSender::Error()
{
    const int error = m_error;
    m_error = NoError;
    return error;
}

void CMailSender::SetProgressWindow(CProgressWnd* window)
{
    m_progress = window;
    if (!m_progress)
        return;
    m_progress->CenterWindow();
    m_progress->Update(Translate("Prepare to send mail...").c_str(), 10);
}

bool CMailSender::AddRecipient(const std::string& name)
{
    try {
        m_recipients.push_back(name);
    } catch (const std::bad_alloc&) {
        m_error = NoRoomForRecipient;
        return false;
    }
    return true;
}

bool CMailSender::AddAttachment(const std::string& path, const std::string& title)
{
    if (m_progress)
        m_progress->Update(Translate("Start attaching program...").c_str(), 60);
    try {
        m_attachments.push_back(Attachment{path, title});
    } catch (const std::bad_alloc&) {
        m_error = NoRoomForAttachment;
        return false;
    }
    return true;
}

ULONG CMailSender::Send(FLAGS flags)
{
    WaitCursor wait;
    // The files stand in place of spaces at the end of the text, one each.
    const size_t textLength = m_text.size();
    std::string text = m_text + std::string(m_attachments.size(), ' ');

    std::vector<MapiRecipDesc> recipients(m_recipients.size());
    for (size_t i = 0; i < m_recipients.size(); ++i) {
        recipients[i].ulRecipClass = MAPI_TO;
        recipients[i].lpszName = const_cast<LPSTR>(m_recipients[i].c_str());
    }
    // Simple MAPI takes narrow names in the ANSI code page.
    std::vector<std::string> paths;
    for (const Attachment& attachment : m_attachments)
        paths.push_back(PathForAnsiCalls(attachment.path));
    std::vector<MapiFileDesc> files(m_attachments.size());
    for (size_t i = 0; i < m_attachments.size(); ++i) {
        files[i].nPosition = static_cast<ULONG>(textLength + i);
        files[i].lpszPathName = const_cast<LPSTR>(paths[i].c_str());
        if (!m_attachments[i].title.empty())
            files[i].lpszFileName = const_cast<LPSTR>(m_attachments[i].title.c_str());
    }

    m_originator.ulRecipClass = MAPI_ORIG;
    m_originator.lpszName = const_cast<LPSTR>(m_originatorName.c_str());
    m_message.lpszSubject = const_cast<LPSTR>(m_subject.c_str());
    m_message.lpszNoteText = const_cast<LPSTR>(text.c_str());
    m_message.lpOriginator = &m_originator;
    m_message.nRecipCount = static_cast<ULONG>(recipients.size());
    m_message.lpRecips = recipients.empty() ? nullptr : recipients.data();
    m_message.nFileCount = static_cast<ULONG>(files.size());
    m_message.lpFiles = files.empty() ? nullptr : files.data();

    const ULONG result = CallMapi(m_parent ? ::GetAncestor(m_parent, GA_ROOTOWNER) : nullptr, flags);

    // Nothing may point at the copies once they are gone.
    m_message = MapiMessage{};
    m_originator = MapiRecipDesc{};
    m_recipients.clear();
    m_attachments.clear();
    return result;
}

// The mail client may show windows of its own (a log-on, a question): the
// owner stays disabled meanwhile, as under a modal dialog, and a top-most main
// window steps back so that they can come in front of it.
ULONG CMailSender::CallMapi(HWND owner, FLAGS flags)
{
    if (!m_sendMail)
        return MAPI_E_FAILURE;
    const bool topMost = IsTopMost(m_parent);
    if (owner) {
        ::SetCapture(owner);
        ::SetFocus(nullptr);
        ::EnableWindow(owner, FALSE);
    }
    if (topMost)
        SetZOrder(m_parent, HWND_NOTOPMOST, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    const ULONG result = m_sendMail(0, reinterpret_cast<ULONG_PTR>(owner), &m_message, flags | MAPI_LOGON_UI, 0);

    if (topMost)
        SetZOrder(m_parent, HWND_TOPMOST, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (owner) {
        ::ReleaseCapture();
        ::EnableWindow(owner, TRUE);
        ::SetActiveWindow(owner);
        ::SetFocus(owner);
    }
    return result;
}
