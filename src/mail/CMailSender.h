#pragma once

#include "framework/Handles.h"
#include "mail/MapiWide.h"

#include <windows.h>

#include <mapi.h>

#include <string>
#include <vector>

class CProgressWnd;

// A Simple MAPI message under construction, handed to the system's mail client
// by Send. Construction loads MAPI32.DLL at run time (it is never linked); a
// failure is told in a message box and kept as the error code. Every text is
// UTF-8, as everywhere in the program.
class CMailSender {
public:
    struct Attachment {
        std::string path;
        std::string title;
    };
    // What Send hands over.
    struct Mail {
        std::string subject;
        std::string text;
        std::string originator;
        std::vector<std::string> recipients;
        std::vector<Attachment> attachments;
    };

    enum ErrorCode {
        NoError = 0,
        NoMailLibrary = 1,   // MAPI32.DLL cannot be loaded
        NoSendFunction = 2,  // MAPI32.DLL has neither MAPISendMailW nor MAPISendMail
        NoRoomForRecipient = 3,
        NoRoomForAttachment = 5,
    };

    CMailSender();
    ~CMailSender();
    CMailSender(const CMailSender&) = delete;
    CMailSender& operator=(const CMailSender&) = delete;

    // The error code so far; reading it resets it to NoError.
    int Error();

    // Centres the window and shows the first step on it; null shows nothing.
    void SetProgressWindow(CProgressWnd* window);
    // The window the mail client's windows belong to (the main window): it is
    // disabled, and no longer top-most, while the mail client runs.
    void SetParentWindow(HWND window) { m_parent = window; }

    void SetOriginator(const std::string& name) { m_mail.originator = name; }
    void SetSubject(const std::string& subject) { m_mail.subject = subject; }
    void SetText(const std::string& text) { m_mail.text = text; }

    // A "To" recipient, the name given as typed; the mail client resolves it.
    bool AddRecipient(const std::string& name);
    // The file at path, shown to the reader as title (when not empty).
    bool AddAttachment(const std::string& path, const std::string& title);

    // Hands the message to MAPISendMailW, or to MAPISendMail where the mail
    // system has only that, and returns its result (0 = sent). Recipients and
    // attachments are used up. Runs on the mail thread.
    ULONG Send(FLAGS flags);

    // Tests name another library in place of MAPI32.DLL; null puts it back.
    static void SetLibraryForTest(const char* fileName);

private:
    ULONG CallMapi(HWND owner, FLAGS flags);

    CProgressWnd* m_progress = nullptr;
    int m_error = NoError;
    Mail m_mail;
    ModuleHandle m_library;
    LPMAPISENDMAILW m_sendMailW = nullptr;
    LPMAPISENDMAIL m_sendMail = nullptr;
    HWND m_parent = nullptr;
};
