#pragma once

#include "framework/CWinThread.h"
#include "mail/CMailSender.h"
#include "shared/PrivateMessages.h"

#include <windows.h>

// The mail thread: sends the prepared message through Simple MAPI, so that the
// user interface stays alive while the mail client works, and tells the window
// to notify how it went (WM_MAIL_PROGRESS, WM_MAIL_DONE). It ends right after
// and deletes itself.
class CIMapiThread : public CWinThread {
public:
    // The steps WM_MAIL_PROGRESS names; the window has the text of each.
    enum Step { StepSending = 0, StepDone = 1 };
    static const char* StepText(WPARAM step);

    // Loads the mail system through its sender (see CMailSender).
    CIMapiThread();
    ~CIMapiThread() override;

    CMailSender& Sender() { return m_sender; }
    void SetNotifyWindow(HWND window) { m_notify = window; }

    // Starts the thread below normal priority. From then on the thread owns the
    // object; false when no thread could be made (the caller still owns it).
    bool Start();

    BOOL InitInstance() override;

private:
    void Report(Step step, int percent);

    CMailSender m_sender;
    HWND m_notify = nullptr;
};
