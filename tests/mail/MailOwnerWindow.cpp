#include "MailOwnerWindow.h"

#include "mail/CIMapiThread.h"
#include "mail/CSendToFriend.h"
#include "shared/PrivateMessages.h"
#include "shared/Translator.h"

MailOwnerWindow::MailOwnerWindow(DWORD exStyle)
{
    SubclassWindow(::CreateWindowExA(exStyle, "STATIC", "mail owner", WS_POPUP, 100, 100, 200, 100, nullptr, nullptr,
                                     nullptr, nullptr));
}

MailOwnerWindow::~MailOwnerWindow()
{
    if (IsWindow())
        DestroyWindow();
}

LRESULT MailOwnerWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MAIL_PROGRESS:
        steps.emplace_back(static_cast<int>(wParam), Translate(CIMapiThread::StepText(static_cast<WPARAM>(lParam))));
        return m_mail ? m_mail->OnMailProgress(wParam, lParam) : 0;
    case WM_MAIL_DONE:
        results.push_back(static_cast<ULONG>(wParam));
        return m_mail ? m_mail->OnMailDone(static_cast<ULONG>(wParam)) : 0;
    default: return CWnd::WindowProc(message, wParam, lParam);
    }
}
