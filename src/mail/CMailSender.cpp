#include "mail/CMailSender.h"

#include "framework/AfxFunctions.h"
#include "framework/AnsiPath.h"
#include "framework/Utf8.h"
#include "shared/Translator.h"
#include "shared/ZOrder.h"
#include "widgets/CProgressWnd.h"

#include <algorithm>
#include <new>
#include <string_view>

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

template <class Function>
Function Export(HMODULE library, const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(library, name)));
}

// For a mail system that has only the ANSI call. What the system's code page
// cannot hold becomes '?', never a look-alike letter, so that no name silently
// turns into another. A UTF-8 code page holds everything and takes neither
// option.
std::string Ansi(std::string_view utf8)
{
    const std::wstring wide = Widen(utf8);
    if (wide.empty())
        return {};
    const bool holdsAll = ::GetACP() == CP_UTF8;
    const DWORD options = holdsAll ? 0 : WC_NO_BEST_FIT_CHARS;
    const char* unknown = holdsAll ? nullptr : "?";
    const int length = static_cast<int>(wide.size());
    const int size = ::WideCharToMultiByte(CP_ACP, options, wide.data(), length, nullptr, 0, unknown, nullptr);
    std::string ansi(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_ACP, options, wide.data(), length, ansi.data(), size, unknown, nullptr);
    return ansi;
}

// The ANSI call opens an attachment by a narrow name: its short name when the
// path holds letters beyond ASCII and the volume keeps short names.
CMailSender::Mail ForAnsiCall(CMailSender::Mail mail)
{
    for (CMailSender::Attachment& attachment : mail.attachments) {
        const std::string narrow = PathForAnsiCalls(attachment.path);
        const bool ascii = std::all_of(narrow.begin(), narrow.end(), [](char c) { return c > 0; });
        if (ascii)
            attachment.path = narrow;
    }
    return mail;
}

// Both calls take the same structures, with wide or with ANSI strings. Each
// text is converted once; the structures point into these copies, which live
// until the call returns.
template <class Message, class Recipient, class File, class Convert, class Call>
ULONG HandOver(const CMailSender::Mail& mail, Convert convert, Call call)
{
    using Text = decltype(convert(std::string_view()));
    Text subject = convert(mail.subject);
    Text text = convert(mail.text);
    // The files stand in place of spaces at the end of the text, one each.
    const size_t textLength = text.size();
    text.append(mail.attachments.size(), ' ');
    Text originatorName = convert(mail.originator);
    std::vector<Text> names, paths, titles;
    for (const std::string& name : mail.recipients)
        names.push_back(convert(name));
    for (const CMailSender::Attachment& attachment : mail.attachments) {
        paths.push_back(convert(attachment.path));
        titles.push_back(convert(attachment.title));
    }

    std::vector<Recipient> recipients(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        recipients[i].ulRecipClass = MAPI_TO;
        recipients[i].lpszName = names[i].data();
    }
    std::vector<File> files(paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        files[i].nPosition = static_cast<ULONG>(textLength + i);
        files[i].lpszPathName = paths[i].data();
        if (!titles[i].empty())
            files[i].lpszFileName = titles[i].data();
    }
    Recipient originator{};
    originator.ulRecipClass = MAPI_ORIG;
    originator.lpszName = originatorName.data();

    Message message{};
    message.lpszSubject = subject.data();
    message.lpszNoteText = text.data();
    message.lpOriginator = &originator;
    message.nRecipCount = static_cast<ULONG>(recipients.size());
    message.lpRecips = recipients.empty() ? nullptr : recipients.data();
    message.nFileCount = static_cast<ULONG>(files.size());
    message.lpFiles = files.empty() ? nullptr : files.data();
    return call(&message);
}

}  // namespace

CMailSender::CMailSender()
{
    m_library.reset(::LoadLibraryA(g_libraryForTest ? g_libraryForTest : kMapiLibrary));
    if (!m_library) {
        AfxMessageBox("Unable to load mail system support.", MB_OK | MB_ICONEXCLAMATION);
        m_error = NoMailLibrary;
        return;
    }
    m_sendMailW = Export<LPMAPISENDMAILW>(m_library.get(), "MAPISendMailW");
    m_sendMail = Export<LPMAPISENDMAIL>(m_library.get(), "MAPISendMail");
    if (!m_sendMailW && !m_sendMail) {
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
        m_mail.recipients.push_back(name);
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
        m_mail.attachments.push_back(Attachment{path, title});
    } catch (const std::bad_alloc&) {
        m_error = NoRoomForAttachment;
        return false;
    }
    return true;
}

ULONG CMailSender::Send(FLAGS flags)
{
    WaitCursor wait;
    const ULONG result = CallMapi(m_parent ? ::GetAncestor(m_parent, GA_ROOTOWNER) : nullptr, flags | MAPI_LOGON_UI);
    m_mail.recipients.clear();
    m_mail.attachments.clear();
    return result;
}

// The mail client may show windows of its own (a log-on, a question): the
// owner stays disabled meanwhile, as under a modal dialog, and a top-most main
// window steps back so that they can come in front of it.
ULONG CMailSender::CallMapi(HWND owner, FLAGS flags)
{
    if (!m_sendMailW && !m_sendMail)
        return MAPI_E_FAILURE;
    const bool topMost = IsTopMost(m_parent);
    if (owner) {
        ::SetCapture(owner);
        ::SetFocus(nullptr);
        ::EnableWindow(owner, FALSE);
    }
    if (topMost)
        SetZOrder(m_parent, HWND_NOTOPMOST, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    const ULONG_PTR ui = reinterpret_cast<ULONG_PTR>(owner);
    const ULONG result =
        m_sendMailW
            ? HandOver<MapiMessageW, MapiRecipDescW, MapiFileDescW>(
                  m_mail, Widen, [&](MapiMessageW* message) { return m_sendMailW(0, ui, message, flags, 0); })
            : HandOver<MapiMessage, MapiRecipDesc, MapiFileDesc>(
                  ForAnsiCall(m_mail), Ansi, [&](MapiMessage* message) { return m_sendMail(0, ui, message, flags, 0); });

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
