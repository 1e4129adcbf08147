#include "framework/CWinThread.h"

#include "framework/ExceptionReport.h"

#include <process.h>

CWinThread::CWinThread(ThreadFunction function, void* param)
    : m_pfnThreadProc(function)
    , m_pThreadParams(param)
{}

CWinThread::~CWinThread()
{
    if (m_hThread)
        ::CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD createFlags, UINT stackSize)
{
    if (m_hThread)
        return FALSE;
    // Always start suspended: an auto-deleting thread could otherwise end and
    // free the object before its handle and id are stored.
    unsigned threadId = 0;
    const uintptr_t handle =
        ::_beginthreadex(nullptr, stackSize, &CWinThread::ThreadEntry, this, CREATE_SUSPENDED, &threadId);
    if (!handle)
        return FALSE;
    m_hThread = reinterpret_cast<HANDLE>(handle);
    m_nThreadID = threadId;
    if (!(createFlags & CREATE_SUSPENDED))
        ::ResumeThread(m_hThread);
    return TRUE;
}

int CWinThread::Run()
{
    if (m_pfnThreadProc)
        return static_cast<int>(m_pfnThreadProc(m_pThreadParams));
    if (InitInstance()) {
        MSG message{};
        BOOL got;
        while ((got = ::GetMessageW(&message, nullptr, 0, 0)) != 0 && got != -1) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (got == 0)
            m_nExitCode = static_cast<int>(message.wParam);
    }
    return ExitInstance();
}

unsigned __stdcall CWinThread::ThreadEntry(void* self)
{
    auto* thread = static_cast<CWinThread*>(self);
    int exitCode = -1;
    try {
        exitCode = thread->Run();
    } catch (...) {
        AfxReportCaughtException(__FILE__, __LINE__);
    }
    if (thread->m_bAutoDelete) {
        try {
            delete thread;
        } catch (...) {
            AfxReportCaughtException(__FILE__, __LINE__);
        }
    }
    return static_cast<unsigned>(exitCode);
}

CWinThread* AfxBeginThread(CWinThread::ThreadFunction function, void* param, int priority, UINT stackSize,
                           DWORD createFlags)
{
    auto* thread = new CWinThread(function, param);
    if (!thread->CreateThread(createFlags | CREATE_SUSPENDED, stackSize)) {
        delete thread;
        return nullptr;
    }
    thread->SetThreadPriority(priority);
    if (!(createFlags & CREATE_SUSPENDED))
        thread->ResumeThread();
    return thread;
}
