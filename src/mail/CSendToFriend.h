#pragma once

#include "shared/WebAddresses.h"
#include "widgets/CProgressWnd.h"

#include <windows.h>

#include <memory>
#include <string>

class CHttpDownloader;
class CIMapiThread;
class CWnd;

// The main window's command "Send me to a friend...": the dialog, the packed
// program, the mail thread with its progress window, the pass-along notice for
// each recipient and, when no mail client takes the mail, a "mailto:" link.
// One mail at a time; the command does nothing while one is under way.
class CSendToFriend {
public:
    // mainWindow owns the dialog and hears from the mail thread; client carries
    // the notices to noticeSite, the brand's web site root (tests point it at a
    // local server).
    CSendToFriend(CWnd& mainWindow, CHttpDownloader& client, std::string noticeSite = ZORLA_BRAND_URL);
    ~CSendToFriend();
    CSendToFriend(const CSendToFriend&) = delete;
    CSendToFriend& operator=(const CSendToFriend&) = delete;

    // Where the mail thread reports (WM_MAIL_DONE, WM_MAIL_PROGRESS): the main
    // window unless another window of the same thread is given.
    void SetNotifyWindow(HWND window) { m_notifyWindow = window; }
    // The command. noInternet ("bNoInetConnect") holds back the notices.
    void OnSendToFriend(bool noInternet);
    // The mail thread's end (WM_MAIL_DONE): any result but 0
    // opens the "mailto:" link instead.
    LRESULT OnMailDone(ULONG result);
    // A step of the mail thread (WM_MAIL_PROGRESS).
    LRESULT OnMailProgress(WPARAM percent, LPARAM step);

    bool IsUnderWay() const { return m_mailThread != nullptr; }
    CProgressWnd* ProgressWindow() const { return m_progress.get(); }
    // The main window goes; a mail thread still at work finds no window then.
    void DeleteProgressWindow();

    // The link that opens a new mail with the program's name as its subject.
    static std::string MailtoLink();

private:
    void FallBack();

    CWnd& m_mainWindow;
    HWND m_notifyWindow = nullptr;
    CHttpDownloader& m_client;
    std::string m_noticeSite;
    // Owned here until it starts; a started thread owns itself and is only
    // remembered, never touched, until it reports its end.
    CIMapiThread* m_mailThread = nullptr;
    std::unique_ptr<CIMapiThread> m_unstarted;
    std::unique_ptr<CProgressWnd> m_progress;
};
