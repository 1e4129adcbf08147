#include "mail/CIMapiThread.h"

#include "framework/ExceptionReport.h"

#include <string>

namespace {

// The last step stays on the screen for a moment before the window goes.
const DWORD kDoneShownMs = 500;

}  // namespace

CIMapiThread::CIMapiThread() = default;

CIMapiThread::~CIMapiThread() = default;

bool CIMapiThread::Start()
{
    // The system thread is made only now that the mail is ready: a mail that
    // is cancelled or falls back leaves no suspended thread behind.
    if (!CreateThread(CREATE_SUSPENDED))
        return false;
    SetThreadPriority(THREAD_PRIORITY_BELOW_NORMAL);
    ResumeThread();
    return true;
}

BOOL CIMapiThread::InitInstance()
{
    Report(StepSending, 80);
    ULONG result = MAPI_E_FAILURE;
    try {
        result = m_sender.Send(0);
    } catch (...) {
        // Reported, and the window still hears of the end: it must not wait
        // for this mail forever.
        AfxReportCaughtException(__FILE__, __LINE__);
    }
    Report(StepDone, 100);
    ::Sleep(kDoneShownMs);
    ::SendMessageA(m_notify, WM_MAIL_DONE, result, 0);
    return FALSE;
}

const char* CIMapiThread::StepText(WPARAM step)
{
    return step == StepDone ? "Done !" : "Start sending mail...";
}

// The thread never touches the progress window itself: the window to notify
// owns it and may have deleted it by now (the main window when it closes).
void CIMapiThread::Report(Step step, int percent)
{
    ::SendMessageA(m_notify, WM_MAIL_PROGRESS, static_cast<WPARAM>(percent), static_cast<LPARAM>(step));
}
