#include "mail/CIMapiThread.h"

#include "framework/ExceptionReport.h"
#include "shared/Translator.h"

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
    Report("Start sending mail...", 80);
    ULONG result = MAPI_E_FAILURE;
    try {
        result = m_sender.Send(0);
    } catch (...) {
        // Reported, and the window still hears of the end: it must not wait
        // for this mail forever.
        AfxReportCaughtException(__FILE__, __LINE__);
    }
    Report("Done !", 100);
    ::Sleep(kDoneShownMs);
    ::SendMessageA(m_notify, WM_MAIL_DONE, result, 0);
    return FALSE;
}

// The thread never touches the progress window itself: the window to notify
// owns it and may have deleted it by now (the main window when it closes).
void CIMapiThread::Report(const char* english, int percent)
{
    const std::string text = Translate(english);
    ::SendMessageA(m_notify, WM_MAIL_PROGRESS, static_cast<WPARAM>(percent), reinterpret_cast<LPARAM>(text.c_str()));
}
