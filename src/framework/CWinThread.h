#pragma once

#include <windows.h>

// A worker thread. Either give it a function, or derive and override Run, or
// (a thread of its own kind) override InitInstance/ExitInstance: without a
// function Run calls InitInstance, runs a message loop when that returns TRUE,
// and ends with ExitInstance. With
// m_bAutoDelete (the default) the object deletes itself when the thread ends,
// so the creator must not touch it after CreateThread unless it created the
// thread suspended and cleared m_bAutoDelete first.
class CWinThread {
public:
    using ThreadFunction = UINT (*)(void* param);

    CWinThread(ThreadFunction function, void* param);
    virtual ~CWinThread();

    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // createFlags may hold CREATE_SUSPENDED; then ResumeThread starts it.
    BOOL CreateThread(DWORD createFlags = 0, UINT stackSize = 0);
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    BOOL SetThreadPriority(int priority) { return ::SetThreadPriority(m_hThread, priority); }

    // The thread's work; its value is the thread's exit code.
    virtual int Run();
    virtual BOOL InitInstance() { return FALSE; }
    // The WM_QUIT code when the message loop ran, else 0.
    virtual int ExitInstance() { return m_nExitCode; }

    HANDLE m_hThread = nullptr;  // closed by the destructor
    DWORD m_nThreadID = 0;
    BOOL m_bAutoDelete = TRUE;

protected:
    CWinThread() = default;

    int m_nExitCode = 0;

private:
    static unsigned __stdcall ThreadEntry(void* self);

    ThreadFunction m_pfnThreadProc = nullptr;
    void* m_pThreadParams = nullptr;
};

// Creates the thread object and starts it (unless CREATE_SUSPENDED). Returns
// null when the thread could not be created.
CWinThread* AfxBeginThread(CWinThread::ThreadFunction function, void* param, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD createFlags = 0);
